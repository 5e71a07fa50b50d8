#pragma once
// A step's places and text heights between photo pixels and fractions of the photo, so that one recipe
// puts things at the same relative place on photos of any size and shape: x as a fraction of the width,
// y of the height, a text height of the shorter side. A brush stroke keeps its shape: its first point is
// placed so, the others keep their distance from it in fractions of the shorter side.

#include "recipe/recipe_steps.h"

#include <QJsonObject>
#include <QSize>

namespace recipe {

QJsonObject stepInFractions(const StepKind& kind, const QJsonObject& pixels, QSize photo);
// Rounded to the nearest pixel; a step written by stepInFractions comes back exactly.
QJsonObject stepInPixels(const StepKind& kind, const QJsonObject& fractions, QSize photo);

} // namespace recipe
