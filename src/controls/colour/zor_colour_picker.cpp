#include "controls/colour/zor_colour_picker.h"

#include "controls/numbered_images.h"
#include "controls/skin_palette.h"
#include "controls/skin_scroll_bar.h"
#include "controls/colour/zor_colour_popup.h"

#include <QPainter>
#include <algorithm>

namespace controls {

namespace {

constexpr int kEdge = 2;         // a raised edge's width and height
constexpr int kFaceWidth = 114;  // the face picture's natural width
constexpr int kLeftEnd = 10;     // copied as it is
constexpr int kStretchFrom = 10; // the middle piece, stretched
constexpr int kStretchTo = 60;
constexpr int kRightEndFrom = 94; // the 20-pixel right end with the chevron
constexpr int kRightEnd = 20;

} // namespace

CZorColourPicker::CZorColourPicker(int controlId, platform::Dialogs& dialogs, QWidget* parent)
    : QAbstractButton(parent), controlId_(controlId), dialogs_(dialogs),
      backgroundColour_(fromQColor(palette().color(QPalette::Button))),
      textColour_(fromQColor(palette().color(QPalette::ButtonText))) {
    // Reachable with Tab; a click leaves the keyboard focus where it was (in the text box, say).
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
    setMinimumSize(minimumSizeHint());
    connect(this, &QAbstractButton::clicked, this, &CZorColourPicker::openPopup);
}

CZorColourPicker::~CZorColourPicker() = default;

int CZorColourPicker::arrowSize() {
    // Five edges, or a scroll bar's thumb, whichever is larger.
    return std::max(5 * kEdge, CSkinScrollBar::kWidth);
}

QSize CZorColourPicker::minimumSizeHint() const {
    return {2 * (kEdge + arrowSize()), arrowSize() + 2 * kEdge};
}

QSize CZorColourPicker::sizeHint() const {
    return minimumSizeHint().expandedTo(QSize(130, 20));
}

QRect CZorColourPicker::swatchRect() const {
    return QRect(QPoint(20, 5), QPoint(width() - 40 - 1, height() - 5 - 1));
}

void CZorColourPicker::SetColour(ColourRef colour) {
    if (pickingMode_ == PickText)
        textColour_ = colour;
    else
        backgroundColour_ = colour;
    if (isVisible())
        repaint();
}

ColourRef CZorColourPicker::GetColour() const {
    return pickingMode_ == PickText ? textColour_ : backgroundColour_;
}

void CZorColourPicker::openPopup() {
    if (popupActive_)
        return;
    popupActive_ = true;
    CZorColourPopup::Options options;
    options.initial = GetColour();
    options.defaultText = defaultText_;
    options.customText = customText_;
    popup_ = std::make_unique<CZorColourPopup>(this, dialogs_, options, mapToGlobal(QPoint(0, height())),
                                               mapToGlobal(QPoint(0, 0)).y());
    popup_->show();
    popup_->setFocus(Qt::PopupFocusReason);
    update();
    notifyParent(platform::UM_COLOURDROPDOWN, GetColour());
}

void CZorColourPicker::popupFinished(ColourRef colour, int endMessage) {
    popupActive_ = false;
    // The popup is still on the call stack that reported the end: delete it once that has returned.
    if (popup_)
        popup_.release()->deleteLater();
    SetColour(colour);
    notifyParent(platform::UM_COLOURCLOSEUP, colour);
    notifyParent(endMessage, colour);
}

void CZorColourPicker::notifyParent(int message, ColourRef colour) {
    if (QWidget* parent = parentWidget())
        platform::sendMessage(parent, message, colour, controlId_);
}

platform::LResult CZorColourPicker::onMessage(int message, platform::WParam wParam, platform::LParam) {
    const auto colour = static_cast<ColourRef>(wParam);
    switch (message) {
    case platform::UM_COLOURPICKED:
    case platform::UM_COLOURCANCEL:
        popupFinished(colour, message);
        break;
    case platform::UM_COLOURCHANGE:
        if (trackSelection_)
            SetColour(colour);
        notifyParent(platform::UM_COLOURCHANGE, colour);
        break;
    default:
        break;
    }
    return 0;
}

bool CZorColourPicker::event(QEvent* event) {
    if (dispatchMessage(event))
        return true;
    return QAbstractButton::event(event);
}

void CZorColourPicker::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const qreal ratio = devicePixelRatioF();
    const QPixmap face = numberedImage(image::ColourPickerFace, QSize(kFaceWidth, height()), ratio);
    const int h = height();
    auto source = [ratio, h](int x, int w) { return QRectF(x * ratio, 0, w * ratio, h * ratio); };
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawPixmap(QRectF(0, 0, kLeftEnd, h), face, source(0, kLeftEnd));
    p.drawPixmap(QRectF(kLeftEnd, 0, std::max(0, width() - kLeftEnd - kRightEnd), h), face,
                 source(kStretchFrom, kStretchTo - kStretchFrom));
    p.drawPixmap(QRectF(width() - kRightEnd, 0, kRightEnd, h), face, source(kRightEndFrom, kRightEnd));

    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF body = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (!isEnabled()) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 140));
        p.drawRoundedRect(body, 4, 4);
    } else if (isDown() || popupActive_) {
        p.setPen(QPen(skin::kAccent, 1.0));
        p.setBrush(QColor(0, 30, 80, 30));
        p.drawRoundedRect(body, 4, 4);
    } else if (underMouse() || hasFocus()) {
        p.setPen(QPen(skin::kAccentBright, 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(body, 4, 4);
    }
    p.setRenderHint(QPainter::Antialiasing, false);

    const QRect swatch = swatchRect();
    if (swatch.isEmpty())
        return;
    const ColourRef colour = GetColour();
    if (colour == kDefaultColour) {
        // No colour of its own: an empty box struck through.
        p.fillRect(swatch, skin::kPanel);
        p.setPen(QPen(skin::kBorder, 1.0));
        p.drawLine(swatch.bottomLeft(), swatch.topRight());
    } else {
        p.fillRect(swatch, toQColor(colour));
    }
    p.setPen(isEnabled() ? skin::kBorder : skin::kBorderLight);
    p.setBrush(Qt::NoBrush);
    p.drawRect(swatch.adjusted(0, 0, -1, -1));
}

} // namespace controls
