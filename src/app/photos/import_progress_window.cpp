#include "app/photos/import_progress_window.h"

#include "controls/buttons/skin_button.h"
#include "platform/messages.h"

#include <QLabel>
#include <QPainter>

namespace app {

ImportProgressWindow::ImportProgressWindow(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::FramelessWindowHint), mainWindow_(mainWindow) {
    resize(420, 92);
    path_ = std::make_unique<QLabel>(this);
    path_->setGeometry(14, 14, 392, 28);
    path_->setStyleSheet(
        QStringLiteral("QLabel { background: rgb(230, 230, 230); border: 1px solid rgb(150, 150, "
                       "150); padding: 2px 6px; color: rgb(40, 44, 52); }"));
    path_->setText(QStringLiteral("Importing photos…"));
    stop_ = std::make_unique<controls::CSkinButton>(0, QStringLiteral("Stop"), this);
    stop_->setGeometry(172, 52, 76, 26);
    connect(stop_.get(), &controls::CSkinButton::command, this,
            [this] { platform::sendMessage(mainWindow_, platform::UM_IMPORTCANCEL); });
}

ImportProgressWindow::~ImportProgressWindow() = default;

void ImportProgressWindow::showPath(const QString& path) {
    path_->setText(path_->fontMetrics().elidedText(path, Qt::ElideMiddle, path_->width() - 14));
    path_->setToolTip(path);
}

QString ImportProgressWindow::shownPath() const {
    return path_->toolTip();
}

void ImportProgressWindow::showCentred() {
    move(mainWindow_->geometry().center() - rect().center());
    show();
    raise();
}

void ImportProgressWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(246, 247, 249));
    painter.setPen(QColor(150, 150, 150));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace app
