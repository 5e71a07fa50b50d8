#pragma once
// The open photo's edits written out as a recipe: the record of what was turned into pixels, and when,
// followed by the objects still on the photo, each stated by the steps that place it again exactly, so
// that running the recipe on the same photo gives the same picture as its export.

#include <QByteArray>
#include <QString>

namespace workspace {
class WorkspaceDocument;
}

namespace recipe {

struct WrittenRecipe {
    QByteArray json; // empty when the edits cannot be stated
    QString problem; // then: what cannot be stated, for people
};

WrittenRecipe writeRecipe(const workspace::WorkspaceDocument& document);

// The recipe of `document` written to `path` whole or not at all; why not, for people, or empty.
QString saveRecipe(const workspace::WorkspaceDocument& document, const QString& path);

} // namespace recipe
