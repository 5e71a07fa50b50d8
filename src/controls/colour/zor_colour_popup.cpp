#include "controls/colour/zor_colour_popup.h"

#include "controls/colour/colour_tables.h"
#include "controls/skin_palette.h"
#include "platform/dialogs.h"
#include "platform/messages.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>

namespace controls {

namespace {

constexpr int kEdge = 2; // the margin: the width of a sunken or raised edge

} // namespace

CZorColourPopup::CZorColourPopup(QWidget* owner, platform::Dialogs& dialogs, const Options& options,
                                 QPoint anchor, int buttonTop)
    : QWidget(owner, Qt::Popup | Qt::FramelessWindowHint), owner_(owner), dialogs_(dialogs),
      initial_(options.initial), current_(options.initial), defaultText_(options.defaultText),
      customText_(options.customText) {
    // A click outside only closes the palette: it is not passed on (it would reopen it on the picker).
    setAttribute(Qt::WA_NoMouseReplay);
    setMouseTracking(true);
    setFont(QApplication::font("QMessageBox"));

    const QFontMetrics metrics(font());
    auto captionSize = [&](const QString& text) {
        return text.isEmpty() ? QSize() : metrics.size(Qt::TextSingleLine, text);
    };
    layout_ = computeColourPopupLayout(kPopupColourCount, kEdge, captionSize(defaultText_),
                                       captionSize(customText_));

    // The screen that holds the button, not necessarily the primary one.
    const QScreen* screen = QGuiApplication::screenAt(anchor);
    if (!screen && owner)
        screen = owner->screen();
    const QRect room = screen ? screen->availableGeometry() : QRect(anchor, layout_.windowSize);
    setGeometry(QRect(placeColourPopup(anchor, layout_.windowSize, buttonTop, room), layout_.windowSize));

    if (initial_ == kDefaultColour && layout_.hasDefault())
        chosen_ = kDefaultBox;
    else if (const int index = popupColourIndex(initial_); index >= 0)
        chosen_ = index;
    else if (layout_.hasCustom())
        chosen_ = kCustomBox;
    hot_ = chosen_;
}

QString CZorColourPopup::toolTipAt(QPoint point) const {
    const int box = layout_.boxAt(point);
    if (box < 0 || box >= kPopupColourCount)
        return {};
    return QString::fromLatin1(popupColours()[static_cast<std::size_t>(box)].name);
}

ColourRef CZorColourPopup::colourOfBox(int box) const {
    if (box == kDefaultBox)
        return kDefaultColour;
    if (box >= 0 && box < kPopupColourCount)
        return popupColours()[static_cast<std::size_t>(box)].colour;
    return initial_; // the custom box until its dialog answers, and no box at all
}

void CZorColourPopup::setHot(int box) {
    if (box == hot_)
        return;
    hot_ = box;
    current_ = colourOfBox(box);
    update();
    platform::sendMessage(owner_, platform::UM_COLOURCHANGE, current_);
}

void CZorColourPopup::end(bool pick) {
    if (ended_)
        return;
    ended_ = true;
    hide();
    ColourRef colour = pick ? current_ : initial_;
    if (pick && hot_ == kCustomBox) {
        if (const auto chosen = dialogs_.chooseColour(owner_, toQColor(initial_)))
            colour = fromQColor(*chosen);
        else {
            pick = false;
            colour = initial_;
        }
    }
    current_ = colour;
    platform::sendMessage(owner_, pick ? platform::UM_COLOURPICKED : platform::UM_COLOURCANCEL, colour);
}

bool CZorColourPopup::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = toolTipAt(help->pos());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this, layout_.boxRect(layout_.boxAt(help->pos())));
        return true;
    }
    return QWidget::event(event);
}

void CZorColourPopup::mouseMoveEvent(QMouseEvent* event) {
    setHot(rect().contains(event->position().toPoint()) ? layout_.boxAt(event->position().toPoint())
                                                        : kNoBox);
}

void CZorColourPopup::mousePressEvent(QMouseEvent* event) {
    // A press outside the popup closes it unchanged; one inside waits for the button to come up.
    if (!rect().contains(event->position().toPoint()))
        end(false);
}

void CZorColourPopup::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    if (!rect().contains(at)) {
        end(false);
        return;
    }
    setHot(layout_.boxAt(at));
    end(true);
}

void CZorColourPopup::keyPressEvent(QKeyEvent* event) {
    auto moveBy = [this](PopupMove move) {
        setHot(movePopupHot(hot_, move, kPopupColourCount, layout_.hasDefault(), layout_.hasCustom()));
    };
    switch (event->key()) {
    case Qt::Key_Left:
        moveBy(PopupMove::Left);
        break;
    case Qt::Key_Right:
        moveBy(PopupMove::Right);
        break;
    case Qt::Key_Up:
        moveBy(PopupMove::Up);
        break;
    case Qt::Key_Down:
        moveBy(PopupMove::Down);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        end(true);
        break;
    case Qt::Key_Escape:
        current_ = initial_;
        end(false);
        break;
    default:
        event->ignore();
        break;
    }
}

void CZorColourPopup::closeEvent(QCloseEvent* event) {
    // Closed from outside (another window took the focus): the choice is abandoned.
    QWidget::closeEvent(event);
    end(false);
}

void CZorColourPopup::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), skin::kPanel);
    // The frame of the palette, with a hairline of the skin's border around it so it stands out from the
    // white panels it opens over.
    p.setPen(QPen(skin::kWindowFace, kEdge));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(rect()).adjusted(kEdge / 2.0, kEdge / 2.0, -kEdge / 2.0, -kEdge / 2.0));
    p.setPen(skin::kBorder);
    p.drawRect(rect().adjusted(0, 0, -1, -1));

    if (layout_.hasDefault())
        paintBox(p, kDefaultBox);
    for (int i = 0; i < kPopupColourCount; ++i)
        paintBox(p, i);
    if (layout_.hasCustom())
        paintBox(p, kCustomBox);
}

void CZorColourPopup::paintBox(QPainter& p, int box) {
    const QRect r = layout_.boxRect(box);
    const bool hot = box == hot_;
    const bool chosen = box == chosen_;
    const bool textBox = box == kDefaultBox || box == kCustomBox;

    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    // Hot boxes are raised in the accent, the chosen one is pressed in; plain boxes stay flat.
    QColor face = textBox ? skin::kWindowFace : skin::kPanel;
    QColor edge = Qt::transparent;
    if (chosen) {
        face = skin::kPressedFace;
        edge = hot ? skin::kAccentBright : skin::kAccent;
    } else if (hot) {
        face = skin::kAccentSoft;
        edge = skin::kAccentBright;
    }
    p.setPen(edge.alpha() ? QPen(edge, 1.0) : Qt::NoPen);
    p.setBrush(face);
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 2.5, 2.5);
    p.restore();

    if (textBox) {
        p.setPen(skin::kText);
        p.drawText(r, Qt::AlignCenter, box == kDefaultBox ? defaultText_ : customText_);
        return;
    }
    const int inset = layout_.margin + 1;
    const QRect swatch = r.adjusted(inset, inset, -inset, -inset);
    p.fillRect(swatch, toQColor(colourOfBox(box)));
    p.setPen(skin::kBorder);
    p.setBrush(Qt::NoBrush);
    p.drawRect(swatch.adjusted(0, 0, -1, -1));
}

} // namespace controls
