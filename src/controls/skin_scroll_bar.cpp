#include "controls/skin_scroll_bar.h"

#include "controls/skin_palette.h"
#include "platform/messages.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimerEvent>
#include <algorithm>

namespace controls {

namespace {

constexpr int kMinimumThumb = 18;
constexpr int kFirstRepeatMs = 350;
constexpr int kRepeatMs = 50;

void drawChevron(QPainter& p, const QRectF& box, bool up, const QColor& colour) {
    const QPointF c = box.center();
    const qreal w = std::min(box.width(), box.height()) * 0.22;
    const qreal dy = up ? -w / 2 : w / 2;
    QPainterPath chevron;
    chevron.moveTo(c.x() - w, c.y() - dy);
    chevron.lineTo(c.x(), c.y() + dy);
    chevron.lineTo(c.x() + w, c.y() - dy);
    p.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(chevron);
}

} // namespace

CSkinScrollBar::CSkinScrollBar(QWidget* parent) : QWidget(parent), notifyMessage_(platform::UM_LISTSCROLL) {
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
}

void CSkinScrollBar::setRange(int minimum, int maximum) {
    minimum_ = std::min(minimum, maximum);
    maximum_ = std::max(minimum, maximum);
    position_ = std::clamp(position_, minimum_, maximum_);
    update();
}

void CSkinScrollBar::setPage(int page) {
    page_ = std::max(0, page);
    update();
}

void CSkinScrollBar::setPosition(int position) {
    position_ = std::clamp(position, minimum_, maximum_);
    update();
}

QRect CSkinScrollBar::upArrowRect() const {
    return {0, 0, width(), std::min(width(), height() / 2)};
}

QRect CSkinScrollBar::downArrowRect() const {
    const int side = std::min(width(), height() / 2);
    return {0, height() - side, width(), side};
}

QRect CSkinScrollBar::trackRect() const {
    return QRect(0, upArrowRect().bottom() + 1, width(), downArrowRect().top() - upArrowRect().bottom() - 1);
}

int CSkinScrollBar::thumbLength() const {
    const int track = trackRect().height();
    if (page_ <= 0)
        return std::min(track, kMinimumThumb);
    const qint64 span = static_cast<qint64>(maximum_) - minimum_ + page_;
    const int proportional = static_cast<int>(static_cast<qint64>(track) * page_ / std::max<qint64>(1, span));
    return std::min(track, std::max(kMinimumThumb, proportional));
}

int CSkinScrollBar::thumbTopFor(int position) const {
    const QRect track = trackRect();
    const int travel = track.height() - thumbLength();
    const qint64 span = static_cast<qint64>(maximum_) - minimum_;
    if (span <= 0 || travel <= 0)
        return track.top();
    return track.top() + static_cast<int>(static_cast<qint64>(travel) * (position - minimum_) / span);
}

int CSkinScrollBar::positionForThumbTop(int top) const {
    const QRect track = trackRect();
    const int travel = track.height() - thumbLength();
    if (travel <= 0)
        return minimum_;
    const int offset = std::clamp(top - track.top(), 0, travel);
    const qint64 span = static_cast<qint64>(maximum_) - minimum_;
    return minimum_ + static_cast<int>((span * offset + travel / 2) / travel);
}

QRect CSkinScrollBar::thumbRect() const {
    if (!scrollable())
        return {};
    const int top = thumbTopFor(held_ == Part::Thumb ? dragPosition_ : position_);
    return {0, top, width(), thumbLength()};
}

CSkinScrollBar::Part CSkinScrollBar::partAt(const QPoint& point) const {
    if (!rect().contains(point))
        return Part::None;
    if (upArrowRect().contains(point))
        return Part::UpArrow;
    if (downArrowRect().contains(point))
        return Part::DownArrow;
    if (!scrollable())
        return Part::None;
    const QRect thumb = thumbRect();
    if (point.y() < thumb.top())
        return Part::TrackAbove;
    if (point.y() > thumb.bottom())
        return Part::TrackBelow;
    return Part::Thumb;
}

int CSkinScrollBar::answer(int code, int requested, int current, int line, int page, int maximum) {
    int position = current;
    switch (code) {
    case LineUp:
        position -= line;
        break;
    case LineDown:
        position += line;
        break;
    case PageUp:
        position -= page;
        break;
    case PageDown:
        position += page;
        break;
    case ThumbPosition:
    case ThumbTrack:
        position = requested;
        break;
    case Top:
        position = 0;
        break;
    case Bottom:
        position = maximum;
        break;
    default:
        break;
    }
    return std::clamp(position, 0, std::max(0, maximum));
}

void CSkinScrollBar::request(int code, int position) {
    emit scrollRequested(code, position);
    if (notifyMessage_ != 0)
        platform::sendMessage(parentWidget(), notifyMessage_, static_cast<platform::WParam>(code), position);
}

void CSkinScrollBar::repeatHeld() {
    // A held part acts only while the pointer is over it; on the track, until the thumb reaches it.
    if (partAt(pointer_) != held_)
        return;
    switch (held_) {
    case Part::UpArrow:
        request(LineUp, position_);
        break;
    case Part::DownArrow:
        request(LineDown, position_);
        break;
    case Part::TrackAbove:
        request(PageUp, position_);
        break;
    case Part::TrackBelow:
        request(PageDown, position_);
        break;
    default:
        break;
    }
    update();
}

void CSkinScrollBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !scrollable()) {
        event->ignore();
        return;
    }
    pointer_ = event->position().toPoint();
    held_ = partAt(pointer_);
    if (held_ == Part::Thumb) {
        dragPosition_ = position_;
        dragOffset_ = pointer_.y() - thumbRect().top();
    } else if (held_ != Part::None) {
        repeatHeld();
        repeat_.start(kFirstRepeatMs, this);
    }
    update();
}

void CSkinScrollBar::mouseMoveEvent(QMouseEvent* event) {
    pointer_ = event->position().toPoint();
    if (held_ == Part::Thumb) {
        const int position = positionForThumbTop(pointer_.y() - dragOffset_);
        if (position != dragPosition_) {
            dragPosition_ = position;
            request(ThumbTrack, dragPosition_);
        }
        update();
        return;
    }
    if (held_ == Part::None) {
        const Part over = partAt(pointer_);
        if (over != hover_) {
            hover_ = over;
            update();
        }
    }
}

void CSkinScrollBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || held_ == Part::None)
        return;
    repeat_.stop();
    const Part released = held_;
    held_ = Part::None;
    if (released == Part::Thumb)
        request(ThumbPosition, dragPosition_);
    request(EndScroll, position_);
    hover_ = partAt(event->position().toPoint());
    update();
}

void CSkinScrollBar::timerEvent(QTimerEvent* event) {
    if (event->timerId() != repeat_.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    repeat_.start(kRepeatMs, this);
    repeatHeld();
}

void CSkinScrollBar::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    hover_ = Part::None;
    update();
}

void CSkinScrollBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillRect(rect(), QColor(243, 244, 247));
    p.setPen(QPen(QColor(226, 229, 234), 1.0));
    p.drawLine(QPointF(0.5, 0), QPointF(0.5, height()));

    const bool enabled = isEnabled() && scrollable();
    const auto arrow = [&](const QRect& box, bool up, Part part) {
        const bool down = held_ == part;
        const bool hot = hover_ == part && held_ == Part::None;
        if (enabled && (down || hot)) {
            p.setPen(Qt::NoPen);
            p.setBrush(down ? skin::kPressedFace : QColor(226, 231, 239));
            p.drawRoundedRect(QRectF(box).adjusted(2, 2, -2, -2), 3, 3);
        }
        drawChevron(p, QRectF(box).translated(0, down ? 0.5 : 0), up,
                    enabled ? (down ? skin::kAccent : QColor(96, 104, 118)) : skin::kBorderLight);
    };
    arrow(upArrowRect(), true, Part::UpArrow);
    arrow(downArrowRect(), false, Part::DownArrow);

    if (!enabled)
        return;
    const QRectF thumb = QRectF(thumbRect()).adjusted(3.5, 1.5, -3.5, -1.5);
    QColor colour(188, 195, 206);
    if (held_ == Part::Thumb)
        colour = skin::kAccent;
    else if (hover_ == Part::Thumb)
        colour = QColor(150, 160, 176);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(thumb, thumb.width() / 2, thumb.width() / 2);
}

} // namespace controls
