// The main window's frame: layout on every size change, the skin painted into one background surface,
// the status readout, and sizing and dragging of the frameless window.
#include "app/command_ids.h"
#include "app/editor_app.h"
#include "app/window/editor_dlg.h"
#include "app/window/empty_panel.h"
#include "app/window/main_layout.h"
#include "app/photos/photo_list_ctrl.h"
#include "app/window/tool_panels.h"
#include "controls/colour/colour_swatch_grid.h"
#include "controls/dial_ctrl.h"
#include "controls/numbered_images.h"
#include "controls/buttons/skin_button.h"
#include "controls/skin_slider.h"
#include "controls/buttons/tab_button.h"
#include "controls/buttons/toggle_button.h"
#include "workspace/widgets/workspace_wnd.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWindow>
#include <cmath>

namespace app {

namespace {

const QColor kFace(230, 230, 230);
const QColor kBox(240, 240, 240);
const QColor kFrameLine(170, 178, 190);
const QColor kStatusText(140, 170, 220);

void frameRect(QPainter& painter, const QRect& rect) {
    painter.setPen(kFrameLine);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(-1, -1, 0, 0));
}

Qt::Edges edgesOf(BorderZone zone) {
    switch (zone) {
    case BorderZone::Left:
        return Qt::LeftEdge;
    case BorderZone::TopLeft:
        return Qt::TopEdge | Qt::LeftEdge;
    case BorderZone::BottomLeft:
        return Qt::BottomEdge | Qt::LeftEdge;
    case BorderZone::Top:
        return Qt::TopEdge;
    case BorderZone::Bottom:
        return Qt::BottomEdge;
    case BorderZone::TopRight:
        return Qt::TopEdge | Qt::RightEdge;
    case BorderZone::BottomRight:
        return Qt::BottomEdge | Qt::RightEdge;
    case BorderZone::Right:
        return Qt::RightEdge;
    case BorderZone::None:
        break;
    }
    return {};
}

Qt::CursorShape cursorOf(BorderZone zone) {
    switch (zone) {
    case BorderZone::Left:
    case BorderZone::Right:
        return Qt::SizeHorCursor;
    case BorderZone::Top:
    case BorderZone::Bottom:
        return Qt::SizeVerCursor;
    case BorderZone::TopLeft:
    case BorderZone::BottomRight:
        return Qt::SizeFDiagCursor;
    case BorderZone::TopRight:
    case BorderZone::BottomLeft:
        return Qt::SizeBDiagCursor;
    case BorderZone::None:
        break;
    }
    return Qt::ArrowCursor;
}

} // namespace

void CEditorDlg::relayout() {
    ++layoutCount_;
    if (isMinimized() || !workspace_)
        return;
    const int w = width();
    const int h = height();
    const MainLayout layout = computeMainLayout(w, h);

    // The window's shape: rounded corners of 20 × 20.
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect().adjusted(-1, -1, 1, 1)), 10, 10);
    setMask(QRegion(shape.toFillPolygon().toPolygon()));

    if (!previewing())
        workspace_->setGeometry(layout.workspace);
    else
        workspace_->setGeometry(rect());
    photoListCtrl_->setGeometry(layout.photoList);
    for (auto& panel : panels_)
        panel->setGeometry(layout.toolPanels);
    for (std::size_t i = 0; i < tabs_.size(); ++i)
        tabs_[i]->setGeometry(layout.tabs[i]);
    for (std::size_t i = 0; i < rowButtons_.size(); ++i)
        rowButtons_[i]->setGeometry(layout.rowButtons[i]);
    brushPanel_->setGeometry(layout.brushPanel);
    brushDialA_->setGeometry(layout.brushDialA);
    brushDialB_->setGeometry(layout.brushDialB);
    brushSlider_->setGeometry(layout.brushSlider);
    brushToggle_->setGeometry(layout.brushToggle);
    colourGrid_->setGeometry(layout.colourGrid);
    rotationDial_->setGeometry(layout.rotationDial);
    scaleDial_->setGeometry(layout.scaleDial);
    closeButton_->setGeometry(layout.closeButton);
    maximiseButton_->setGeometry(layout.maximiseButton);
    minimiseButton_->setGeometry(layout.minimiseButton);
    importButton_->setGeometry(layout.importButton);
    removeButton_->setGeometry(layout.removeButton);
    const MenuBarLayout bar = computeMenuBarLayout();
    for (std::size_t i = 0; i < menuButtons_.size(); ++i)
        menuButtons_[i]->setGeometry(bar.buttons[i]);
    paintSkin();
    update();
}

void CEditorDlg::paintSkin() {
    const int w = width();
    const int h = height();
    const qreal ratio = devicePixelRatioF();
    skin_ = QImage(QSize(w, h) * ratio, QImage::Format_RGB32);
    skin_.setDevicePixelRatio(ratio);
    QPainter painter(&skin_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRect(0, 0, w, h), kFace);
    namespace img = controls::image;
    controls::paintNumberedImage(painter, img::LeftEdge, QRectF(0, 25, 20, h - 25));
    controls::paintNumberedImage(painter, img::RightEdge, QRectF(w - 20, 25, 20, h - 25));
    controls::paintNumberedImage(painter, img::BottomEdge, QRectF(0, h - 14, w, 14));
    controls::paintNumberedImage(painter, img::TopEdge, QRectF(0, 0, w, 30));

    QFont captionFont = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    captionFont.setBold(true);
    painter.setFont(captionFont);
    const QString caption = app_.languageText(23);
    painter.setPen(Qt::black);
    painter.drawText(edges(16, 6, w + 1, 31), Qt::AlignLeft | Qt::AlignVCenter, caption);
    painter.setPen(QColor(235, 245, 245));
    painter.drawText(edges(15, 7, w, 30), Qt::AlignLeft | Qt::AlignVCenter, caption);

    const MainLayout layout = computeMainLayout(w, h);
    painter.setRenderHint(QPainter::Antialiasing, false);
    frameRect(painter, layout.photoList);
    frameRect(painter, layout.toolPanels);
    frameRect(painter, layout.brushPanel.adjusted(0, 0, 0, 75));
    frameRect(painter, layout.colourGrid);
    frameRect(painter, layout.workspace.adjusted(0, -27, 0, 0));
    painter.fillRect(layout.brushBox, kBox);
    painter.fillRect(layout.rotationReadout, kBox);
    painter.fillRect(layout.scaleReadout, kBox);
    painter.fillRect(layout.brushSettingsBox, kBox);
    painter.fillRect(edges(198, 226, w - 205, 252), Qt::white);
    painter.end();
    refreshStatusReadout();
}

void CEditorDlg::refreshStatusReadout() {
    if (skin_.isNull() || !workspace_)
        return;
    const int w = width();
    const int h = height();
    const MainLayout layout = computeMainLayout(w, h);
    QPainter painter(&skin_);
    painter.fillRect(layout.statusStrip, Qt::white);
    painter.fillRect(layout.brushSettingsBox, kBox);
    const workspace::WorkspaceDocument& document = workspace_->document();
    statusText_.clear();
    if (!document.picturePath().isEmpty()) {
        statusText_ = QStringLiteral("%1*%2 %3")
                          .arg(document.canvasWidth())
                          .arg(document.canvasHeight())
                          .arg(QFileInfo(document.picturePath()).fileName());
    }
    if (!statusText_.isEmpty() && !layout.statusText.isEmpty()) {
        painter.setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
        painter.setPen(kStatusText);
        painter.drawText(
            layout.statusText, Qt::AlignLeft | Qt::AlignVCenter,
            painter.fontMetrics().elidedText(statusText_, Qt::ElideMiddle, layout.statusText.width()));
    }
    painter.setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    zoomText_ = QStringLiteral("%1 %").arg(std::lround(document.zoom() * 100));
    painter.setPen(kStatusText);
    if (!layout.zoomReadout.isEmpty())
        painter.drawText(layout.zoomReadout, Qt::AlignRight | Qt::AlignVCenter, zoomText_);
    painter.setPen(QColor(60, 60, 60));
    painter.drawText(layout.sizeLabel, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Size"));
    painter.drawText(layout.sliderReadout, Qt::AlignRight | Qt::AlignVCenter,
                     QString::number(brushSlider_ ? brushSlider_->position() : 0));
    update(layout.statusStrip);
    update(layout.brushSettingsBox);
}

void CEditorDlg::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (skin_.isNull())
        painter.fillRect(event->rect(), kFace);
    else
        painter.drawImage(event->rect(), skin_,
                          QRectF(QPointF(event->rect().topLeft()) * skin_.devicePixelRatio(),
                                 QSizeF(event->rect().size()) * skin_.devicePixelRatio()));
}

void CEditorDlg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}

void CEditorDlg::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    setCursor(cursorOf(borderZoneAt(p.x(), p.y(), width(), height())));
    QWidget::mouseMoveEvent(event);
}

void CEditorDlg::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton && windowHandle()) {
        // The window system runs the sizing and moving loops of the frameless window.
        const BorderZone zone = borderZoneAt(p.x(), p.y(), width(), height());
        if (zone != BorderZone::None && !maximised_) {
            windowHandle()->startSystemResize(edgesOf(zone));
            return;
        }
        if (inTitleStrip(p.x(), p.y(), width()) && !maximised_) {
            windowHandle()->startSystemMove();
            return;
        }
    }
    QWidget::mousePressEvent(event);
}

void CEditorDlg::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && event->position().y() < 30) {
        onCommand(ID_MAXIMISE);
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

void CEditorDlg::closeEvent(QCloseEvent* event) {
    // The desktop's close (a key, the task bar) asks about a modified photo as the Close button does; a
    // close the program itself asks for (the system ending it) does not wait for an answer.
    if (event->spontaneous() && !mayClose()) {
        event->ignore();
        return;
    }
    // Every way of closing keeps the photo list.
    saveStore();
    QWidget::closeEvent(event);
}

} // namespace app
