#include "app/photos/photo_list_ctrl.h"

#include "app/photos/photo_list_store.h"
#include "controls/empty_hint.h"
#include "controls/numbered_images.h"
#include "controls/point_tool_tip.h"
#include "imaging/files/picture_bytes.h"
#include "platform/dropped_files.h"

#include <QContextMenuEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <span>

namespace app {

using namespace photo_list;

namespace {

const QColor kMarkColour(0, 100, 200);
// Enough drawn photos for several screens of a tall list; beyond that the cache starts again.
constexpr std::size_t kCachedItems = 400;

bool isSelectAll(const QKeyEvent& key) {
    return key.key() == Qt::Key_A && (key.modifiers() & Qt::ControlModifier) &&
           !(key.modifiers() & Qt::AltModifier);
}

// A 1-px frame on the outermost pixels of `area`.
void frame(QPainter& painter, const QRect& area, const QColor& colour) {
    if (area.width() <= 0 || area.height() <= 0)
        return;
    painter.setPen(colour);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
}

} // namespace

CPhotoListCtrl::CPhotoListCtrl(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAcceptDrops(true);
    updateLayout();
}

void CPhotoListCtrl::setEmptyHint(const QString& hint) {
    emptyHint_ = hint;
    update();
}

void CPhotoListCtrl::setList(PhotoList* list) {
    list_ = list;
    drawn_.clear();
    rebuildShown();
}

bool CPhotoListCtrl::removeMarked() {
    if (list_ == nullptr)
        return false;
    bool removed = false;
    for (PhotoRecord& record : list_->records) {
        if (record.marked != 0 && record.removed == 0) {
            record.removed = 1;
            removed = true;
        }
    }
    if (removed)
        rebuildShown();
    return removed;
}

bool CPhotoListCtrl::makeCurrent(int record) {
    const int position = shownPosition(record);
    if (position < 0)
        return false;
    unmarkAll();
    setMarked(record, true);
    current_ = record;
    setOffset(offsetShowing(position, columns_, offset_, height(), range_));
    return true;
}

void CPhotoListCtrl::rebuildShown() {
    shown_.clear();
    if (list_ != nullptr) {
        const auto& records = list_->records;
        for (std::size_t i = 0; i < records.size(); ++i)
            if (records[i].removed == 0)
                shown_.push_back(static_cast<int>(i));
    }
    // A photo that is no longer shown cannot stay current: the main window would open a removed entry.
    if (shownPosition(current_) < 0)
        current_ = -1;
    updateLayout();
}

void CPhotoListCtrl::updateLayout() {
    columns_ = columnsFor(width());
    range_ = scrollRangeFor(static_cast<int>(shown_.size()), columns_, height());
    offset_ = std::clamp(offset_, 0, range_);
    scrollBar_.setGeometry(width() - (kScrollBarWidth - 1), -1, kScrollBarWidth, height() + 2);
    scrollBar_.setRange(0, range_);
    scrollBar_.setPage(height());
    scrollBar_.setPosition(offset_);
    update();
}

void CPhotoListCtrl::setOffset(int offset) {
    offset_ = std::clamp(offset, 0, range_);
    scrollBar_.setPosition(offset_);
    update();
}

void CPhotoListCtrl::scrollTo(int offset) {
    setOffset(offset);
    if (rubberBand_)
        applyRubberBand();
}

int CPhotoListCtrl::shownPosition(int record) const {
    const auto at = std::lower_bound(shown_.begin(), shown_.end(), record);
    return at != shown_.end() && *at == record ? static_cast<int>(at - shown_.begin()) : -1;
}

bool CPhotoListCtrl::isMarked(int record) const {
    return list_->records[record].marked != 0;
}

void CPhotoListCtrl::setMarked(int record, bool marked) {
    list_->records[record].marked = marked ? 1 : 0;
}

void CPhotoListCtrl::unmarkAll() {
    if (list_ != nullptr)
        for (PhotoRecord& record : list_->records)
            record.marked = 0;
}

void CPhotoListCtrl::notifyParent() {
    if (parentWidget() != nullptr)
        platform::sendMessage(parentWidget(), platform::UM_OPENLISTPHOTO);
}

platform::LResult CPhotoListCtrl::onMessage(int message, platform::WParam wParam, platform::LParam lParam) {
    if (message != platform::UM_LISTSCROLL)
        return 0;
    // Every request ends by giving the bar the settled position, also the end of a thumb drag.
    const int requested = static_cast<int>(std::clamp<platform::LParam>(lParam, 0, range_));
    scrollTo(controls::CSkinScrollBar::answer(static_cast<int>(wParam), requested, offset_, kCellHeight, kCellHeight,
                                              range_));
    return 0;
}

bool CPhotoListCtrl::event(QEvent* event) {
    if (dispatchMessage(event))
        return true;
    if (controls::showPointToolTip(this, event, [this](QPoint point) { return toolTipAt(point); }))
        return true;
    // The list's keys come before any shortcut of the window it sits in.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (grid::arrowKeyDirection(key->key()) || isSelectAll(*key)) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

void CPhotoListCtrl::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // The names were fitted with the old font.
    if (event->type() == QEvent::FontChange) {
        drawn_.clear();
        update();
    }
}

void CPhotoListCtrl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    backBuffer_ = QImage();
    updateLayout();
}

// --- Painting ---

void CPhotoListCtrl::paintEvent(QPaintEvent*) {
    paintList();
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), backBuffer_);
}

void CPhotoListCtrl::paintList() {
    const qreal ratio = devicePixelRatioF();
    const QSize deviceSize = size() * ratio;
    if (backBuffer_.size() != deviceSize) {
        backBuffer_ = QImage(deviceSize, QImage::Format_RGB32);
        backBuffer_.setDevicePixelRatio(ratio);
    }
    backBuffer_.fill(Qt::white);
    QPainter painter(&backBuffer_);
    painter.setFont(font());
    controls::paintEmptyHint(painter, rect(), shownHint());
    if (columns_ == 0)
        return;
    const Span span = visibleSpan(static_cast<int>(shown_.size()), columns_, offset_, height());
    for (int position = span.first; position < span.end; ++position)
        paintItem(painter, position);
    if (rubberBand_)
        frame(painter, band_, kMarkColour);
}

void CPhotoListCtrl::paintItem(QPainter& painter, int position) {
    const int index = shown_[position];
    const PhotoRecord& record = list_->records[index];
    const QRect box = pictureBox(position, columns_, offset_);
    const QRect fitted = fittedRect(box, record.width, record.height);

    const QRect name = nameRect(box);
    const DrawnItem& item = drawnItem(index, fitted.size(), name.width());
    painter.drawImage(fitted.topLeft() - QPoint(1, 1), item.picture);
    painter.setPen(Qt::black);
    painter.drawStaticText(name.topLeft(), item.name);

    // Checked at every paint so a photo deleted or restored behind the editor's back shows at once.
    if (!QFileInfo::exists(record.fullPath())) {
        const QSize icon = controls::numberedImageSize(controls::image::MissingFile);
        QRect mark(QPoint(0, 0), icon);
        mark.moveCenter(box.center());
        controls::paintNumberedImage(painter, controls::image::MissingFile, QRectF(mark));
    }

    if (record.marked != 0) {
        frame(painter, fitted.adjusted(-1, -1, 1, 1), kMarkColour);
        frame(painter, fitted, kMarkColour);
        frame(painter, fitted.adjusted(1, 1, -1, -1), Qt::white);
    }
}

const CPhotoListCtrl::DrawnItem& CPhotoListCtrl::drawnItem(int record, const QSize& fitted, int nameWidth) {
    const qreal ratio = devicePixelRatioF();
    const QSize size = fitted + QSize(3, 3);
    const QSize deviceSize = size * ratio;
    const int orientation = list_->records[record].orientation;
    const auto found = drawn_.find(record);
    if (found != drawn_.end() && found->second.size == deviceSize && found->second.orientation == orientation)
        return found->second;
    if (found == drawn_.end() && drawn_.size() >= kCachedItems)
        drawn_.clear();

    DrawnItem& item = drawn_[record];
    item.size = deviceSize;
    item.orientation = orientation;
    item.picture = QImage(deviceSize, QImage::Format_ARGB32_Premultiplied);
    item.picture.setDevicePixelRatio(ratio);
    item.picture.fill(Qt::transparent);
    QPainter painter(&item.picture);
    controls::paintNumberedImage(painter, controls::image::CellFrame, QRectF(QPointF(0, 0), QSizeF(size)));
    // A record without a thumbnail, or with one that cannot be decoded, keeps only its frame.
    if (static_cast<std::size_t>(record) < list_->thumbs.size() && !fitted.isEmpty()) {
        const QByteArray& jpeg = list_->thumbs[static_cast<std::size_t>(record)].jpeg;
        const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(jpeg.constData()),
                                                  static_cast<std::size_t>(jpeg.size()));
        imaging::DrawPictureBytes(bytes, orientation, false, painter, QRectF(QPointF(1, 1), QSizeF(fitted)));
    }
    painter.end();

    item.name = QStaticText(fittedName(fontMetrics(), list_->records[record].fileName(), nameWidth));
    item.name.setTextFormat(Qt::PlainText);
    return item;
}

QString CPhotoListCtrl::toolTipAt(const QPoint& point) const {
    if (!list_ || columns_ == 0)
        return {};
    const Span span = visibleSpan(static_cast<int>(shown_.size()), columns_, offset_, height());
    for (int position = span.first; position < span.end; ++position) {
        const QRect box = pictureBox(position, columns_, offset_);
        const QRect name = nameRect(box);
        if (!box.united(name).contains(point))
            continue;
        const QString whole = list_->records[shown_[position]].fileName();
        return fittedName(fontMetrics(), whole, name.width()) != whole ? whole : QString();
    }
    return {};
}

// --- Mouse ---

bool CPhotoListCtrl::click(const QPoint& point, Qt::KeyboardModifiers modifiers) {
    const int position = hitTest(point, static_cast<int>(shown_.size()), columns_, offset_, height());
    const int record = shown_[position];
    const bool control = modifiers & Qt::ControlModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool wasMarked = isMarked(record);
    const int previousCurrent = current_;

    if (!wasMarked && !control && !shift) {
        unmarkAll();
        current_ = -1;
    }
    const bool range = shift && !control && shownPosition(current_) >= 0;
    if (!range) {
        // Control alone toggles; otherwise the photo ends up marked.
        setMarked(record, control && !shift ? !wasMarked : true);
        if (isMarked(record))
            current_ = record;
        // A click that only moves the current photo among the marked ones must still open it.
        return isMarked(record) != wasMarked || current_ != previousCurrent;
    }
    unmarkAll();
    const int from = shownPosition(current_);
    for (int i = std::min(from, position); i <= std::max(from, position); ++i)
        setMarked(shown_[i], true);
    return true;
}

void CPhotoListCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    press(event->position().toPoint(), event->modifiers(), true);
}

void CPhotoListCtrl::contextMenuEvent(QContextMenuEvent* event) {
    // A right click chooses like a left click and shows no menu. It starts no band: no left button
    // is held to end it.
    if (event->reason() != QContextMenuEvent::Mouse)
        return;
    press(event->pos(), event->modifiers(), false);
}

void CPhotoListCtrl::press(const QPoint& point, Qt::KeyboardModifiers modifiers, bool mayStartRubberBand) {
    setFocus(Qt::MouseFocusReason);
    if (hitTest(point, static_cast<int>(shown_.size()), columns_, offset_, height()) >= 0) {
        if (click(point, modifiers))
            notifyParent();
    } else if (!inBottomStrip(point, height())) {
        unmarkAll();
        current_ = -1;
        notifyParent();
        if (mayStartRubberBand)
            startRubberBand(point);
    }
    update();
}

void CPhotoListCtrl::startRubberBand(const QPoint& point) {
    rubberBand_ = true;
    anchor_ = point;
    band_ = QRect(point, QSize(0, 0));
    applyRubberBand();
}

void CPhotoListCtrl::mouseMoveEvent(QMouseEvent* event) {
    if (rubberBand_)
        trackRubberBand(event->position().toPoint());
}

void CPhotoListCtrl::trackRubberBand(const QPoint& point) {
    // Beyond the top or bottom edge the list scrolls a row per move; the anchor moves with the
    // photos by as much as they actually scrolled, so it stays on the same spot of the list.
    int step = 0;
    if (point.y() >= height())
        step = kCellHeight;
    else if (point.y() < 0)
        step = -kCellHeight;
    if (step != 0) {
        const int before = offset_;
        setOffset(offset_ + step);
        anchor_.ry() -= offset_ - before;
    }
    band_ = QRect(QPoint(std::min(anchor_.x(), point.x()), std::min(anchor_.y(), point.y())),
                  QPoint(std::max(anchor_.x(), point.x()), std::max(anchor_.y(), point.y())));
    // Right and bottom edges exclusive, as the pointer itself lies on them.
    band_.setSize(band_.size() - QSize(1, 1));
    applyRubberBand();
    update();
}

void CPhotoListCtrl::applyRubberBand() {
    // Every shown photo is judged, also those the band has scrolled out of view: the anchor keeps its
    // place on the list, so they are still inside or outside it. The last one inside becomes current.
    current_ = -1;
    for (std::size_t position = 0; position < shown_.size(); ++position) {
        const int index = shown_[position];
        const PhotoRecord& record = list_->records[index];
        const QRect box = pictureBox(static_cast<int>(position), columns_, offset_);
        const bool inside = strictlyInside(fittedRect(box, record.width, record.height), band_);
        setMarked(index, inside);
        if (inside)
            current_ = index;
    }
}

void CPhotoListCtrl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !rubberBand_)
        return;
    rubberBand_ = false;
    // A current photo means the band marked some.
    if (current_ >= 0)
        notifyParent();
    update();
}

void CPhotoListCtrl::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    scrollTo(offset_ - delta);
}

// --- Keys ---

bool CPhotoListCtrl::moveCurrent(Direction direction) {
    if (shown_.empty())
        return false;
    int position = shownPosition(current_);
    if (position < 0) {
        position = 0;
    } else {
        position = neighbour(position, direction, static_cast<int>(shown_.size()), columns_);
        if (position < 0)
            return false;
        setMarked(current_, false);
    }
    current_ = shown_[position];
    setMarked(current_, true);
    if (direction == Direction::Up || direction == Direction::Down)
        setOffset(offsetShowing(position, columns_, offset_, height(), range_));
    return true;
}

bool CPhotoListCtrl::markAll() {
    if (shown_.empty())
        return false;
    for (int index : shown_)
        setMarked(index, true);
    if (shownPosition(current_) >= 0)
        return false;
    current_ = shown_.front();
    return true;
}

void CPhotoListCtrl::keyPressEvent(QKeyEvent* event) {
    if (const auto direction = grid::arrowKeyDirection(event->key())) {
        setFocus(Qt::OtherFocusReason);
        // An arrow against the edge changes nothing and must not reopen the current photo.
        if (moveCurrent(*direction))
            notifyParent();
        update();
        return;
    }
    if (isSelectAll(*event)) {
        if (markAll())
            notifyParent();
        update();
        return;
    }
    QWidget::keyPressEvent(event);
}

// --- Drops from the file manager ---

void CPhotoListCtrl::dragEnterEvent(QDragEnterEvent* event) {
    platform::acceptLocalFiles(event);
}

void CPhotoListCtrl::dragMoveEvent(QDragMoveEvent* event) {
    platform::acceptLocalFiles(event);
}

void CPhotoListCtrl::dropEvent(QDropEvent* event) {
    if (const QStringList paths = platform::takeDroppedLocalFiles(event); !paths.isEmpty())
        emit filesDropped(paths);
}

} // namespace app
