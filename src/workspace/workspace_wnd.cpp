#include "workspace/workspace_wnd.h"

#include "platform/messages.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>

namespace workspace {

CWorkspaceWnd::CWorkspaceWnd(const QString& programFolder, QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::ArrowCursor);
    DocumentListener& listener = *this;
    document_ = std::make_unique<WorkspaceDocument>(programFolder, listener, size());
}

CWorkspaceWnd::~CWorkspaceWnd() = default;

void CWorkspaceWnd::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), document_->backBuffer(), event->rect());
}

void CWorkspaceWnd::resizeEvent(QResizeEvent*) {
    document_->resizeClient(size());
}

void CWorkspaceWnd::mousePressEvent(QMouseEvent*) {
    setFocus();
    if (document_->previewing())
        platform::sendMessage(parentWidget(), platform::UM_PREVIEWEND);
}

void CWorkspaceWnd::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && document_->previewing()) {
        platform::sendMessage(parentWidget(), platform::UM_PREVIEWEND);
        return;
    }
    QWidget::keyPressEvent(event);
}

void CWorkspaceWnd::undoStateChanged() {
    platform::sendMessage(parentWidget(), platform::UM_UNDOSTATE);
}

void CWorkspaceWnd::objectSelected(int flag) {
    platform::sendMessage(parentWidget(), platform::UM_OBJECTSELECTED, 0, flag);
}

void CWorkspaceWnd::showToolPanel(int kind) {
    platform::sendMessage(parentWidget(), platform::UM_SHOWTOOLPANEL, 0, kind);
}

void CWorkspaceWnd::objectPlaced() {
    platform::sendMessage(parentWidget(), platform::UM_CROPENTERED);
}

void CWorkspaceWnd::editText(const QString& text, const QPoint* caretAt) {
    emit editTextRequested(text, caretAt ? *caretAt : QPoint(), caretAt != nullptr);
}

void CWorkspaceWnd::composed() {
    update();
}

} // namespace workspace
