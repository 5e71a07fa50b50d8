#pragma once
// The palette that drops down from a colour picker: 40 named colours (their names as tooltips), an
// optional default box on top and an optional custom box at the bottom that opens the colour dialog.
// The mouse and the arrow keys move the hot box; a click inside, Enter or Space picks; Escape or a click
// outside cancels. The popup stays on the screen that holds its button.
//
// It reports to its owner (the picker) with private messages, the colour as wParam: UM_COLOURCHANGE when
// the hot box changes, then one UM_COLOURPICKED or UM_COLOURCANCEL (a cancel always reports the initial
// colour). After that it is hidden and done; the owner deletes it.

#include "controls/colour/colour_popup_layout.h"
#include "controls/colour/colour_ref.h"

#include <QWidget>

namespace platform {
class Dialogs;
}

namespace controls {

class CZorColourPopup : public QWidget {
    Q_OBJECT
public:
    struct Options {
        ColourRef initial = 0;
        QString defaultText; // empty: no default box
        QString customText;  // empty: no custom box
    };

    // `anchor` is the button's bottom-left and `buttonTop` its top, in screen coordinates.
    CZorColourPopup(QWidget* owner, platform::Dialogs& dialogs, const Options& options, QPoint anchor,
                    int buttonTop);

    const ColourPopupLayout& layout() const { return layout_; }
    int hotIndex() const { return hot_; }
    int chosenIndex() const { return chosen_; }
    // The tooltip of the box under a window point: the colour's name, empty elsewhere.
    QString toolTipAt(QPoint point) const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    ColourRef colourOfBox(int box) const;
    void setHot(int box);
    void end(bool pick);
    void paintBox(QPainter& p, int box);

    QWidget* owner_;
    platform::Dialogs& dialogs_;
    ColourRef initial_;
    ColourRef current_;
    QString defaultText_;
    QString customText_;
    ColourPopupLayout layout_;
    int hot_ = kNoBox;
    int chosen_ = kNoBox;
    bool ended_ = false;
};

} // namespace controls
