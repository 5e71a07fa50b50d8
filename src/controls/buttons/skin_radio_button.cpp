#include "controls/buttons/skin_radio_button.h"

#include "controls/numbered_images.h"
#include "controls/skin_palette.h"

#include <QFontDatabase>
#include <QPainter>

namespace controls {

namespace {

constexpr int kImageSide = 16;
constexpr int kLabelGap = 4;

} // namespace

CSkinRadioButton::CSkinRadioButton(int commandId, const QString& label, QWidget* parent)
    : QAbstractButton(parent), commandId_(commandId) {
    setText(label);
    setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QAbstractButton::clicked, this, [this] { emit command(commandId_); });
}

void CSkinRadioButton::setOn(bool on) {
    if (on_ == on)
        return;
    on_ = on;
    update();
}

QSize CSkinRadioButton::sizeHint() const {
    const QSize label = fontMetrics().size(Qt::TextSingleLine, text());
    return {kImageSide + kLabelGap + label.width(), std::max(kImageSide, label.height())};
}

void CSkinRadioButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRectF image(0, (height() - kImageSide) / 2.0, kImageSide, kImageSide);
    paintNumberedImage(painter, on_ ? image::RadioOn : image::RadioOff, image);
    painter.setPen(isEnabled() ? skin::kText : skin::kTextDisabled);
    const QRect label(kImageSide + kLabelGap, 0, width() - kImageSide - kLabelGap, height());
    painter.drawText(label, Qt::AlignLeft | Qt::AlignVCenter, text());
    if (hasFocus()) {
        painter.setPen(QPen(skin::kAccentEdge, 1, Qt::DotLine));
        painter.drawRect(label.adjusted(0, 1, -1, -2));
    }
}

} // namespace controls
