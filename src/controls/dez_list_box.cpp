#include "controls/dez_list_box.h"

#include "controls/point_tool_tip.h"
#include "controls/skin_palette.h"
#include "controls/skin_scroll_bar.h"

#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

namespace controls {

namespace {

constexpr int kBorder = 1;
constexpr int kTextInset = 8;
constexpr int kWheelRows = 3;

} // namespace

CDezListBox::CDezListBox(QWidget* parent) : QWidget(parent), scrollBar_(new CSkinScrollBar(this)) {
    setFocusPolicy(Qt::StrongFocus);
    scrollBar_->setNotifyMessage(0);
    connect(scrollBar_, &CSkinScrollBar::scrollRequested, this, &CDezListBox::onScrollRequest);
    updateScrollBar();
}

int CDezListBox::addString(const QString& text) {
    int index = count();
    if (sorted_) {
        const auto at =
            std::upper_bound(rows_.begin(), rows_.end(), text, [](const QString& a, const QString& b) {
                return QString::compare(a, b, Qt::CaseInsensitive) < 0;
            });
        index = static_cast<int>(at - rows_.begin());
    }
    rows_.insert(index, text);
    if (selected_ >= index)
        ++selected_;
    updateScrollBar();
    update();
    return index;
}

void CDezListBox::resetContent() {
    rows_.clear();
    selected_ = -1;
    offset_ = 0;
    updateScrollBar();
    update();
}

bool CDezListBox::setCurSel(int index) {
    if (index < -1 || index >= count())
        return false;
    selected_ = index;
    ensureVisible(index);
    update();
    return true;
}

void CDezListBox::setPreviewFonts(bool preview) {
    previewFonts_ = preview;
    update();
}

void CDezListBox::setRowHeight(int height) {
    rowHeight_ = std::max(8, height);
    updateScrollBar();
    update();
}

QRect CDezListBox::viewport() const {
    QRect area = rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
    if (scrollBarVisible())
        area.setRight(area.right() - CSkinScrollBar::kWidth);
    return area;
}

int CDezListBox::maxOffset() const {
    const int content = count() * rowHeight_;
    return std::max(0, content - (height() - 2 * kBorder));
}

bool CDezListBox::scrollBarVisible() const {
    return maxOffset() > 0;
}

int CDezListBox::rowAt(const QPoint& point) const {
    const QRect area = viewport();
    if (!area.contains(point))
        return -1;
    const int row = (point.y() - area.top() + offset_) / rowHeight_;
    return row < count() ? row : -1;
}

void CDezListBox::updateScrollBar() {
    offset_ = std::clamp(offset_, 0, maxOffset());
    const bool visible = scrollBarVisible();
    scrollBar_->setGeometry(width() - kBorder - CSkinScrollBar::kWidth, kBorder, CSkinScrollBar::kWidth,
                            std::max(0, height() - 2 * kBorder));
    scrollBar_->setRange(0, maxOffset());
    scrollBar_->setPage(height() - 2 * kBorder);
    scrollBar_->setPosition(offset_);
    scrollBar_->setVisible(visible);
}

void CDezListBox::setOffset(int offset) {
    offset = std::clamp(offset, 0, maxOffset());
    if (offset == offset_)
        return;
    offset_ = offset;
    scrollBar_->setPosition(offset_);
    update();
}

void CDezListBox::ensureVisible(int index) {
    if (index < 0)
        return;
    const int top = index * rowHeight_;
    const int visible = viewport().height();
    if (top < offset_)
        setOffset(top);
    else if (top + rowHeight_ > offset_ + visible)
        setOffset(top + rowHeight_ - visible);
}

void CDezListBox::choose(int index) {
    if (index < 0 || index >= count() || index == selected_)
        return;
    selected_ = index;
    ensureVisible(index);
    update();
    emit selectionChanged(index);
}

void CDezListBox::onScrollRequest(int code, int position) {
    const int page = std::max(rowHeight_, viewport().height() - rowHeight_);
    setOffset(CSkinScrollBar::answer(code, position, offset_, rowHeight_, page, maxOffset()));
}

void CDezListBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    updateScrollBar();
}

void CDezListBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    pressed_ = true;
    choose(rowAt(event->position().toPoint()));
}

void CDezListBox::mouseMoveEvent(QMouseEvent* event) {
    // Dragging with the button held moves the selection along, as in any list box.
    if (pressed_)
        choose(rowAt(event->position().toPoint()));
}

void CDezListBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    const int row = rowAt(event->position().toPoint());
    if (activateOnClick_ && row >= 0 && row == selected_)
        emit itemActivated(row);
}

void CDezListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    const int row = rowAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && row >= 0) {
        choose(row);
        emit itemActivated(row);
    }
}

void CDezListBox::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0 || maxOffset() == 0) {
        event->ignore();
        return;
    }
    setOffset(offset_ - notches * kWheelRows * rowHeight_);
}

void CDezListBox::keyPressEvent(QKeyEvent* event) {
    if (count() == 0) {
        event->ignore();
        return;
    }
    const int pageRows = std::max(1, viewport().height() / rowHeight_ - 1);
    const int from = selected_;
    switch (event->key()) {
    case Qt::Key_Up:
        choose(from < 0 ? 0 : std::max(0, from - 1));
        break;
    case Qt::Key_Down:
        choose(from < 0 ? 0 : std::min(count() - 1, from + 1));
        break;
    case Qt::Key_PageUp:
        choose(std::max(0, from - pageRows));
        break;
    case Qt::Key_PageDown:
        choose(std::min(count() - 1, std::max(0, from) + pageRows));
        break;
    case Qt::Key_Home:
        choose(0);
        break;
    case Qt::Key_End:
        choose(count() - 1);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (selected_ >= 0)
            emit itemActivated(selected_);
        else
            event->ignore();
        break;
    default:
        event->ignore();
    }
}

void CDezListBox::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void CDezListBox::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

QFont CDezListBox::rowFont(int row) const {
    QFont font = this->font();
    if (previewFonts_)
        font.setFamily(rows_[row]);
    return font;
}

QString CDezListBox::shownText(int row) const {
    const int width = viewport().width() - 2 * kTextInset;
    return QFontMetrics(rowFont(row)).elidedText(rows_[row], Qt::ElideMiddle, width);
}

QString CDezListBox::toolTipAt(const QPoint& point) const {
    const int row = rowAt(point);
    if (row < 0 || shownText(row) == rows_[row])
        return {};
    return rows_[row];
}

bool CDezListBox::event(QEvent* event) {
    if (controls::showPointToolTip(this, event, [this](QPoint point) { return toolTipAt(point); }))
        return true;
    return QWidget::event(event);
}

void CDezListBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), isEnabled() ? skin::kPanel : skin::kDisabledFace);
    const QRect area = viewport();
    p.save();
    p.setClipRect(area);
    const int first = offset_ / rowHeight_;
    for (int row = first; row < count(); ++row) {
        const QRect box(area.left(), area.top() + row * rowHeight_ - offset_, area.width(), rowHeight_);
        if (box.top() > area.bottom())
            break;
        const bool selected = row == selected_;
        if (selected) {
            p.setRenderHint(QPainter::Antialiasing, true);
            p.setPen(Qt::NoPen);
            p.setBrush(hasFocus() ? skin::kAccent : skin::kAccentSoft);
            p.drawRoundedRect(QRectF(box).adjusted(2, 1, -2, -1), 3, 3);
        }
        p.setFont(rowFont(row));
        const QColor ink =
            !isEnabled() ? skin::kTextDisabled : (selected && hasFocus() ? QColor(Qt::white) : skin::kText);
        p.setPen(ink);
        p.drawText(box.adjusted(kTextInset, 0, -kTextInset, 0), Qt::AlignVCenter | Qt::AlignLeft,
                   shownText(row));
    }
    p.restore();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(hasFocus() ? skin::kAccentBright : skin::kBorder);
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace controls
