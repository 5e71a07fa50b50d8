#include "recipe/step_fields.h"

#include <QJsonArray>
#include <algorithm>
#include <cmath>

namespace recipe {

namespace {

bool wholeNumberIn(const QJsonValue& value, double minimum, double maximum) {
    if (!value.isDouble())
        return false;
    const double number = value.toDouble();
    return std::isfinite(number) && number == std::floor(number) && number >= minimum && number <= maximum;
}

bool isHexDigit(QChar c) {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

bool isColour(const QJsonValue& value) {
    const QString text = value.toString();
    return value.isString() && text.size() == 7 && text[0] == QLatin1Char('#') &&
           std::all_of(text.begin() + 1, text.end(), isHexDigit);
}

bool numberIn(const QJsonValue& value, double minimum, double maximum) {
    return value.isDouble() && value.toDouble() >= minimum && value.toDouble() <= maximum;
}

} // namespace

bool scalesWithPhoto(FieldType type) {
    return type == FieldType::Point || type == FieldType::Box || type == FieldType::Points ||
           type == FieldType::Height;
}

QString fieldProblem(const FieldRule& given, const QJsonValue& value, bool fractions) {
    const QString name = QStringLiteral("\"%1\"").arg(QLatin1String(given.name));
    // Fractions of the photo are checked against the photo's extent here; the places they give are
    // checked against the rule as the steps run.
    const bool whole = !fractions || !scalesWithPhoto(given.type);
    FieldRule rule = given;
    if (!whole) {
        rule.minimum = given.type == FieldType::Height ? 0 : given.minimum < 0 ? -kMaxPlaceFraction : 0;
        rule.maximum = given.type == FieldType::Height ? 1 : kMaxPlaceFraction;
    }
    const auto fits = [&](const QJsonValue& number) {
        return whole ? wholeNumberIn(number, rule.minimum, rule.maximum)
                     : numberIn(number, rule.minimum, rule.maximum);
    };
    const QString numbers = whole ? QStringLiteral("whole numbers") : QStringLiteral("numbers");
    const QString range = QStringLiteral("from %1 to %2").arg(rule.minimum).arg(rule.maximum);
    switch (rule.type) {
    case FieldType::Integer:
    case FieldType::Height:
        if (!fits(value))
            return QStringLiteral("%1 must be a %2 %3")
                .arg(name, whole ? QStringLiteral("whole number") : QStringLiteral("number"), range);
        break;
    case FieldType::Number:
        if (!numberIn(value, rule.minimum, rule.maximum))
            return QStringLiteral("%1 must be a number %2").arg(name, range);
        break;
    case FieldType::Colour:
        if (!isColour(value))
            return QStringLiteral("%1 must be a colour written \"#RRGGBB\"").arg(name);
        break;
    case FieldType::Point: {
        const QJsonArray pair = value.toArray();
        if (!value.isArray() || pair.size() != 2 || !fits(pair[0]) || !fits(pair[1]))
            return QStringLiteral("%1 must be two %2 [x, y], each %3").arg(name, numbers, range);
        break;
    }
    case FieldType::Box: {
        const QJsonArray edges = value.toArray();
        if (!value.isArray() || edges.size() != 4 || !std::all_of(edges.begin(), edges.end(), fits))
            return QStringLiteral("%1 must be four %2 [left, top, right, bottom], each %3")
                .arg(name, numbers, range);
        if (edges[0].toDouble() >= edges[2].toDouble() || edges[1].toDouble() >= edges[3].toDouble())
            return QStringLiteral("%1 must have its left edge before its right and its top above its bottom")
                .arg(name);
        break;
    }
    case FieldType::Text: {
        const qsizetype bytes = value.toString().toUtf8().size();
        if (!value.isString() || bytes < rule.minimum || bytes > rule.maximum)
            return QStringLiteral("%1 must be a text of %2 to %3 bytes (UTF-8)")
                .arg(name)
                .arg(rule.minimum)
                .arg(rule.maximum);
        break;
    }
    case FieldType::Points: {
        const QJsonArray list = value.toArray();
        const bool valid = value.isArray() && !list.isEmpty() && list.size() <= kMaxPoints &&
                           std::all_of(list.begin(), list.end(), [&](const QJsonValue& point) {
                               const QJsonArray pair = point.toArray();
                               return point.isArray() && pair.size() == 2 && fits(pair[0]) && fits(pair[1]);
                           });
        if (!valid)
            return QStringLiteral("%1 must be a list of 1 to %2 points [[x, y], ...], each number %3")
                .arg(name)
                .arg(kMaxPoints)
                .arg(range);
        break;
    }
    case FieldType::Choice: {
        const QStringList words = QString::fromLatin1(rule.choices).split(QLatin1Char('|'));
        if (!value.isString() || !words.contains(value.toString()))
            return QStringLiteral("%1 must be one of %2").arg(name, words.join(QStringLiteral(", ")));
        break;
    }
    }
    return {};
}

QJsonValue StepFields::value(const char* name) const {
    return object_.value(QLatin1String(name));
}

bool StepFields::has(const char* name) const {
    return object_.contains(QLatin1String(name));
}

int StepFields::integer(const char* name, int fallback) const {
    return has(name) ? value(name).toInt() : fallback;
}

double StepFields::number(const char* name, double fallback) const {
    return has(name) ? value(name).toDouble() : fallback;
}

text::RgbColour StepFields::colour(const char* name, text::RgbColour fallback) const {
    if (!has(name))
        return fallback;
    const unsigned rgb = value(name).toString().mid(1).toUInt(nullptr, 16);
    return text::rgb(static_cast<int>(rgb >> 16), static_cast<int>(rgb >> 8), static_cast<int>(rgb));
}

QPoint StepFields::point(const char* name, QPoint fallback) const {
    if (!has(name))
        return fallback;
    const QJsonArray pair = value(name).toArray();
    return QPoint(pair[0].toInt(), pair[1].toInt());
}

std::vector<QPoint> StepFields::points(const char* name) const {
    std::vector<QPoint> points;
    for (const QJsonValue& point : value(name).toArray()) {
        const QJsonArray pair = point.toArray();
        points.emplace_back(pair[0].toInt(), pair[1].toInt());
    }
    return points;
}

BoxEdges StepFields::box(const char* name, BoxEdges fallback) const {
    if (!has(name))
        return fallback;
    const QJsonArray edges = value(name).toArray();
    return {edges[0].toInt(), edges[1].toInt(), edges[2].toInt(), edges[3].toInt()};
}

QString StepFields::text(const char* name, const QString& fallback) const {
    return has(name) ? value(name).toString() : fallback;
}

} // namespace recipe
