#include "app/window/empty_panel.h"

#include <QPainter>

namespace app {

EmptyPanel::EmptyPanel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void EmptyPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
}

} // namespace app
