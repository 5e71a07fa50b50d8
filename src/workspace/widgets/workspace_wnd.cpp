#include "workspace/widgets/workspace_wnd.h"

#include "app/command_ids.h"
#include "controls/empty_hint.h"
#include "platform/dropped_files.h"
#include "platform/messages.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QWheelEvent>
#include <cmath>
#include <utility>

namespace workspace {

namespace {

// One canvas pixel per arrow key press; ten with Shift.
constexpr int kNudge = 1;
constexpr int kShiftNudge = 10;
// One zoom key press or wheel notch; how far a wheel notch scrolls, in window pixels.
constexpr double kZoomStep = 1.25;
constexpr int kWheelScroll = 60;

bool isArrow(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

// Qt has no cursor for turning: a circling arrow, black edged with white so that it shows on any photo.
QCursor makeTurnCursor() {
    QPixmap picture(24, 24);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRectF ring(5, 5, 14, 14);
    QPainterPath arc;
    arc.arcMoveTo(ring, 60);
    arc.arcTo(ring, 60, 260);
    // The head at the arc's end, pointing on along it.
    const QPointF end = arc.currentPosition();
    const QPointF ahead = QLineF::fromPolar(1, 60 + 260 + 90).p2();
    const QPointF across(-ahead.y(), ahead.x());
    const QPolygonF head({end + ahead * 5, end + across * 4, end - across * 4});
    for (const auto& [colour, width] :
         {std::pair{QColor(Qt::white), 4.0}, std::pair{QColor(Qt::black), 2.0}}) {
        painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(arc);
        painter.setBrush(colour);
        painter.drawPolygon(head);
    }
    painter.end();
    return QCursor(picture, 12, 12);
}

} // namespace

CWorkspaceWnd::CWorkspaceWnd(const QString& programFolder, const resources::ResourceLibrary& library,
                             QWidget* parent)
    : QWidget(parent), turnCursor_(makeTurnCursor()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    // Moves without a button show what a press would do.
    setMouseTracking(true);
    setCursor(Qt::ArrowCursor);
    setAcceptDrops(true);
    DocumentListener& listener = *this;
    document_ = std::make_unique<WorkspaceDocument>(programFolder, listener, size(), &library);
}

CWorkspaceWnd::~CWorkspaceWnd() = default;

void CWorkspaceWnd::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), document_->backBuffer(), event->rect());
    // In the middle of the canvas as the window shows it: zoomed in, most of the view lies outside.
    controls::paintEmptyHint(painter, document_->viewRect().toQRect() & rect(), shownHint());
}

void CWorkspaceWnd::setEmptyHint(const QString& hint) {
    emptyHint_ = hint;
    update();
}

QString CWorkspaceWnd::shownHint() const {
    const bool blank = document_->picturePath().isEmpty() && document_->objects().empty() &&
                       !document_->modified() && !document_->previewing();
    return blank ? emptyHint_ : QString();
}

// Pictures dropped here are opened, as pictures named on the command line are.
void CWorkspaceWnd::dragEnterEvent(QDragEnterEvent* event) {
    platform::acceptLocalFiles(event);
}

void CWorkspaceWnd::dragMoveEvent(QDragMoveEvent* event) {
    platform::acceptLocalFiles(event);
}

void CWorkspaceWnd::dropEvent(QDropEvent* event) {
    if (const QStringList paths = platform::takeDroppedLocalFiles(event); !paths.isEmpty())
        emit filesDropped(paths);
}

void CWorkspaceWnd::resizeEvent(QResizeEvent*) {
    document_->resizeClient(size());
}

// While the left button is held, Qt keeps delivering the mouse to this window even outside it: the
// capture a drag needs from the press to the release.
void CWorkspaceWnd::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton && !document_->dragging()) {
        // The middle button drags a zoomed-in view about.
        panFrom_ = event->position().toPoint();
        setCursor(Qt::ClosedHandCursor);
        return;
    }
    if (event->button() != Qt::LeftButton || panFrom_)
        return;
    setFocus();
    if (document_->previewing()) {
        platform::sendMessage(parentWidget(), platform::UM_PREVIEWEND);
        return;
    }
    const QPoint point = event->position().toPoint();
    document_->ButtonDown(point.x(), point.y());
    if (document_->manipulation().drag == ManipulationState::Drag::Brush)
        showCursor(PointerCursor::Brush);
}

void CWorkspaceWnd::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (panFrom_) {
        document_->panBy(point.x() - panFrom_->x(), point.y() - panFrom_->y());
        panFrom_ = point;
        return;
    }
    showCursor(document_->MouseMove(point.x(), point.y(), event->modifiers() & Qt::ShiftModifier));
}

void CWorkspaceWnd::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        document_->ButtonUp();
    if (event->button() == Qt::MiddleButton && panFrom_) {
        panFrom_.reset();
        showCursor(document_->MouseMove(static_cast<int>(event->position().x()),
                                        static_cast<int>(event->position().y())));
    }
}

// Ctrl+wheel zooms about the mouse; the wheel alone scrolls a zoomed-in view (Shift: sideways).
void CWorkspaceWnd::wheelEvent(QWheelEvent* event) {
    const QPoint steps = event->angleDelta();
    if (event->modifiers() & Qt::ControlModifier) {
        if (steps.y() != 0) {
            document_->zoomBy(std::pow(kZoomStep, steps.y() / 120.0), event->position().toPoint());
        }
        return;
    }
    const bool sideways = event->modifiers() & Qt::ShiftModifier;
    const int distance = steps.y() * kWheelScroll / 120;
    document_->panBy(sideways ? distance : steps.x() * kWheelScroll / 120, sideways ? 0 : distance);
}

void CWorkspaceWnd::contextMenuEvent(QContextMenuEvent* event) {
    document_->ContextMenuAt(event->pos().x(), event->pos().y());
}

void CWorkspaceWnd::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Escape) {
        if (document_->previewing()) {
            platform::sendMessage(parentWidget(), platform::UM_PREVIEWEND);
        } else {
            document_->ClearSelection();
            document_->Recompose(false);
            objectSelected(0);
        }
        return;
    }
    if (isArrow(key)) {
        const int step = event->modifiers() & Qt::ShiftModifier ? kShiftNudge : kNudge;
        const int dx = key == Qt::Key_Left ? -step : key == Qt::Key_Right ? step : 0;
        const int dy = key == Qt::Key_Up ? -step : key == Qt::Key_Down ? step : 0;
        document_->NudgeSelected(dx, dy);
        return;
    }
    const int command = key == Qt::Key_Delete     ? app::ID_DELETE_SELECTED
                        : key == Qt::Key_PageUp   ? app::ID_BRING_FORWARD
                        : key == Qt::Key_PageDown ? app::ID_SEND_BACKWARD
                        : key == Qt::Key_Home     ? app::ID_BRING_TO_FRONT
                        : key == Qt::Key_End      ? app::ID_SEND_TO_BACK
                                                  : 0;
    if (command != 0 && event->modifiers() == Qt::NoModifier && !document_->previewing()) {
        onCommand(command);
        return;
    }
    QWidget::keyPressEvent(event);
}

void CWorkspaceWnd::keyReleaseEvent(QKeyEvent* event) {
    // A held key repeats as press and release pairs; the series ends with the real release.
    if (isArrow(event->key()) && !event->isAutoRepeat()) {
        document_->EndNudge();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void CWorkspaceWnd::focusOutEvent(QFocusEvent* event) {
    // A key released elsewhere still ends its series.
    document_->EndNudge();
    QWidget::focusOutEvent(event);
}

bool CWorkspaceWnd::onCommand(int id) {
    switch (id) {
    case app::ID_DELETE_SELECTED:
        document_->DeleteSelected();
        return true;
    case app::ID_BRING_FORWARD:
        document_->BringForward();
        return true;
    case app::ID_SEND_BACKWARD:
        document_->SendBackward();
        return true;
    case app::ID_BRING_TO_FRONT:
        document_->BringToFront();
        return true;
    case app::ID_SEND_TO_BACK:
        document_->SendToBack();
        return true;
    case app::ID_ZOOM_IN:
    case app::ID_ZOOM_OUT:
        document_->zoomBy(id == app::ID_ZOOM_IN ? kZoomStep : 1 / kZoomStep,
                          QPoint(width() / 2, height() / 2));
        return true;
    case app::ID_ZOOM_FIT:
        document_->fitToWindow();
        return true;
    case app::ID_ZOOM_ACTUAL:
        document_->setZoom(1.0, QPoint(width() / 2, height() / 2));
        return true;
    default:
        return false;
    }
}

PlaceResult CWorkspaceWnd::dropThumbnail(int category, int index, QPoint globalPoint) {
    const QPoint point = mapFromGlobal(globalPoint);
    return document_->DropThumbnail(category, index, point.x(), point.y());
}

void CWorkspaceWnd::showCursor(PointerCursor cursor) {
    switch (cursor) {
    case PointerCursor::Arrow:
        setCursor(Qt::ArrowCursor);
        break;
    case PointerCursor::Move:
        setCursor(Qt::SizeAllCursor);
        break;
    case PointerCursor::SizeDiagonal:
        setCursor(Qt::SizeFDiagCursor);
        break;
    case PointerCursor::SizeHorizontal:
        setCursor(Qt::SizeHorCursor);
        break;
    case PointerCursor::SizeAntiDiagonal:
        setCursor(Qt::SizeBDiagCursor);
        break;
    case PointerCursor::SizeVertical:
        setCursor(Qt::SizeVerCursor);
        break;
    case PointerCursor::Brush:
        setCursor(brushCursor());
        break;
    case PointerCursor::Turn:
        setCursor(turnCursor_);
        break;
    }
}

QCursor CWorkspaceWnd::brushCursor() {
    const BrushSettings& brush = document_->brush();
    const QImage* tip = document_->brushTip();
    const BrushCursorKey key{tip ? tip->cacheKey() : 0,
                             brush.size,
                             brush.angle,
                             brush.colour,
                             document_->viewRect().width(),
                             QSize(document_->canvasWidth(), document_->canvasHeight())};
    if (brushCursorKey_ != key) {
        brushCursorKey_ = key;
        const QImage picture = document_->brushCursorImage();
        // Without a tip there is no shape to show: a cross marks where the stroke would start.
        brushCursor_ = picture.isNull()
                           ? QCursor(Qt::CrossCursor)
                           : QCursor(QPixmap::fromImage(picture), picture.width() / 2, picture.height() / 2);
    }
    return brushCursor_;
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

void CWorkspaceWnd::editText(const text::TextObject& text) {
    emit editTextRequested(text);
}

void CWorkspaceWnd::composed() {
    update();
    // Every change of the view ends in a composition: the zoom keys and wheel, a resize, and a photo of
    // another size (a new one, a crop, its undo), whose step may be reported before its view is made.
    // The document's own first composition comes before it is handed over.
    if (!document_)
        return;
    const double zoom = document_->zoom();
    if (zoom != shownZoom_) {
        shownZoom_ = zoom;
        emit zoomChanged();
    }
}

void CWorkspaceWnd::problemOccurred(DocumentProblem problem) {
    emit documentProblem(problem);
}

} // namespace workspace
