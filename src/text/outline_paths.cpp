#include "outline_paths.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <utility>

namespace text {
namespace {

constexpr int kMaxCurveSegments = 64;

// Segments needed so that a cubic's flattening stays within the flatness: the deviation of n chords
// is at most 3/4 of the largest second difference of the control points over n squared.
int segmentsFor(QPointF p0, QPointF p1, QPointF p2, QPointF p3, qreal flatness) {
    const QPointF d1 = p0 - 2 * p1 + p2;
    const QPointF d2 = p1 - 2 * p2 + p3;
    const qreal bend = std::max(std::hypot(d1.x(), d1.y()), std::hypot(d2.x(), d2.y()));
    const auto n = static_cast<int>(std::ceil(std::sqrt(0.75 * bend / flatness)));
    return std::clamp(n, 1, kMaxCurveSegments);
}

QPointF cubicPoint(QPointF p0, QPointF p1, QPointF p2, QPointF p3, qreal t) {
    const qreal u = 1 - t;
    return u * u * u * p0 + 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t * p3;
}

void addSegment(QPainterPath& lit, QPainterPath& shaded, QPointF from, QPointF to) {
    QPainterPath& side = to.x() > from.x() || to.y() > from.y() ? lit : shaded;
    side.moveTo(from);
    side.lineTo(to);
}

// Element ranges [first, end) of the path's figures.
std::vector<std::pair<int, int>> figureRanges(const QPainterPath& path) {
    std::vector<std::pair<int, int>> ranges;
    for (int i = 0; i < path.elementCount(); ++i)
        if (path.elementAt(i).isMoveTo())
            ranges.emplace_back(i, i);
    for (std::size_t r = 0; r < ranges.size(); ++r)
        ranges[r].second = r + 1 < ranges.size() ? ranges[r + 1].first : path.elementCount();
    return ranges;
}

void appendElements(QPainterPath& target, const QPainterPath& source, std::pair<int, int> range) {
    for (int i = range.first; i < range.second; ++i) {
        const QPainterPath::Element element = source.elementAt(i);
        if (element.isMoveTo()) {
            target.moveTo(element);
        } else if (element.isLineTo()) {
            target.lineTo(element);
        } else if (element.isCurveTo() && i + 2 < range.second) {
            target.cubicTo(element, source.elementAt(i + 1), source.elementAt(i + 2));
            i += 2;
        }
    }
}

int rootOf(std::vector<int>& parent, int i) {
    while (parent[static_cast<std::size_t>(i)] != i)
        i = parent[static_cast<std::size_t>(i)] =
            parent[static_cast<std::size_t>(parent[static_cast<std::size_t>(i)])];
    return i;
}

} // namespace

std::vector<QPainterPath> figureClusters(const QPainterPath& path, qreal margin) {
    const std::vector<std::pair<int, int>> ranges = figureRanges(path);
    const int count = static_cast<int>(ranges.size());
    std::vector<QRectF> bounds;
    for (const auto& range : ranges) {
        QPainterPath figure;
        appendElements(figure, path, range);
        bounds.push_back(figure.controlPointRect().adjusted(-margin, -margin, margin, margin));
    }
    std::vector<int> parent(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        parent[static_cast<std::size_t>(i)] = i;
    for (int i = 0; i < count; ++i)
        for (int j = i + 1; j < count; ++j)
            if (bounds[static_cast<std::size_t>(i)].intersects(bounds[static_cast<std::size_t>(j)]))
                parent[static_cast<std::size_t>(rootOf(parent, j))] = rootOf(parent, i);

    std::vector<QPainterPath> clusters;
    std::vector<int> clusterOfRoot(static_cast<std::size_t>(count), -1);
    for (int i = 0; i < count; ++i) {
        int& cluster = clusterOfRoot[static_cast<std::size_t>(rootOf(parent, i))];
        if (cluster < 0) {
            cluster = static_cast<int>(clusters.size());
            clusters.emplace_back();
            clusters.back().setFillRule(path.fillRule());
        }
        appendElements(clusters[static_cast<std::size_t>(cluster)], path,
                       ranges[static_cast<std::size_t>(i)]);
    }
    return clusters;
}

QPainterPath flattenedPath(const QPainterPath& path, qreal flatness) {
    QPainterPath flat;
    flat.setFillRule(path.fillRule());
    QPointF current;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element element = path.elementAt(i);
        switch (element.type) {
        case QPainterPath::MoveToElement:
            flat.moveTo(element);
            current = element;
            break;
        case QPainterPath::LineToElement:
            flat.lineTo(element);
            current = element;
            break;
        case QPainterPath::CurveToElement: {
            const QPointF c1 = element;
            const QPointF c2 = path.elementAt(i + 1);
            const QPointF end = path.elementAt(i + 2);
            const int n = segmentsFor(current, c1, c2, end, flatness);
            for (int k = 1; k < n; ++k)
                flat.lineTo(cubicPoint(current, c1, c2, end, qreal(k) / n));
            flat.lineTo(end);
            current = end;
            i += 2;
            break;
        }
        case QPainterPath::CurveToDataElement:
            break;
        }
    }
    return flat;
}

QPainterPath unionOutline(const QPainterPath& path, qreal flatness) {
    QPainterPath flat = flattenedPath(path, flatness);
    flat.setFillRule(Qt::WindingFill);
    return flat.simplified();
}

void drawBevelOutline(QPainter& painter, const QPainterPath& outline, const QPen& lit, const QPen& shaded) {
    QPainterPath litSegments;
    QPainterPath shadedSegments;
    QPointF figureStart;
    QPointF current;
    bool inFigure = false;
    const auto closeFigure = [&] {
        if (inFigure && current != figureStart)
            addSegment(litSegments, shadedSegments, current, figureStart);
    };
    for (int i = 0; i < outline.elementCount(); ++i) {
        const QPainterPath::Element element = outline.elementAt(i);
        if (element.isMoveTo()) {
            closeFigure();
            figureStart = current = element;
            inFigure = true;
        } else if (element.isLineTo()) {
            addSegment(litSegments, shadedSegments, current, element);
            current = element;
        }
    }
    closeFigure();
    painter.strokePath(litSegments, lit);
    painter.strokePath(shadedSegments, shaded);
}

} // namespace text
