#pragma once
// The operations a recipe step can name. The table in recipe_steps.cpp is the only list of them: a new
// operation is one entry there and one handler. A step's fields carry the names and units of the object
// record fields they set, so a document's objects can be written back out as steps.

#include "imaging/outcome.h"
#include "recipe/step_fields.h"
#include "resources/resource_types.h"

#include <QStringList>
#include <vector>

namespace workspace {
class WorkspaceDocument;
}

namespace recipe {

struct RecipeLibrary;

// What a handler works on: the photo's document, and what the run found once for every photo.
struct StepContext {
    workspace::WorkspaceDocument& document;
    const QString& defaultFace;             // the text panel's first face, for a text step that names none
    const RecipeLibrary* library = nullptr; // the brush tips a stroke paints with
};

// Carries the step out through the document's own operations; a failure's reason is for people and
// does not repeat the step's number or operation.
using StepHandler = imaging::Outcome (*)(StepContext& context, const StepFields& fields);

// A field naming an entry of a library category, checked against the library before a run starts.
struct ResourceField {
    const char* name = nullptr; // null: the step names no entry
    resources::ResourceCategory category = resources::ResourceCategory::Frames;
};

struct StepKind {
    const char* op;
    std::vector<FieldRule> fields;
    StepHandler run;
    ResourceField resource = {};
};

const std::vector<StepKind>& stepKinds();
// Null for a name the table does not hold.
const StepKind* findStepKind(const QString& op);
QStringList stepNames();

} // namespace recipe
