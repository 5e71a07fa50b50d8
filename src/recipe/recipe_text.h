#pragma once
// A recipe as people read it: the fields in the order the help shows them, one step per line with its
// "op" first, and numbers in their shortest form (a scale of 0.8 stays 0.8, not 0.800000011920929).

#include <QByteArray>
#include <QJsonObject>

namespace recipe {

QByteArray recipeText(const QJsonObject& recipe);

} // namespace recipe
