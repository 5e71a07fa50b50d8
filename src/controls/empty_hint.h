#pragma once
// The sentence an empty list or an empty workspace shows in its middle, saying how to fill it.

#include <QRect>
#include <QString>

class QPainter;

namespace controls {

// Draws `hint` centred in `area`, wrapped at word boundaries, in a quiet grey on whatever is there.
void paintEmptyHint(QPainter& painter, const QRect& area, const QString& hint);

} // namespace controls
