#include "text_layout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace text {
namespace {

qreal sideRoom(const ScaledFont& font) {
    return font.pixelSize() / 6.0;
}

template <typename Visit>
void forEachBaseline(const QFont& font, const QStringList& lines, QPointF topLeft, Visit visit) {
    const QFontMetricsF metrics(font);
    const qreal x = topLeft.x() + font.pixelSize() / 6.0;
    qreal baseline = topLeft.y() + metrics.ascent();
    for (const QString& line : lines) {
        if (!line.isEmpty())
            visit(QPointF(x, baseline), line);
        baseline += metrics.lineSpacing();
    }
}

} // namespace

QStringList splitLines(QStringView text) {
    QString plain = text.toString();
    plain.remove(QLatin1Char('\r'));
    return plain.split(QLatin1Char('\n'));
}

QSizeF layoutBox(const ScaledFont& font, const QStringList& lines) {
    const QFontMetricsF metrics(font.font);
    qreal widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return {widest * font.scale + 2 * sideRoom(font), lines.size() * metrics.lineSpacing() * font.scale};
}

QPointF inkExtent(const ScaledFont& font, const QStringList& lines) {
    const QFontMetricsF metrics(font.font);
    QPointF extent;
    forEachBaseline(font.font, lines, QPointF(), [&](QPointF origin, const QString& line) {
        const QRectF ink = metrics.boundingRect(line).translated(origin);
        extent.setX(std::max(extent.x(), ink.right() * font.scale));
        extent.setY(std::max(extent.y(), ink.bottom() * font.scale));
    });
    return extent;
}

QPainterPath textPath(const QFont& font, const QStringList& lines, QPointF topLeft) {
    QPainterPath path;
    forEachBaseline(font, lines, topLeft,
                    [&](QPointF origin, const QString& line) { path.addText(origin, font, line); });
    path.setFillRule(Qt::WindingFill);
    return path;
}

void drawLines(QPainter& painter, const QFont& font, const QStringList& lines, QPointF topLeft) {
    painter.setFont(font);
    forEachBaseline(font, lines, topLeft,
                    [&](QPointF origin, const QString& line) { painter.drawText(origin, line); });
}

} // namespace text
