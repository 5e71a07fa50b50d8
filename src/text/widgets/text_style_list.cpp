#include "text/widgets/text_style_list.h"

#include "controls/skin_palette.h"
#include "controls/skin_scroll_bar.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

namespace text {

namespace {

constexpr int kBorder = 1;
constexpr QColor kSelectionFrame{200, 200, 200};

} // namespace

CTextStyleList::CTextStyleList(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    auto scrollBar = std::make_unique<controls::CSkinScrollBar>(this);
    scrollBar->setNotifyMessage(0);
    connect(scrollBar.get(), &controls::CSkinScrollBar::scrollRequested, this,
            &CTextStyleList::onScrollRequest);
    scrollBar_ = scrollBar.release();
    updateScrollBar();
}

StyleSampleKey CTextStyleList::sampleKey() const {
    StyleSampleKey key;
    key.word = QStringLiteral("Text");
    key.font = makeLogFont(u"Microsoft Sans Serif", kCellHeight, 700);
    key.layout = QSize(kCellWidth - 2 * kCellMargin, kCellHeight - 2 * kCellMargin);
    key.ratio = devicePixelRatioF();
    key.colours = kStyleSampleColours;
    return key;
}

QRect CTextStyleList::viewport() const {
    QRect area = rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
    if (scrollBarVisible())
        area.setRight(area.right() - controls::CSkinScrollBar::kWidth);
    return area;
}

int CTextStyleList::maxOffset() const {
    return std::max(0, kStyleCount * kCellHeight - (height() - 2 * kBorder));
}

bool CTextStyleList::scrollBarVisible() const {
    return maxOffset() > 0;
}

QRect CTextStyleList::cellRect(int entry) const {
    const QPoint origin = viewport().topLeft();
    return QRect(origin.x() + kCellMargin, origin.y() + kCellHeight * entry + kCellMargin - offset_,
                 kCellWidth - 2 * kCellMargin, kCellHeight - 2 * kCellMargin);
}

int CTextStyleList::entryAt(QPoint point) const {
    if (!viewport().contains(point))
        return -1;
    const int entry = (point.y() - viewport().top() + offset_) / kCellHeight;
    return entry >= 0 && entry < kStyleCount ? entry : -1;
}

void CTextStyleList::setSelected(int style) {
    if (style < 0 || style >= kStyleCount)
        return;
    selected_ = style;
    ensureVisible(style);
    update();
}

void CTextStyleList::choose(int style) {
    if (style < 0 || style >= kStyleCount)
        return;
    setSelected(style);
    emit styleChosen(style);
}

void CTextStyleList::updateScrollBar() {
    offset_ = std::clamp(offset_, 0, maxOffset());
    scrollBar_->setGeometry(width() - kBorder - controls::CSkinScrollBar::kWidth, kBorder,
                            controls::CSkinScrollBar::kWidth, std::max(0, height() - 2 * kBorder));
    scrollBar_->setRange(0, maxOffset());
    scrollBar_->setPage(height() - 2 * kBorder);
    scrollBar_->setPosition(offset_);
    scrollBar_->setVisible(scrollBarVisible());
}

void CTextStyleList::setOffset(int offset) {
    offset = std::clamp(offset, 0, maxOffset());
    if (offset == offset_)
        return;
    offset_ = offset;
    scrollBar_->setPosition(offset_);
    update();
}

void CTextStyleList::ensureVisible(int entry) {
    const int top = entry * kCellHeight;
    const int visible = viewport().height();
    if (top < offset_)
        setOffset(top);
    else if (top + kCellHeight > offset_ + visible)
        setOffset(top + kCellHeight - visible);
}

void CTextStyleList::onScrollRequest(int code, int position) {
    const int page = std::max(kCellHeight, viewport().height());
    setOffset(controls::CSkinScrollBar::answer(code, position, offset_, kCellHeight / 2, page, maxOffset()));
}

void CTextStyleList::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    updateScrollBar();
}

void CTextStyleList::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    setFocus(Qt::MouseFocusReason);
    choose(entryAt(event->position().toPoint()));
}

void CTextStyleList::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0 || maxOffset() == 0) {
        event->ignore();
        return;
    }
    setOffset(offset_ - notches * kCellHeight / 2);
}

void CTextStyleList::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
        choose(std::max(0, selected_ - 1));
        break;
    case Qt::Key_Down:
        choose(std::min(kStyleCount - 1, selected_ + 1));
        break;
    case Qt::Key_Home:
        choose(0);
        break;
    case Qt::Key_End:
        choose(kStyleCount - 1);
        break;
    default:
        event->ignore();
    }
}

void CTextStyleList::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const QRect area = viewport();
    p.save();
    p.setClipRect(area);
    const StyleSampleKey key = sampleKey();
    for (int entry = 0; entry < kStyleCount; ++entry) {
        const QRect cell = cellRect(entry);
        // A sample may reach a little past its cell (glows, tall glyphs): draw the ones touching the view.
        if (cell.top() - kCellHeight / 2 > area.bottom() || cell.bottom() + kCellHeight / 2 < area.top())
            continue;
        p.drawImage(cell.topLeft(), samples_.sample(entry, key));
    }
    if (selected_ >= 0) {
        const QRect cell = cellRect(selected_);
        p.setPen(kSelectionFrame);
        p.setBrush(Qt::NoBrush);
        p.drawRect(cell.adjusted(0, 0, -1, -1));
        p.drawRect(cell.adjusted(-1, -1, -2, -2));
    }
    p.restore();
    p.setPen(hasFocus() ? controls::skin::kAccentBright : controls::skin::kBorder);
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace text
