#pragma once
// Tooltips that depend on the point under the mouse: a shortened name shown whole, for example.

#include <QPoint>
#include <QString>
#include <functional>

class QEvent;
class QWidget;

namespace controls {

// For a tooltip event on `widget`: shows what `tipAt` gives for the mouse's point, or hides the tooltip
// when it gives nothing, and returns true. Any other event is left alone: false.
bool showPointToolTip(QWidget* widget, QEvent* event, const std::function<QString(QPoint)>& tipAt);

} // namespace controls
