#pragma once
// The brush colour grid: 12 greys along the top and the 216 web colours below them, 7 × 7 swatches on an
// 8-pixel pitch, the chosen colour in a field at the bottom and a small button to the colour dialog.
// The swatch under the mouse is previewed (marked, its "RRGGBB" text as tooltip); a press chooses it.
//
// Its parent receives UM_RESOURCEPICKED with wParam 1 and lParam 0 when a colour has been chosen: on
// the button coming up over the grid, and after the colour dialog's OK.

#include "controls/colour/colour_ref.h"

#include <QImage>
#include <QWidget>
#include <optional>

namespace platform {
class Dialogs;
}

namespace controls {

class CSkinButton;

class CColourSwatchGrid : public QWidget {
    Q_OBJECT
public:
    // The command of the button to the colour dialog.
    static constexpr int kDialogCommand = 10013;

    CColourSwatchGrid(platform::Dialogs& dialogs, QWidget* parent);
    ~CColourSwatchGrid() override;

    ColourRef GetColour() const { return colour_; }
    // The swatch under the mouse (-1 for none) and its colour.
    int hotIndex() const { return hot_; }
    std::optional<ColourRef> previewColour() const { return preview_; }
    CSkinButton* dialogButton() const { return dialogButton_; }

    QSize sizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void setHot(int index);
    void chooseFromDialog();
    void tellParent();
    void redraw();

    platform::Dialogs& dialogs_;
    ColourRef colour_ = 0;
    std::optional<ColourRef> preview_;
    int hot_ = -1;
    bool pressed_ = false;
    CSkinButton* dialogButton_; // owned by this widget as its child
    QImage back_;
};

} // namespace controls
