#pragma once
// The fields of a recipe step: how each is described in the step table, checked when the recipe is read,
// and read back by the step's handler.

#include "text/text_object.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QPoint>
#include <QString>
#include <vector>

namespace recipe {

enum class FieldType {
    Integer, // a whole number from minimum to maximum
    Number,  // any number from minimum to maximum
    Colour,  // "#RRGGBB"
    Point,   // [x, y], whole numbers each from minimum to maximum
    Box,     // [left, top, right, bottom], whole numbers each from minimum to maximum
    Text,    // a string of minimum to maximum UTF-8 bytes
    Choice,  // one of the words of `choices`
    Points,  // [[x, y], ...]: 1 to kMaxPoints points, whole numbers each from minimum to maximum
    Height,  // a text height: a whole number of photo pixels from minimum to maximum
};

// In a recipe of "units": "fraction", places (Point, Box, Points) and text heights are fractions of the
// photo: x of its width, y of its height, a height of its shorter side. A place may reach this many
// photos past the photo's top-left corner; a height is at most the shorter side.
inline constexpr double kMaxPlaceFraction = 16;
bool scalesWithPhoto(FieldType type);

inline constexpr int kMaxPoints = 10000;

struct FieldRule {
    const char* name;
    FieldType type;
    double minimum = 0;
    double maximum = 0;
    bool required = false;
    const char* choices = nullptr; // Choice: the accepted words, separated by "|"
};

// Why the value does not fit the field, in words naming the field; empty when it fits. With `fractions`,
// places and heights are read as fractions of the photo.
QString fieldProblem(const FieldRule& rule, const QJsonValue& value, bool fractions = false);

// A rectangle by its edges; right and bottom lie just outside it.
struct BoxEdges {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// A step's fields after they were checked against its rules: the readers convert without checking
// again and give the fallback for a field the step leaves out.
class StepFields {
public:
    StepFields() = default;
    explicit StepFields(QJsonObject object) : object_(std::move(object)) {}

    bool has(const char* name) const;
    int integer(const char* name, int fallback) const;
    double number(const char* name, double fallback) const;
    text::RgbColour colour(const char* name, text::RgbColour fallback) const; // 0x00BBGGRR
    QPoint point(const char* name, QPoint fallback) const;
    std::vector<QPoint> points(const char* name) const;
    BoxEdges box(const char* name, BoxEdges fallback) const;
    QString text(const char* name, const QString& fallback) const;
    const QJsonObject& json() const { return object_; }

private:
    QJsonValue value(const char* name) const;

    QJsonObject object_;
};

} // namespace recipe
