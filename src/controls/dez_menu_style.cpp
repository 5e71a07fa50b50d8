#include "controls/dez_menu_style.h"

#include "controls/skin_palette.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

namespace controls {

namespace {

constexpr int kRowHeight = 24;
constexpr int kSeparatorHeight = 9;
constexpr int kCheckColumn = 30;
constexpr int kRightColumn = 34;

void drawCheck(QPainter& p, const QRectF& box, const QColor& colour) {
    QPainterPath tick;
    tick.moveTo(box.left() + box.width() * 0.18, box.top() + box.height() * 0.52);
    tick.lineTo(box.left() + box.width() * 0.42, box.top() + box.height() * 0.76);
    tick.lineTo(box.left() + box.width() * 0.84, box.top() + box.height() * 0.26);
    p.setPen(QPen(colour, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

void drawSubmenuArrow(QPainter& p, const QPointF& c, const QColor& colour) {
    QPainterPath chevron;
    chevron.moveTo(c.x() - 2, c.y() - 4);
    chevron.lineTo(c.x() + 2, c.y());
    chevron.lineTo(c.x() - 2, c.y() + 4);
    p.setPen(QPen(colour, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(chevron);
}

} // namespace

DezMenuStyle::DezMenuStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

DezMenuStyle* DezMenuStyle::instance() {
    static QPointer<DezMenuStyle> style;
    if (!style) {
        style = new DezMenuStyle;
        style->setParent(qApp);
    }
    return style;
}

int DezMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    switch (metric) {
    case PM_MenuPanelWidth:
        return 1;
    case PM_MenuHMargin:
        return 3;
    case PM_MenuVMargin:
        return 4;
    case PM_SubMenuOverlap:
        return 4;
    case PM_MenuDesktopFrameWidth:
        return 0;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

int DezMenuStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const {
    switch (hint) {
    case SH_Menu_FlashTriggeredItem:
        return 0;
    case SH_Menu_MouseTracking:
    case SH_Menu_Scrollable:
        return 1;
    case SH_Menu_SubMenuPopupDelay:
        return 180;
    default:
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
}

QSize DezMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                     const QWidget* widget) const {
    if (type != CT_MenuItem)
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (!item)
        return size;
    if (item->menuItemType == QStyleOptionMenuItem::Separator)
        return {size.width(), kSeparatorHeight};
    const QFontMetrics metrics(item->font);
    const int text = metrics.horizontalAdvance(QString(item->text).remove(QLatin1Char('&')));
    return {kCheckColumn + text + kRightColumn, std::max(kRowHeight, metrics.height() + 8)};
}

void DezMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
    switch (element) {
    case PE_PanelMenu:
        painter->fillRect(option->rect, skin::kPanel);
        return;
    case PE_FrameMenu:
        painter->save();
        painter->setPen(skin::kBorder);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
        return;
    default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

void DezMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const {
    if (element == CE_MenuEmptyArea) {
        painter->fillRect(option->rect, skin::kPanel);
        return;
    }
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element != CE_MenuItem || !item) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    const QRect row = item->rect;
    painter->fillRect(row, skin::kPanel);
    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        painter->setPen(QPen(QColor(224, 227, 232), 1.0));
        const qreal y = row.center().y() + 0.5;
        painter->drawLine(QPointF(row.left() + 8, y), QPointF(row.right() - 8, y));
        painter->restore();
        return;
    }
    const bool enabled = item->state & State_Enabled;
    const bool selected = enabled && (item->state & State_Selected);
    if (selected) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(skin::kAccent);
        painter->drawRoundedRect(QRectF(row).adjusted(2, 1, -2, -1), 4, 4);
    }
    const QColor ink = selected ? QColor(Qt::white) : (enabled ? skin::kText : skin::kTextDisabled);
    if (item->checked) {
        const QRectF box(row.left() + 9, row.center().y() - 6.5, 13, 13);
        drawCheck(*painter, box,
                  selected ? QColor(Qt::white) : (enabled ? skin::kAccent : skin::kTextDisabled));
    }
    painter->setPen(ink);
    painter->setFont(item->font);
    const QRect textBox = row.adjusted(kCheckColumn, 0, -kRightColumn + 8, 0);
    const QStringList parts = item->text.split(QLatin1Char('\t'));
    painter->drawText(textBox, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextShowMnemonic, parts.value(0));
    if (parts.size() > 1)
        painter->drawText(textBox, Qt::AlignVCenter | Qt::AlignRight, parts.value(1));
    if (item->menuItemType == QStyleOptionMenuItem::SubMenu)
        drawSubmenuArrow(*painter, QPointF(row.right() - 12, row.center().y() + 0.5), ink);
    painter->restore();
}

} // namespace controls
