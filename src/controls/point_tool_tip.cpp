#include "controls/point_tool_tip.h"

#include <QHelpEvent>
#include <QToolTip>

namespace controls {

bool showPointToolTip(QWidget* widget, QEvent* event, const std::function<QString(QPoint)>& tipAt) {
    if (event->type() != QEvent::ToolTip)
        return false;
    const auto* help = static_cast<QHelpEvent*>(event);
    if (const QString tip = tipAt(help->pos()); !tip.isEmpty())
        QToolTip::showText(help->globalPos(), tip, widget);
    else
        QToolTip::hideText();
    return true;
}

} // namespace controls
