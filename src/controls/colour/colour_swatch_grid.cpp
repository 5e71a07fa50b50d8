#include "controls/colour/colour_swatch_grid.h"

#include "controls/colour/colour_tables.h"
#include "controls/numbered_images.h"
#include "controls/buttons/skin_button.h"
#include "controls/skin_palette.h"
#include "platform/dialogs.h"
#include "platform/messages.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace controls {

CColourSwatchGrid::CColourSwatchGrid(platform::Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setCursor(numberedCursor(image::PickerCursor));
    auto button = std::make_unique<CSkinButton>(kDialogCommand, QStringLiteral("..."), this);
    button->setGeometry(kSwatchDialogButton);
    button->setCursor(Qt::ArrowCursor);
    button->setToolTip(QStringLiteral("More colours"));
    connect(button.get(), &CSkinButton::command, this, &CColourSwatchGrid::chooseFromDialog);
    dialogButton_ = button.release();
    redraw();
}

CColourSwatchGrid::~CColourSwatchGrid() = default;

QSize CColourSwatchGrid::sizeHint() const {
    return kSwatchGridSize;
}

void CColourSwatchGrid::setHot(int index) {
    const std::optional<ColourRef> preview =
        index >= 0 ? std::optional<ColourRef>(swatchColour(index)) : std::nullopt;
    if (index == hot_ && preview == preview_)
        return;
    hot_ = index;
    preview_ = preview;
    redraw();
}

void CColourSwatchGrid::chooseFromDialog() {
    const auto chosen = dialogs_.chooseColour(this, toQColor(colour_));
    if (!chosen)
        return;
    colour_ = fromQColor(*chosen);
    redraw();
    tellParent();
}

void CColourSwatchGrid::tellParent() {
    if (QWidget* parent = parentWidget())
        platform::sendMessage(parent, platform::UM_RESOURCEPICKED, 1, 0);
}

bool CColourSwatchGrid::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int index = swatchAt(help->pos());
        if (index < 0)
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), colourHexText(swatchColour(index)), this,
                               swatchRect(index));
        return true;
    }
    return QWidget::event(event);
}

void CColourSwatchGrid::mouseMoveEvent(QMouseEvent* event) {
    setHot(swatchAt(event->position().toPoint()));
}

void CColourSwatchGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    setHot(swatchAt(event->position().toPoint()));
    pressed_ = true;
    if (preview_) {
        colour_ = *preview_;
        redraw();
    }
}

void CColourSwatchGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    tellParent();
}

void CColourSwatchGrid::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    setHot(-1);
}

void CColourSwatchGrid::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    redraw();
}

void CColourSwatchGrid::redraw() {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size().expandedTo(QSize(1, 1)) * ratio;
    if (back_.size() != pixels)
        back_ = QImage(pixels, QImage::Format_RGB32);
    back_.setDevicePixelRatio(ratio);
    back_.fill(toQColor(kSwatchBackground));
    QPainter p(&back_);
    for (int i = 0; i < kSwatchCount; ++i)
        p.fillRect(swatchRect(i), toQColor(swatchColour(i)));
    if (hot_ >= 0) {
        // Black round the swatch and white just inside, so the mark shows on every colour.
        const QRect cell = swatchRect(hot_);
        p.setPen(Qt::black);
        p.drawRect(cell.adjusted(-1, -1, 0, 0));
        p.setPen(Qt::white);
        p.drawRect(cell.adjusted(0, 0, -1, -1));
    }

    const QRect field = kSwatchColourField;
    const QColor colour = toQColor(colour_);
    p.fillRect(field, colour);
    p.setPen(skin::kBorder);
    p.drawRect(field.adjusted(0, 0, -1, -1));
    QFont small = font();
    small.setPixelSize(10);
    p.setFont(small);
    p.setPen(colour.lightness() > 140 ? QColor(Qt::black) : QColor(Qt::white));
    p.drawText(field, Qt::AlignCenter, colourHexText(colour_));
    p.end();
    update();
}

void CColourSwatchGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(QPoint(0, 0), back_);
}

} // namespace controls
