#include "controls/zor_combo_box.h"

#include "controls/dez_list_box.h"
#include "controls/point_tool_tip.h"
#include "controls/skin_palette.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QVBoxLayout>

namespace controls {

namespace {

// The popup window: closes on Escape (the list passes keys it does not use up to it).
class ComboPopup : public QWidget {
public:
    explicit ComboPopup(QWidget* owner) : QWidget(owner, Qt::Popup | Qt::FramelessWindowHint) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape)
            hide();
        else
            QWidget::keyPressEvent(event);
    }
};

} // namespace

CZorComboBox::CZorComboBox(QWidget* parent) : QWidget(parent), popup_(new ComboPopup(this)) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    list_ = new CDezListBox(popup_);
    list_->setActivateOnClick(true);
    auto* layout = new QVBoxLayout(popup_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);
    connect(list_, &CDezListBox::itemActivated, this, [this](int index) {
        hidePopup();
        choose(index);
    });
}

int CZorComboBox::addString(const QString& text) {
    const int index = list_->addString(text);
    if (selected_ >= index)
        ++selected_;
    update();
    return index;
}

void CZorComboBox::resetContent() {
    list_->resetContent();
    selected_ = -1;
    update();
}

int CZorComboBox::count() const {
    return list_->count();
}
QString CZorComboBox::text(int index) const {
    return list_->text(index);
}

bool CZorComboBox::setCurSel(int index) {
    if (index < -1 || index >= count())
        return false;
    selected_ = index;
    update();
    return true;
}

void CZorComboBox::setSorted(bool sorted) {
    list_->setSorted(sorted);
}

void CZorComboBox::setPreviewFonts(bool preview) {
    previewFonts_ = preview;
    list_->setPreviewFonts(preview);
    update();
}

void CZorComboBox::choose(int index) {
    if (index < 0 || index >= count() || index == selected_)
        return;
    selected_ = index;
    update();
    emit selectionChanged(index);
}

void CZorComboBox::showPopup() {
    if (count() == 0 || isPopupVisible())
        return;
    const int rows = std::min(count(), visibleRows_);
    const QSize size(width(), rows * list_->rowHeight() + 2);
    QPoint at = mapToGlobal(QPoint(0, height()));
    if (const QScreen* screen = this->screen()) {
        const QRect room = screen->availableGeometry();
        if (at.y() + size.height() > room.bottom())
            at.setY(mapToGlobal(QPoint(0, 0)).y() - size.height());
    }
    popup_->setGeometry(QRect(at, size));
    list_->setCurSel(selected_);
    popup_->show();
    list_->setFocus();
    update();
}

void CZorComboBox::hidePopup() {
    popup_->hide();
    update();
}

bool CZorComboBox::isPopupVisible() const {
    return popup_->isVisible();
}

void CZorComboBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    setFocus(Qt::MouseFocusReason);
    if (isPopupVisible())
        hidePopup();
    else
        showPopup();
}

void CZorComboBox::keyPressEvent(QKeyEvent* event) {
    const bool alt = event->modifiers() & Qt::AltModifier;
    switch (event->key()) {
    case Qt::Key_F4:
    case Qt::Key_Space:
        showPopup();
        break;
    case Qt::Key_Down:
        if (alt)
            showPopup();
        else
            choose(std::min(count() - 1, selected_ + 1));
        break;
    case Qt::Key_Up:
        choose(std::max(0, selected_ - 1));
        break;
    case Qt::Key_Home:
        choose(0);
        break;
    case Qt::Key_End:
        choose(count() - 1);
        break;
    default:
        event->ignore();
    }
}

void CZorComboBox::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    update();
}

void CZorComboBox::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    update();
}

void CZorComboBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF body = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool enabled = isEnabled();
    const bool hot = enabled && (underMouse() || hasFocus() || isPopupVisible());
    QLinearGradient face(body.topLeft(), body.bottomLeft());
    face.setColorAt(0, enabled ? skin::kFaceTop : skin::kDisabledFace);
    face.setColorAt(1, enabled ? (hot ? skin::kAccentSoft : skin::kFaceBottom) : skin::kDisabledFace);
    p.setPen(QPen(enabled ? (hot ? skin::kAccentBright : skin::kBorder) : skin::kBorderLight, 1.0));
    p.setBrush(face);
    p.drawRoundedRect(body, 4, 4);

    const qreal arrowX = body.right() - 11;
    const qreal cy = body.center().y();
    QPainterPath chevron;
    chevron.moveTo(arrowX - 4, cy - 2);
    chevron.lineTo(arrowX, cy + 2);
    chevron.lineTo(arrowX + 4, cy - 2);
    p.setPen(QPen(enabled ? QColor(80, 88, 102) : skin::kTextDisabled, 1.6, Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(chevron);

    const QFont font = faceFont();
    p.setFont(font);
    p.setPen(enabled ? skin::kText : skin::kTextDisabled);
    const QRect textBox = faceTextBox();
    p.drawText(textBox, Qt::AlignVCenter | Qt::AlignLeft,
               QFontMetrics(font).elidedText(currentText(), Qt::ElideMiddle, textBox.width()));
}

QFont CZorComboBox::faceFont() const {
    QFont font = this->font();
    if (previewFonts_ && selected_ >= 0)
        font.setFamily(currentText());
    return font;
}

QRect CZorComboBox::faceTextBox() const {
    return rect().adjusted(8, 0, -24, 0);
}

QString CZorComboBox::toolTipAt(const QPoint& point) const {
    const QString whole = currentText();
    if (!rect().contains(point) ||
        QFontMetrics(faceFont()).elidedText(whole, Qt::ElideMiddle, faceTextBox().width()) == whole)
        return {};
    return whole;
}

bool CZorComboBox::event(QEvent* event) {
    if (controls::showPointToolTip(this, event, [this](QPoint point) { return toolTipAt(point); }))
        return true;
    return QWidget::event(event);
}

} // namespace controls
