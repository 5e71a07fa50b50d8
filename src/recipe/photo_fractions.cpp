#include "recipe/photo_fractions.h"

#include <QJsonArray>
#include <algorithm>
#include <cmath>

namespace recipe {

namespace {

// Photo pixels per unit of each axis and of the shorter side.
struct Scales {
    double x;
    double y;
    double shorter;
};

Scales scalesOf(QSize photo) {
    const double width = std::max(1, photo.width());
    const double height = std::max(1, photo.height());
    return {width, height, std::min(width, height)};
}

// Each number of `value` (a number, [x, y], [l, t, r, b] or [[x, y], ...]) carried by `convert`, which
// takes the number, whether it is a y, and for a further point of a list the list's first point.
template <typename Convert> QJsonValue converted(FieldType type, const QJsonValue& value, Convert&& convert) {
    const auto point = [&](const QJsonValue& pair, const QJsonArray* first) {
        const QJsonArray xy = pair.toArray();
        return QJsonArray{convert(xy[0].toDouble(), false, first ? (*first)[0].toDouble() : NAN),
                          convert(xy[1].toDouble(), true, first ? (*first)[1].toDouble() : NAN)};
    };
    switch (type) {
    case FieldType::Height:
        return convert(value.toDouble(), false, NAN);
    case FieldType::Point:
        return point(value, nullptr);
    case FieldType::Box: {
        const QJsonArray edges = value.toArray();
        QJsonArray out;
        for (qsizetype i = 0; i < edges.size(); ++i)
            out.append(convert(edges[i].toDouble(), i % 2 == 1, NAN));
        return out;
    }
    case FieldType::Points: {
        const QJsonArray points = value.toArray();
        const QJsonArray first = points.first().toArray();
        QJsonArray out{point(first, nullptr)};
        for (qsizetype i = 1; i < points.size(); ++i)
            out.append(point(points[i], &first));
        return out;
    }
    default:
        return value;
    }
}

template <typename Convert>
QJsonObject convertedStep(const StepKind& kind, QJsonObject step, Convert&& convert) {
    for (const FieldRule& rule : kind.fields) {
        const auto at = step.find(QLatin1String(rule.name));
        if (at == step.end() || !scalesWithPhoto(rule.type))
            continue;
        const bool height = rule.type == FieldType::Height;
        *at = converted(rule.type, *at, [&](double number, bool isY, double first) {
            return convert(number, height ? -1 : isY ? 1 : 0, first);
        });
    }
    return step;
}

} // namespace

QJsonObject stepInFractions(const StepKind& kind, const QJsonObject& pixels, QSize photo) {
    const Scales scales = scalesOf(photo);
    // Six decimals bring each number back to its pixel on any working copy (at most 1600 pixels a side,
    // so within a thousandth of a pixel) and keep the file readable.
    const auto sixDecimals = [](double fraction) { return std::round(fraction * 1e6) / 1e6; };
    return convertedStep(kind, pixels, [&](double number, int axis, double first) {
        const double along = axis < 0 ? scales.shorter : axis == 1 ? scales.y : scales.x;
        if (std::isnan(first) || axis < 0)
            return sixDecimals(number / along);
        return sixDecimals(sixDecimals(first / along) + (number - first) / scales.shorter);
    });
}

QJsonObject stepInPixels(const StepKind& kind, const QJsonObject& fractions, QSize photo) {
    const Scales scales = scalesOf(photo);
    return convertedStep(kind, fractions, [&](double number, int axis, double first) {
        const double along = axis < 0 ? scales.shorter : axis == 1 ? scales.y : scales.x;
        if (std::isnan(first) || axis < 0)
            return double(std::lround(number * along));
        return double(std::lround(first * along) + std::lround((number - first) * scales.shorter));
    });
}

} // namespace recipe
