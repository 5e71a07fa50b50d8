#include "resources/widgets/resource_list.h"

#include "controls/buttons/skin_button.h"
#include "controls/skin_palette.h"
#include "controls/skin_scroll_bar.h"
#include "imaging/fit_size.h"
#include "platform/dialogs.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <optional>

namespace resources {

namespace {

using list_geometry::Direction;

constexpr int kButtonWidth = 76;
constexpr int kButtonHeight = 20;
constexpr int kWheelNotch = 120;
const QColor kSelectionColour(120, 200, 255);
// UM_RESOURCEPICKED's value from the brush tips: a tip was chosen, so painting starts.
constexpr platform::LParam kTipChosen = 1;

// A 1-px frame on the outermost pixels of `area`.
void frame(QPainter& painter, const QRect& area) {
    painter.drawRect(area.adjusted(0, 0, -1, -1));
}

} // namespace

CResourceList::CResourceList(const BrowserListSetup& setup, const ResourceLibrary& library,
                             platform::Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), setup_(setup), library_(library), dialogs_(dialogs), cellWidth_(setup.cellSize),
      cellHeight_(setup.cellSize), scrollBar_(std::make_unique<controls::CSkinScrollBar>(this)) {
    setObjectName(QStringLiteral("resourceList%1").arg(setup.listNumber));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::ArrowCursor);
    scrollBar_->hide();
    if (!setup.buttonCaption.isEmpty()) {
        button_ = std::make_unique<controls::CSkinButton>(0, setup.buttonCaption, this);
        button_->setFocusPolicy(Qt::NoFocus);
        connect(button_.get(), &QAbstractButton::clicked, this, &CResourceList::pressButton);
    }
    updateLayout();
}

CResourceList::~CResourceList() = default;

bool CResourceList::load(ResourceLibrary::RawList list) {
    pictures_ = std::move(list.pictures);
    tipAngles_.assign(pictures_.size(), 0);
    selected_ = -1;
    pressed_ = false;
    dragging_ = false;
    fitPictures();
    updateLayout();
    Select(0);
    update();
    return list.complete;
}

bool CResourceList::LoadFromRawList(const QString& fileName) {
    return load(library_.ReadRawList(fileName));
}

bool CResourceList::LoadBrushTips() {
    return load(library_.ReadRawList(files::kBrushTips));
}

bool CResourceList::reload() {
    return isBrushList() ? LoadBrushTips() : LoadFromRawList(setup_.rawList);
}

void CResourceList::SetCellSize(int width, int height) {
    cellWidth_ = std::max(width, 1);
    cellHeight_ = std::max(height, 1);
    fitPictures();
    updateLayout();
}

void CResourceList::SetMargins(int x, int y) {
    marginX_ = std::max(x, 0);
    marginY_ = std::max(y, 0);
    fitPictures();
    updateLayout();
}

void CResourceList::Select(int index) {
    if (index < 0 || index >= count())
        return;
    selected_ = index;
    update();
}

void CResourceList::ClearSelection() {
    selected_ = -1;
    update();
}

void CResourceList::setTipAngle(int index, int degrees) {
    if (index < 0 || index >= count())
        return;
    tipAngles_[static_cast<std::size_t>(index)] = degrees;
    update();
}

int CResourceList::tipAngle(int index) const {
    return index >= 0 && index < count() ? tipAngles_[static_cast<std::size_t>(index)] : 0;
}

int CResourceList::stripHeight() const {
    return button_ || link_ ? list_geometry::kButtonStrip : 0;
}

QRect CResourceList::cellArea() const {
    return QRect(0, 0, width(), std::max(0, height() - stripHeight()));
}

list_geometry::Grid CResourceList::grid() const {
    return {count(), cellWidth_, cellHeight_, marginX_, marginY_, width(), cellArea().height()};
}

void CResourceList::fitPictures() {
    const QRect cell = grid().cellRect(0, 0);
    fitted_.clear();
    fitted_.reserve(pictures_.size());
    for (const QImage& picture : pictures_) {
        const imaging::FittedSize size =
            imaging::FitSize(cell.width(), cell.height(), picture.width(), picture.height(), false);
        if (size.width == picture.width() && size.height == picture.height())
            fitted_.push_back(picture);
        else if (size.width > 0 && size.height > 0)
            fitted_.push_back(
                picture.scaled(size.width, size.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        else
            fitted_.emplace_back();
    }
}

void CResourceList::updateLayout() {
    const list_geometry::Grid layout = grid();
    const int range = layout.scrollRange();
    scroll_ = std::clamp(scroll_, 0, range);
    const QRect cells = cellArea();
    scrollBar_->setGeometry(width() - list_geometry::kScrollBarWidth, 0, list_geometry::kScrollBarWidth,
                            cells.height());
    scrollBar_->setRange(0, range);
    scrollBar_->setPage(cells.height());
    scrollBar_->setPosition(scroll_);
    scrollBar_->setVisible(range > 0);
    // The button at the strip's left end, the link at its right, both centred in its height.
    const int stripMiddle = cells.bottom() + 1 + stripHeight() / 2;
    if (button_)
        button_->setGeometry(marginX_, stripMiddle - kButtonHeight / 2, kButtonWidth, kButtonHeight);
    if (link_) {
        const QSize hint = link_->sizeHint();
        link_->setGeometry(width() - 6 - hint.width(), stripMiddle - hint.height() / 2, hint.width(),
                           hint.height());
    }
    update();
}

void CResourceList::setScroll(int position) {
    scroll_ = std::clamp(position, 0, grid().scrollRange());
    scrollBar_->setPosition(scroll_);
    update();
}

void CResourceList::setLinkCaption(const QString& caption) {
    if (caption.isEmpty()) {
        link_.reset();
        updateLayout();
        return;
    }
    if (!link_) {
        link_ = std::make_unique<QLabel>(this);
        link_->setTextFormat(Qt::RichText);
        link_->setContentsMargins(4, 1, 4, 1);
        link_->setCursor(Qt::PointingHandCursor);
        connect(link_.get(), &QLabel::linkActivated, this, &CResourceList::linkActivated);
    }
    link_->setText(
        QStringLiteral("<a href=\"more\" style=\"color:#1E5AA8;\">%1</a>").arg(caption.toHtmlEscaped()));
    link_->show();
    updateLayout();
}

void CResourceList::notify(int message, platform::WParam wParam, platform::LParam lParam) {
    QObject* target = notifyTarget_ ? notifyTarget_ : parentWidget();
    if (target)
        platform::sendMessage(target, message, wParam, lParam);
}

void CResourceList::pressButton() {
    if (selected_ < 0) {
        dialogs_.inform(this, QStringLiteral("Please Select a object to operate."));
        return;
    }
    notify(platform::UM_RESOURCEPICKED, static_cast<platform::WParam>(setup_.pickCode), selected_);
}

void CResourceList::endDrag() {
    dragging_ = false;
    setCursor(Qt::ArrowCursor);
}

platform::LResult CResourceList::onMessage(int message, platform::WParam wParam, platform::LParam lParam) {
    if (message != platform::UM_LISTSCROLL)
        return 0;
    const int range = grid().scrollRange();
    const int step = list_geometry::kScrollStep;
    const int requested = static_cast<int>(std::clamp<platform::LParam>(lParam, 0, range));
    setScroll(controls::CSkinScrollBar::answer(static_cast<int>(wParam), requested, scroll_, step, step, range));
    return 0;
}

bool CResourceList::event(QEvent* event) {
    if (dispatchMessage(event))
        return true;
    // The arrow keys move the selection before any shortcut of the window sees them.
    if (event->type() == QEvent::ShortcutOverride && grid::arrowKeyDirection(static_cast<QKeyEvent*>(event)->key())) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void CResourceList::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect cells = cellArea();
    painter.fillRect(cells, Qt::white);
    if (stripHeight() > 0) {
        const QRect strip(0, cells.bottom() + 1, width(), stripHeight());
        painter.fillRect(strip, controls::skin::kReadoutFace);
        painter.setPen(controls::skin::kBorderLight);
        painter.drawLine(strip.topLeft(), strip.topRight());
    }
    const list_geometry::Grid layout = grid();
    if (layout.columns() == 0)
        return;
    // A row cut by the strip shows only its upper part.
    painter.setClipRect(cells);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const list_geometry::Grid::Span span = layout.visible(scroll_);
    for (int i = span.first; i < span.end; ++i) {
        const QImage& picture = fitted_[static_cast<std::size_t>(i)];
        const QRect cell = layout.cellRect(i, scroll_);
        const QRect target(cell.left() + (cell.width() - picture.width()) / 2,
                           cell.top() + (cell.height() - picture.height()) / 2, picture.width(),
                           picture.height());
        const int angle = isBrushList() ? tipAngles_[static_cast<std::size_t>(i)] : 0;
        if (angle == 0) {
            painter.drawImage(target.topLeft(), picture);
        } else {
            painter.save();
            painter.translate(QRectF(target).center());
            painter.rotate(angle);
            painter.drawImage(QPointF(-picture.width() / 2.0, -picture.height() / 2.0), picture);
            painter.restore();
        }
    }
    if (selected_ >= span.first && selected_ < span.end) {
        painter.setPen(kSelectionColour);
        painter.setBrush(Qt::NoBrush);
        const QRect cell = layout.cellRect(selected_, scroll_);
        frame(painter, cell);
        frame(painter, cell.translated(-1, -1));
    }
}

void CResourceList::resizeEvent(QResizeEvent*) {
    updateLayout();
}

void CResourceList::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton)
        return;
    const int hit = grid().hitTest(event->position().toPoint(), scroll_);
    if (hit >= 0) {
        selected_ = hit;
        pressed_ = true;
        if (isBrushList())
            notify(platform::UM_RESOURCEPICKED, 1, kTipChosen);
    }
    if (selected_ >= 0)
        notify(platform::UM_RESOURCESELECTION, static_cast<platform::WParam>(setup_.kind), selected_);
    update();
}

void CResourceList::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const int hit = grid().hitTest(event->position().toPoint(), scroll_);
    if (hit < 0)
        return;
    Select(hit);
    if (isBrushList())
        notify(platform::UM_RESOURCEPICKED, 1, kTipChosen);
    else
        notify(platform::UM_RESOURCEPICKED, static_cast<platform::WParam>(setup_.pickCode), hit);
}

void CResourceList::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_ || isBrushList() || !(event->buttons() & Qt::LeftButton) || selected_ < 0)
        return;
    if (!dragging_) {
        dragging_ = true;
        setCursor(Qt::ClosedHandCursor);
    }
}

void CResourceList::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    pressed_ = false;
    if (dragging_)
        endDrag();
}

void CResourceList::wheelEvent(QWheelEvent* event) {
    // One step of 100 pixels per notch of a wheel; the small deltas of a touchpad add up to notches.
    wheelRemainder_ += event->angleDelta().y();
    const int notches = wheelRemainder_ / kWheelNotch;
    wheelRemainder_ -= notches * kWheelNotch;
    if (notches != 0)
        setScroll(scroll_ - notches * list_geometry::kScrollStep);
    event->accept();
}

void CResourceList::keyPressEvent(QKeyEvent* event) {
    const std::optional<Direction> direction = grid::arrowKeyDirection(event->key());
    if (!direction) {
        QWidget::keyPressEvent(event);
        return;
    }
    const list_geometry::Grid layout = grid();
    const int next =
        selected_ < 0 ? 0 : list_geometry::neighbour(selected_, *direction, count(), layout.columns());
    if (next < 0 || next >= count())
        return;
    Select(next);
    setScroll(layout.scrollShowing(next, scroll_));
    // A tip chosen with the keys is chosen as much as one chosen with the mouse.
    if (isBrushList())
        notify(platform::UM_RESOURCEPICKED, 1, kTipChosen);
}

} // namespace resources
