#include "controls/skin_slider.h"

#include "controls/skin_palette.h"
#include "platform/messages.h"

#include <QKeyEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace controls {

CSkinSlider::CSkinSlider(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
}

void CSkinSlider::setRange(int minimum, int maximum) {
    minimum_ = std::min(minimum, maximum);
    maximum_ = std::max(minimum, maximum);
    position_ = std::clamp(position_, minimum_, maximum_);
    update();
}

void CSkinSlider::setPosition(int position) {
    position_ = std::clamp(position, minimum_, maximum_);
    update();
}

qreal CSkinSlider::thumbRadius() const {
    return std::max<qreal>(3.0, std::min<qreal>(height(), 16) / 2.0 - 0.5);
}

qreal CSkinSlider::thumbCentre() const {
    const qreal r = thumbRadius();
    const qreal travel = std::max<qreal>(0.0, width() - 2 * r);
    const qreal span = maximum_ - minimum_;
    return r + (span > 0 ? travel * (position_ - minimum_) / span : 0.0);
}

int CSkinSlider::positionAt(qreal x) const {
    const qreal r = thumbRadius();
    const qreal travel = width() - 2 * r;
    if (travel <= 0)
        return minimum_;
    const qreal fraction = std::clamp((x - r) / travel, 0.0, 1.0);
    return minimum_ + static_cast<int>(std::lround(fraction * (static_cast<qreal>(maximum_) - minimum_)));
}

int CSkinSlider::lineStep() const {
    return std::max(1, (maximum_ - minimum_) / 100);
}
int CSkinSlider::pageStep() const {
    return std::max(1, (maximum_ - minimum_) / 10);
}

void CSkinSlider::moveTo(int position) {
    position = std::clamp(position, minimum_, maximum_);
    if (position == position_)
        return;
    position_ = position;
    update();
    emit positionChanged(position_);
    if (notifyMessage_ != 0)
        platform::postMessage(parentWidget(), notifyMessage_);
}

void CSkinSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    dragging_ = true;
    gestures_.begin();
    const qreal x = event->position().x();
    // On the thumb, keep the grip where it was taken; elsewhere the thumb jumps under the pointer.
    grabOffset_ = std::abs(x - thumbCentre()) <= thumbRadius() ? x - thumbCentre() : 0.0;
    moveTo(positionAt(x - grabOffset_));
    update();
}

void CSkinSlider::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_)
        moveTo(positionAt(event->position().x() - grabOffset_));
}

void CSkinSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (dragging_ && event->button() == Qt::LeftButton) {
        dragging_ = false;
        update();
    }
}

void CSkinSlider::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!neutral_ || event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    // No drag follows: the thumb stays at neutral until the next press.
    dragging_ = false;
    moveTo(*neutral_);
    update();
}

void CSkinSlider::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0) {
        event->ignore();
        return;
    }
    gestures_.wheel();
    moveTo(position_ + notches * lineStep());
}

void CSkinSlider::keyPressEvent(QKeyEvent* event) {
    gestures_.begin();
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        moveTo(position_ - lineStep());
        break;
    case Qt::Key_Right:
    case Qt::Key_Up:
        moveTo(position_ + lineStep());
        break;
    case Qt::Key_PageDown:
        moveTo(position_ - pageStep());
        break;
    case Qt::Key_PageUp:
        moveTo(position_ + pageStep());
        break;
    case Qt::Key_Home:
        moveTo(minimum_);
        break;
    case Qt::Key_End:
        moveTo(maximum_);
        break;
    default:
        event->ignore();
    }
}

void CSkinSlider::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    update();
}

void CSkinSlider::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    update();
}

void CSkinSlider::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const bool enabled = isEnabled();
    const qreal r = thumbRadius();
    const qreal cy = height() / 2.0;
    const qreal trackHeight = std::max<qreal>(3.0, std::round(height() / 3.5));
    const QRectF track(r * 0.5, cy - trackHeight / 2, width() - r, trackHeight);
    p.setPen(Qt::NoPen);
    p.setBrush(skin::kTrack);
    p.drawRoundedRect(track, trackHeight / 2, trackHeight / 2);

    const qreal x = thumbCentre();
    QRectF filled = track;
    filled.setRight(x);
    p.setBrush(enabled ? skin::kAccent : skin::kTextDisabled);
    p.drawRoundedRect(filled, trackHeight / 2, trackHeight / 2);

    const bool hot = enabled && (underMouse() || hasFocus() || dragging_);
    p.setPen(
        QPen(enabled ? (hot ? skin::kAccentBright : skin::kAccent) : skin::kTextDisabled, hot ? 2.0 : 1.5));
    p.setBrush(dragging_ ? skin::kAccentSoft : QColor(Qt::white));
    p.drawEllipse(QPointF(x, cy), r - 1, r - 1);
}

} // namespace controls
