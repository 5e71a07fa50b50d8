#pragma once
// A browser list of the resource library: the thumbnails of one category file as a scrolling grid of
// square cells, with a button in a strip of its own under it ("Apply", or "Add" for cliparts; none for the
// brush tips), so that neither the button nor the link beside it ever covers a thumbnail. The
// user selects an entry with a press or the arrow keys and chooses it with a double-click or the button;
// the list then tells its notify target (the main window):
//   UM_RESOURCEPICKED     wParam = the list's pick code, lParam = the entry; the brush tips send (1, 1)
//                         for every press, double-click and arrow key (a tip was chosen: the brush
//                         switches on; the colour grid sends (1, 0) for a changed setting);
//   UM_RESOURCESELECTION  wParam = the list's kind (ResourceCategory), lParam = the selected entry, at
//                         every press while an entry is selected.
// A press on a cell followed by a move with the button held drags the entry (brush tips excepted):
// dragging() is true until the button is released, and the list shows the drag cursor. Where the drop
// lands is the main window's business.

#include "platform/messages.h"
#include "resources/browser_lists.h"
#include "resources/list_geometry.h"
#include "resources/resource_library.h"

#include <QImage>
#include <QWidget>
#include <memory>
#include <vector>

class QLabel;

namespace controls {
class CSkinButton;
class CSkinScrollBar;
} // namespace controls

namespace platform {
class Dialogs;
}

namespace resources {

class CResourceList : public QWidget, public platform::MessageReceiver {
    Q_OBJECT
public:
    CResourceList(const BrowserListSetup& setup, const ResourceLibrary& library, platform::Dialogs& dialogs,
                  QWidget* parent);
    ~CResourceList() override;

    // Where the notifications go; the parent widget when none is set.
    void setNotifyTarget(QObject* target) { notifyTarget_ = target; }

    // Empties the list and reads every entry of the raw list file; selects entry 0. False when the file
    // is missing or unreadable or an entry is short: the entries before it stay listed.
    bool LoadFromRawList(const QString& fileName);
    // The same for "brushs"; each tip's angle starts at 0.
    bool LoadBrushTips();
    // Reads the list's own file again (after an import).
    bool reload();
    void SetCellSize(int width, int height);
    void SetMargins(int x, int y);
    // Selects the entry when it exists, and repaints.
    void Select(int index);
    // No entry selected: the brush list before a tip is chosen.
    void ClearSelection();
    int SelectedIndex() const { return selected_; }

    const BrowserListSetup& setup() const { return setup_; }
    bool isBrushList() const { return setup_.kind == ResourceCategory::Brushes; }
    int count() const { return static_cast<int>(pictures_.size()); }
    // The pictures in file order; for the brush tips also the tips' pixels lent to the brush.
    const std::vector<QImage>& pictures() const { return pictures_; }

    // Brush tips: the angle, in degrees clockwise, each tip is shown turned by.
    void setTipAngle(int index, int degrees);
    int tipAngle(int index) const;

    list_geometry::Grid grid() const;
    // Where the thumbnails are drawn: the whole list but the button strip.
    QRect cellArea() const;
    int scrollPosition() const { return scroll_; }
    const controls::CSkinScrollBar& scrollBar() const { return *scrollBar_; }
    controls::CSkinButton* button() const { return button_.get(); }

    // True from a move after a press on a cell until the button is released.
    bool dragging() const { return dragging_; }
    // The drag is over (the main window took the drop or it fell elsewhere).
    void endDrag();

    // A link caption in the button strip's right end, reported by linkActivated(); empty shows none.
    void setLinkCaption(const QString& caption);
    QLabel* link() const { return link_.get(); }

    platform::LResult onMessage(int message, platform::WParam wParam, platform::LParam lParam) override;

signals:
    void linkActivated();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool load(ResourceLibrary::RawList list);
    int stripHeight() const;
    void updateLayout();
    void setScroll(int position);
    // Each picture fitted into a cell, never enlarged: drawn without scaling at every paint.
    void fitPictures();
    void notify(int message, platform::WParam wParam, platform::LParam lParam);
    void pressButton();

    const BrowserListSetup& setup_;
    const ResourceLibrary& library_;
    platform::Dialogs& dialogs_;
    QObject* notifyTarget_ = nullptr;

    std::vector<QImage> pictures_;
    std::vector<QImage> fitted_;
    std::vector<int> tipAngles_;
    int selected_ = -1;
    bool pressed_ = false;
    bool dragging_ = false;
    int cellWidth_;
    int cellHeight_;
    int marginX_ = 3;
    int marginY_ = 3;
    int scroll_ = 0;
    int wheelRemainder_ = 0;

    std::unique_ptr<controls::CSkinScrollBar> scrollBar_;
    std::unique_ptr<controls::CSkinButton> button_;
    std::unique_ptr<QLabel> link_;
};

} // namespace resources
