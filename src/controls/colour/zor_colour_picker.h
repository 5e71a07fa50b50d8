#pragma once
// A push button that shows a colour and drops down a CZorColourPopup when clicked.
//
// Its parent receives private messages with the colour as wParam and the picker's control id as lParam:
// UM_COLOURDROPDOWN when the popup opens; UM_COLOURCHANGE while the hot colour in it changes;
// UM_COLOURCLOSEUP and then UM_COLOURPICKED or UM_COLOURCANCEL when it closes. A picked colour may be
// kDefaultColour, the popup's default box.

#include "controls/colour/colour_ref.h"
#include "platform/messages.h"

#include <QAbstractButton>
#include <memory>

namespace platform {
class Dialogs;
}

namespace controls {

class CZorColourPopup;

class CZorColourPicker : public QAbstractButton, public platform::MessageReceiver {
    Q_OBJECT
public:
    // Picking mode 1 sets the text colour; any other mode the background colour.
    enum PickingMode : int { PickBackground = 0, PickText = 1 };

    CZorColourPicker(int controlId, platform::Dialogs& dialogs, QWidget* parent);
    ~CZorColourPicker() override;

    int controlId() const { return controlId_; }
    // Sets the colour of the current picking mode and redraws at once.
    void SetColour(ColourRef colour);
    ColourRef GetColour() const;
    void SetDefaultText(const QString& text) { defaultText_ = text; }
    void SetCustomText(const QString& text) { customText_ = text; }
    // With tracking on, hovering over the popup's colours shows each on the button at once.
    void SetTrackSelection(bool track) { trackSelection_ = track; }
    void SetPickingMode(int mode) { pickingMode_ = mode; }

    QString defaultText() const { return defaultText_; }
    QString customText() const { return customText_; }
    bool popupActive() const { return popupActive_; }
    // The open popup, or null.
    CZorColourPopup* popup() const { return popup_.get(); }
    // The area filled with the colour.
    QRect swatchRect() const;

    // The arrow's size; the button is never narrower than 2 × (edge + arrow) nor lower than arrow + 2 × edge.
    static int arrowSize();
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

    platform::LResult onMessage(int message, platform::WParam wParam, platform::LParam lParam) override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void openPopup();
    void popupFinished(ColourRef colour, int endMessage);
    void notifyParent(int message, ColourRef colour);

    int controlId_;
    platform::Dialogs& dialogs_;
    bool popupActive_ = false;
    bool trackSelection_ = false;
    ColourRef backgroundColour_;
    ColourRef textColour_;
    int pickingMode_ = PickBackground;
    QString defaultText_ = QStringLiteral("Automatic");
    QString customText_ = QStringLiteral("More Colours...");
    std::unique_ptr<CZorColourPopup> popup_;
};

} // namespace controls
