#include "controls/dial_ctrl.h"

#include "controls/skin_palette.h"
#include "platform/messages.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace controls {

namespace {

constexpr int kWheelStep = 5;
constexpr int kPageStep = 15;
// Room kept for the caption and the readout when they are shown.
constexpr int kReadoutWidth = 40;
constexpr int kReadoutHeight = 12;

} // namespace

CDialCtrl::CDialCtrl(int dialNumber, QWidget* parent) : QWidget(parent), dialNumber_(dialNumber) {
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
}

void CDialCtrl::setValue(int value) {
    value_ = std::clamp(value, kMinimum, kMaximum);
    update();
}

void CDialCtrl::setActive(bool active) {
    active_ = active;
    if (!active)
        dragging_ = false;
    update();
}

void CDialCtrl::setReadout(const QString& text) {
    readout_ = text;
    update();
}

void CDialCtrl::setCaption(const QString& text) {
    caption_ = text;
    update();
}

QRectF CDialCtrl::knobRect() const {
    QRectF area = rect();
    if (wide()) {
        if (!readout_.isEmpty() || !caption_.isEmpty())
            area.setWidth(std::max(0, width() - kReadoutWidth));
    } else {
        if (!caption_.isEmpty())
            area.setTop(std::min(kReadoutHeight, height()));
        if (!readout_.isEmpty())
            area.setBottom(std::max(area.top(), static_cast<qreal>(height() - kReadoutHeight)));
    }
    const qreal side = std::max<qreal>(0.0, std::min(area.width(), area.height()) - 2);
    return {area.center().x() - side / 2, area.center().y() - side / 2, side, side};
}

// A wide dial stacks the caption over the readout in the column right of the knob; a tall one puts them
// in bands above and below it.
QRectF CDialCtrl::readoutRect() const {
    const QRectF knob = knobRect();
    if (wide()) {
        const qreal top = caption_.isEmpty() ? 0.0 : height() / 2.0;
        return {knob.right() + 2, top, width() - knob.right() - 2, height() - top};
    }
    return {0, knob.bottom(), static_cast<qreal>(width()), height() - knob.bottom()};
}

QRectF CDialCtrl::captionRect() const {
    const QRectF knob = knobRect();
    if (wide()) {
        const qreal bottom = readout_.isEmpty() ? height() : height() / 2.0;
        return {knob.right() + 2, 0, width() - knob.right() - 2, bottom};
    }
    return {0, 0, static_cast<qreal>(width()), knob.top()};
}

int CDialCtrl::valueAt(const QPointF& point) const {
    const QPointF d = point - knobRect().center();
    if (d.isNull())
        return value_;
    // atan2 with x and y exchanged measures from the upward direction, clockwise on screen.
    const double degrees = std::atan2(d.x(), -d.y()) * 180.0 / std::numbers::pi;
    return std::clamp(static_cast<int>(std::lround(degrees)), kMinimum, kMaximum);
}

void CDialCtrl::turnTo(int value) {
    value = std::clamp(value, kMinimum, kMaximum);
    if (value == value_)
        return;
    value_ = value;
    update();
    emit valueChanged(value_);
    platform::sendMessage(parentWidget(), platform::UM_DIALCHANGED,
                          static_cast<platform::WParam>(static_cast<platform::LParam>(value_)), dialNumber_);
}

void CDialCtrl::mousePressEvent(QMouseEvent* event) {
    if (!active_ || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    dragging_ = true;
    gestures_.begin();
    turnTo(valueAt(event->position()));
}

void CDialCtrl::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_)
        turnTo(valueAt(event->position()));
}

void CDialCtrl::mouseReleaseEvent(QMouseEvent* event) {
    if (dragging_ && event->button() == Qt::LeftButton) {
        dragging_ = false;
        update();
    }
}

void CDialCtrl::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / 120;
    if (!active_ || notches == 0) {
        event->ignore();
        return;
    }
    gestures_.wheel();
    turnTo(value_ + notches * kWheelStep);
}

void CDialCtrl::keyPressEvent(QKeyEvent* event) {
    if (!active_) {
        event->ignore();
        return;
    }
    gestures_.begin();
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        turnTo(value_ - 1);
        break;
    case Qt::Key_Right:
    case Qt::Key_Up:
        turnTo(value_ + 1);
        break;
    case Qt::Key_PageDown:
        turnTo(value_ - kPageStep);
        break;
    case Qt::Key_PageUp:
        turnTo(value_ + kPageStep);
        break;
    case Qt::Key_Home:
        turnTo(0);
        break;
    default:
        event->ignore();
    }
}

void CDialCtrl::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    update();
}

void CDialCtrl::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    update();
}

void CDialCtrl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF knob = knobRect();
    if (knob.width() < 8)
        return;
    const QPointF c = knob.center();
    const qreal radius = knob.width() / 2;
    const bool hot = active_ && (underMouse() || hasFocus() || dragging_);
    const QColor accent =
        active_ ? (dragging_ ? skin::kAccent.darker(110) : skin::kAccent) : skin::kTextDisabled;

    // Tick marks every 30 degrees on the rim, longer at the quarters.
    p.setPen(QPen(active_ ? QColor(150, 158, 172) : skin::kBorderLight, 1.0, Qt::SolidLine, Qt::RoundCap));
    for (int tick = 0; tick < 12; ++tick) {
        const double angle = tick * std::numbers::pi / 6;
        const qreal inner = radius - (tick % 3 == 0 ? 4.0 : 2.5);
        const QPointF dir(std::sin(angle), -std::cos(angle));
        p.drawLine(c + dir * inner, c + dir * (radius - 0.5));
    }

    // The knob body: a softly lit disc.
    const qreal body = radius - 5;
    QRadialGradient face(c - QPointF(body * 0.3, body * 0.4), body * 1.6);
    face.setColorAt(0, Qt::white);
    face.setColorAt(1, active_ ? QColor(226, 231, 239) : QColor(238, 239, 242));
    p.setPen(
        QPen(hot ? skin::kAccentBright : (active_ ? skin::kBorder : skin::kBorderLight), hot ? 1.4 : 1.0));
    p.setBrush(face);
    p.drawEllipse(c, body, body);

    // The arc from 0 to the value, then the pointer.
    const qreal arcRadius = body - 3;
    if (value_ != 0 && arcRadius > 2) {
        QPen arcPen(active_ ? skin::kAccentEdge : skin::kBorderLight, 2.5, Qt::SolidLine, Qt::FlatCap);
        p.setPen(arcPen);
        p.setBrush(Qt::NoBrush);
        const QRectF arcBox(c.x() - arcRadius, c.y() - arcRadius, 2 * arcRadius, 2 * arcRadius);
        p.drawArc(arcBox, 90 * 16, -value_ * 16);
    }
    const double angle = value_ * std::numbers::pi / 180.0;
    const QPointF dir(std::sin(angle), -std::cos(angle));
    p.setPen(QPen(accent, std::max<qreal>(2.0, radius / 9), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + dir * (body * 0.18), c + dir * (body - 3));
    p.setPen(Qt::NoPen);
    p.setBrush(accent);
    p.drawEllipse(c, 2.2, 2.2);

    if (readout_.isEmpty() && caption_.isEmpty())
        return;
    QFont small = font();
    if (!wide())
        small.setPixelSize(std::max(8, kReadoutHeight - 2));
    p.setFont(small);
    p.setPen(active_ ? skin::kText : skin::kTextDisabled);
    // Stacked beside the knob, the caption and the readout meet in the middle.
    const Qt::Alignment captionAlign =
        Qt::AlignHCenter | (wide() && !readout_.isEmpty() ? Qt::AlignBottom : Qt::AlignVCenter);
    const Qt::Alignment readoutAlign =
        Qt::AlignHCenter | (wide() && !caption_.isEmpty() ? Qt::AlignTop : Qt::AlignVCenter);
    if (!caption_.isEmpty())
        p.drawText(captionRect(), captionAlign, caption_);
    if (!readout_.isEmpty())
        p.drawText(readoutRect(), readoutAlign, readout_);
}

} // namespace controls
