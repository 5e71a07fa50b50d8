// The crop step, as the Crop tab, a choice in its panel, the mouse and the "Crop" button do it.
#include "imaging/crop_constraints.h"
#include "recipe/photo_points.h"
#include "recipe/step_handlers.h"
#include "workspace/document.h"
#include "workspace/manipulation/handle_geometry.h"

namespace recipe {

using imaging::Outcome;
using workspace::WorkspaceDocument;

// The constraint is chosen first, which seats the rectangle in the middle of the view; a given rectangle
// then replaces it, cut to the proportion from its top-left corner as dragging its bottom-right corner
// would.
std::optional<Outcome> chooseCropRect(WorkspaceDocument& document, const StepFields& fields) {
    const imaging::CropConstraint& constraint =
        imaging::kCropConstraints[static_cast<std::size_t>(fields.integer("constraint", 0))];
    // Every crop step starts as the first choice after opening the Crop tab does, whatever an earlier
    // step chose.
    document.SetTool(workspace::ToolCrop);
    document.SetCropAspect(0, 0);
    document.resetCropRect();
    document.SetCropAspect(constraint.widthPart, constraint.heightPart);

    if (fields.has("rect")) {
        const BoxEdges edges = fields.box("rect", {});
        if (edges.right > document.canvasWidth() || edges.bottom > document.canvasHeight())
            return failure(QStringLiteral("\"rect\" [%1, %2, %3, %4] reaches outside the %5 × %6 photo")
                               .arg(edges.left)
                               .arg(edges.top)
                               .arg(edges.right)
                               .arg(edges.bottom)
                               .arg(document.canvasWidth())
                               .arg(document.canvasHeight()));
        const QPoint topLeft = windowPoint(document, QPoint(edges.left, edges.top));
        const QPoint bottomRight = windowPoint(document, QPoint(edges.right, edges.bottom));
        const workspace::Rect chosen{topLeft.x(), topLeft.y(), bottomRight.x(), bottomRight.y()};
        document.setCropRect(
            workspace::constrainToAspect(chosen, chosen, 4, constraint.widthPart, constraint.heightPart));
    }
    if (!document.cropCutsPhoto())
        return failure(QString::fromLatin1(WorkspaceDocument::kCropTooSmall));
    return std::nullopt;
}

// The photo is cut to what the rectangle covers, its width to a multiple of 4.
Outcome crop(StepContext& context, const StepFields& fields) {
    WorkspaceDocument& document = context.document;
    if (auto refused = chooseCropRect(document, fields))
        return *refused;
    if (!document.FlattenIntoPhoto(true))
        return failure(QStringLiteral("the photo could not be drawn to be cropped"));
    return Outcome::success();
}

} // namespace recipe
