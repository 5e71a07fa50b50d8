#pragma once
// The photo list in the main window's left column: the imported photos as a scrolling grid of
// thumbnails with their file names. The user marks photos with clicks (Control toggles, Shift marks a
// range from the current photo), a rubber band over empty space, the arrow keys and Ctrl+A. A name too
// long for its cell is shortened in the middle and shown whole in the tooltip of its photo. The marking
// lives in the records' marked fields; whenever a change of it may call for another photo in the
// workspace, the control sends UM_OPENLISTPHOTO to its parent, which then asks currentIndex().
//
// The control does not own the photos: it shows a PhotoList that the main window keeps and hands over
// again whenever records are added.

#include "app/photos/photo_list_geometry.h"
#include "controls/skin_scroll_bar.h"
#include "platform/messages.h"

#include <QImage>
#include <QStaticText>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <unordered_map>
#include <vector>

namespace app {

struct PhotoList;

class CPhotoListCtrl : public QWidget, public platform::MessageReceiver {
    Q_OBJECT
public:
    explicit CPhotoListCtrl(QWidget* parent);

    // Shows the records of `list` that are not removed, in array order; nullptr shows nothing. The list
    // must outlive the control or be replaced first, and its records must not move while it is shown
    // unless this is called again. The current photo stays current while it is still shown.
    void setList(PhotoList* list);
    // The sentence shown while no photo is listed, saying how to bring photos in.
    void setEmptyHint(const QString& hint);
    // The sentence as the list shows it now: empty while photos are listed.
    QString shownHint() const { return shown_.empty() ? emptyHint_ : QString(); }
    // Marks every marked record removed and shows the rest. True when any record was removed.
    bool removeMarked();
    // The record index of the current photo, or -1 when there is none.
    int currentIndex() const { return current_; }
    // Makes this shown record the current photo, marked alone and scrolled into view, as a click on it
    // would; the parent is not told. False when the record is not shown.
    bool makeCurrent(int record);

    int columns() const { return columns_; }
    int scrollRange() const { return range_; }
    int verticalOffset() const { return offset_; }
    // Record indices of the shown photos, in shown order.
    const std::vector<int>& shownIndices() const { return shown_; }
    const controls::CSkinScrollBar& scrollBar() const { return scrollBar_; }
    // The whole file name of the photo under the point, when its cell shows it shortened; else empty.
    QString toolTipAt(const QPoint& point) const;

    platform::LResult onMessage(int message, platform::WParam wParam, platform::LParam lParam) override;

signals:
    // Local files dropped on the list from a file manager, in the order the drag listed them.
    void filesDropped(const QStringList& paths);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // What a photo looks like apart from its marks, drawn once and kept until the list is handed
    // over again: the cell frame with the thumbnail in it (device pixels; the thumbnail's rectangle
    // grown by 1 px left and top and 2 px right and bottom) and the name as it fits under its box.
    struct DrawnItem {
        QImage picture;
        QStaticText name;
        QSize size;
        int orientation = 0;
    };

    void rebuildShown();
    void updateLayout();
    void setOffset(int offset);
    // Scrolling asked for by the user outside the band's own automatic scrolling.
    void scrollTo(int offset);
    void paintList();
    void paintItem(QPainter& painter, int position);
    const DrawnItem& drawnItem(int record, const QSize& fitted, int nameWidth);

    // Clicks and keys; each returns whether the parent should hear of the change.
    // A press of a mouse button: a click on a photo, or on empty space unmarking all (and, for the left
    // button, starting the rubber band).
    void press(const QPoint& point, Qt::KeyboardModifiers modifiers, bool mayStartRubberBand);
    bool click(const QPoint& point, Qt::KeyboardModifiers modifiers);
    bool moveCurrent(photo_list::Direction direction);
    bool markAll();
    void startRubberBand(const QPoint& point);
    void trackRubberBand(const QPoint& point);
    // Marks the photos inside the band and unmarks the others.
    void applyRubberBand();
    void unmarkAll();
    void notifyParent();

    int shownPosition(int record) const;
    bool isMarked(int record) const;
    void setMarked(int record, bool marked);

    PhotoList* list_ = nullptr;
    QString emptyHint_;
    std::vector<int> shown_;
    int current_ = -1;
    int columns_ = 0;
    int range_ = 0;
    int offset_ = 0;
    bool rubberBand_ = false;
    QPoint anchor_;
    QRect band_;
    QImage backBuffer_;
    std::unordered_map<int, DrawnItem> drawn_; // by record index
    controls::CSkinScrollBar scrollBar_{this};
};

} // namespace app
