#pragma once
// The text tool panel: transparency, font face, the two colours, the style and the size of new and
// selected texts, the text box, and "Add". It keeps all of it in its own TextTemplate, shows a selected
// text's settings there, and tells its parent (the main window) with private messages: UM_TEXTSTYLE after
// a change of transparency, face, colour, style or size (wParam: the TextSetting bits that changed),
// UM_TEXTCHANGED (wParam: the box's command id in the low word and 0x300, "changed", in the high word)
// whenever the box's text changes, UM_ADDTEXT when "Add" is pressed. The parent reads the template and
// the box's text back from the panel.

#include "platform/messages.h"
#include "text/text_object.h"

#include <QTimer>
#include <QWidget>

class QSpinBox;

namespace controls {
class CSkinButton;
class CSkinSlider;
class CZorColourPicker;
class CZorComboBox;
} // namespace controls

namespace platform {
class Dialogs;
}

namespace text {

class CTextBox;
class CTextStyleList;

class CTextPanel : public QWidget, public platform::MessageReceiver {
    Q_OBJECT
public:
    enum ControlId : int {
        ID_ADD_TEXT = 10014,
        ID_TRANSPARENCY = 10563,
        ID_FONT_LIST = 10570,
        ID_COLOUR_1 = 10571,
        ID_COLOUR_2 = 10572,
        ID_TEXT_BOX = 10573,
    };
    // The edit box's "changed" notification code, carried in the high word of UM_TEXTCHANGED's wParam.
    static constexpr int kEditChanged = 0x300;
    // Typing that stops for this long ends a typing burst.
    static constexpr int kTypingPauseMs = 1500;

    // `faces` fills the font list (sorted there); the first face is the one chosen.
    CTextPanel(platform::Dialogs& dialogs, const QStringList& faces, QWidget* parent);
    ~CTextPanel() override;

    TextTemplate& textTemplate() { return template_; }
    const TextTemplate& textTemplate() const { return template_; }
    // The text box's contents.
    QString boxText() const;

    // Shows a text chosen on the canvas: its words in the box, the caret at their end with nothing
    // selected, and its settings in the controls and the template, which new texts then take too. The
    // focus stays where it is, so the keys still reach the canvas after a click on a text there.
    void editText(const TextObject& text);

    // The gesture behind the latest style message: the transparency slider's drag or wheel burst, or 0
    // for a choice made at once (a face, a style, a colour).
    std::uint64_t styleGesture() const { return styleGesture_; }

    controls::CSkinSlider* transparencySlider() const { return slider_; }
    controls::CZorComboBox* fontList() const { return fontList_; }
    controls::CZorColourPicker* colourPicker(int which) const { return which == 2 ? colour2_ : colour1_; }
    CTextStyleList* styleList() const { return styleList_; }
    CTextBox* textBox() const { return textBox_; }
    // The height in photo pixels; its lowest value, shown as "Auto", leaves the height to the photo.
    QSpinBox* sizeBox() const { return sizeBox_; }
    controls::CSkinButton* addButton() const { return addButton_; }

    platform::LResult onMessage(int message, platform::WParam wParam, platform::LParam lParam) override;

signals:
    // A burst of typing in the box has ended: the box lost the focus, or no key came for a while.
    void typingPaused();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void layoutChildren();
    void sendStyle(unsigned settings, std::uint64_t gesture = 0);
    void transparencyMoved(int position);
    void fontChosen(int index);
    void colourPicked(int pickerId, std::uint32_t colour);
    void styleChosen(int style);
    void sizeChosen(int height);
    void boxChanged();
    void endTyping();

    TextTemplate template_{};
    controls::CSkinSlider* slider_;
    controls::CZorComboBox* fontList_;
    controls::CZorColourPicker* colour1_;
    controls::CZorColourPicker* colour2_;
    CTextStyleList* styleList_;
    QSpinBox* sizeBox_;
    CTextBox* textBox_;
    controls::CSkinButton* addButton_;
    QTimer typingPause_;
    bool filling_ = false; // the box is being filled from the canvas, not typed into
    bool typing_ = false;  // typed into since the last pause
    std::uint64_t styleGesture_ = 0;
};

} // namespace text
