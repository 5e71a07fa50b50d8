#include "controls/buttons/skin_button.h"

#include "controls/numbered_images.h"
#include "controls/skin_palette.h"

#include <QLinearGradient>
#include <QPainter>

namespace controls {

CSkinButton::CSkinButton(int commandId, const QString& caption, QWidget* parent)
    : QAbstractButton(parent), commandId_(commandId), textColour_(skin::kText) {
    setText(caption);
    // Reachable with Tab, but a click leaves the keyboard focus where it was (on the canvas, say).
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
    connect(this, &QAbstractButton::clicked, this, [this] { emit command(commandId_); });
}

void CSkinButton::setImages(int normal, int hover, int pressed, int disabled) {
    images_ = {normal, hover, pressed, disabled};
    update();
}

void CSkinButton::setTextColour(const QColor& colour) {
    textColour_ = colour;
    update();
}

void CSkinButton::setLook(Look look) {
    look_ = look;
    update();
}

CSkinButton::State CSkinButton::state() const {
    if (!isEnabled())
        return State::Disabled;
    if (isDown())
        return State::Pressed;
    if (underMouse() || hasFocus())
        return State::Hover;
    return State::Normal;
}

QSize CSkinButton::sizeHint() const {
    const QSize text = fontMetrics().size(Qt::TextShowMnemonic, this->text());
    return {text.width() + 24, std::max(22, text.height() + 8)};
}

void CSkinButton::enterEvent(QEnterEvent* event) {
    QAbstractButton::enterEvent(event);
    update();
}

void CSkinButton::leaveEvent(QEvent* event) {
    QAbstractButton::leaveEvent(event);
    update();
}

void CSkinButton::paintImage(QPainter& painter, int id, bool highlight) {
    if (!highlight) {
        paintNumberedImage(painter, id, rect());
        return;
    }
    // Light or darken only the image's own pixels, so rounded or shaped faces keep their outline.
    const qreal ratio = devicePixelRatioF();
    QPixmap layer = numberedImage(id, size(), ratio);
    if (layer.isNull())
        return;
    {
        QPainter overlay(&layer);
        overlay.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        switch (state()) {
        case State::Hover:
            overlay.fillRect(rect(), QColor(44, 132, 228, 52));
            break;
        case State::Pressed:
            overlay.fillRect(rect(), QColor(0, 30, 80, 46));
            break;
        default:
            break;
        }
    }
    if (state() == State::Disabled)
        painter.setOpacity(0.45);
    painter.drawPixmap(0, 0, layer);
    painter.setOpacity(1.0);
}

void CSkinButton::paintFace(QPainter& painter) {
    const QRectF body = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const State now = state();
    if (look_ == Look::Flat) {
        if (now == State::Hover || now == State::Pressed) {
            painter.setPen(QPen(skin::kAccentEdge, 1.0));
            painter.setBrush(now == State::Pressed ? skin::kPressedFace : skin::kAccentSoft);
            painter.drawRoundedRect(body, 4, 4);
        }
        return;
    }
    QLinearGradient face(body.topLeft(), body.bottomLeft());
    QColor edge = skin::kBorder;
    switch (now) {
    case State::Normal:
        face.setColorAt(0, skin::kFaceTop);
        face.setColorAt(1, skin::kFaceBottom);
        break;
    case State::Hover:
        face.setColorAt(0, QColor(250, 252, 255));
        face.setColorAt(1, skin::kAccentSoft);
        edge = skin::kAccentBright;
        break;
    case State::Pressed:
        face.setColorAt(0, skin::kPressedFace);
        face.setColorAt(1, skin::kPressedFace.lighter(104));
        edge = skin::kAccent;
        break;
    case State::Disabled:
        face.setColorAt(0, skin::kDisabledFace);
        face.setColorAt(1, skin::kDisabledFace);
        edge = skin::kBorderLight;
        break;
    }
    painter.setPen(QPen(edge, 1.0));
    painter.setBrush(face);
    painter.drawRoundedRect(body, 4, 4);
    if (now == State::Normal || now == State::Hover) {
        painter.setPen(QPen(QColor(255, 255, 255, 200), 1.0));
        painter.drawLine(QPointF(body.left() + 4, body.top() + 1), QPointF(body.right() - 4, body.top() + 1));
    }
}

void CSkinButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const State now = state();
    const int image = images_[static_cast<std::size_t>(now)];
    if (images_[0] != 0) {
        const int shown = image != 0 ? image : images_[0];
        paintImage(painter, shown, shown == images_[0] && now != State::Normal);
    } else {
        paintFace(painter);
    }
    if (text().isEmpty())
        return;
    QColor colour = textColour_;
    if (now == State::Disabled)
        colour =
            images_[0] != 0 ? QColor(colour.red(), colour.green(), colour.blue(), 110) : skin::kTextDisabled;
    painter.setPen(colour);
    const QRect area = rect().translated(0, now == State::Pressed ? 1 : 0);
    painter.drawText(area, Qt::AlignCenter | Qt::TextShowMnemonic, text());
}

} // namespace controls
