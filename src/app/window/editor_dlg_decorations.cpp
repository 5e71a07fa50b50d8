// The main window's part in decorating: what it says when a frame, mask, clipart or decoration picked or
// dropped from the browser lists cannot be placed, and the rotation and scale dials that turn and size the
// selected one.
#include "app/editor_app.h"
#include "app/window/dial_readouts.h"
#include "app/window/editor_dlg.h"
#include "controls/dial_ctrl.h"
#include "resources/resource_types.h"
#include "workspace/decorations/decoration_geometry.h"
#include "workspace/widgets/workspace_wnd.h"

namespace app {

namespace {

// What the user calls the resource a list category holds, and the library file it comes from.
struct ResourceNames {
    QString what;
    QString file;
};

ResourceNames namesOf(resources::ResourceCategory category) {
    using resources::ResourceCategory;
    namespace files = resources::files;
    switch (category) {
    case ResourceCategory::Frames:
        return {QStringLiteral("frame"), files::kFrames};
    case ResourceCategory::Masks:
        return {QStringLiteral("mask"), files::kMasks};
    case ResourceCategory::Cliparts:
        return {QStringLiteral("clipart"), files::kCliparts};
    case ResourceCategory::Decorations:
        return {QStringLiteral("decoration"), files::kDecorations};
    case ResourceCategory::Brushes:
        return {QStringLiteral("brush tip"), files::kBrushTips};
    }
    return {};
}

} // namespace

void CEditorDlg::turnSelectedObject(int value) {
    rotationDial_->setReadout(degreesReadout(value));
    workspace::WorkspaceDocument& document = workspace_->document();
    if (document.SetSelectedAngle(value))
        document.RecordGestureStep(rotationDial_->gesture());
}

void CEditorDlg::sizeSelectedObject(int value) {
    scaleDial_->setReadout(scaleReadout(value));
    workspace::WorkspaceDocument& document = workspace_->document();
    if (document.SetSelectedScale(value))
        document.RecordGestureStep(scaleDial_->gesture());
}

void CEditorDlg::showObjectSelected(bool selected) {
    rotationDial_->setActive(selected);
    scaleDial_->setActive(selected);
    showSelectedObjectTurn();
}

void CEditorDlg::showSelectedObjectTurn() {
    // A dial showing the last object's turn would claim one the selected object does not have, and its
    // next step would start from there; with nothing to turn the dials rest upright at full size.
    const std::optional<workspace::PictureTurn> turn =
        rotationDial_->isActive() ? workspace_->document().SelectedPictureTurn() : std::nullopt;
    const int angle = turn ? workspace::angleDialFor(turn->angle) : 0;
    const int scale = turn ? workspace::scaleDialFor(turn->scale) : 0;
    rotationDial_->setValue(angle);
    rotationDial_->setReadout(degreesReadout(angle));
    scaleDial_->setValue(scale);
    scaleDial_->setReadout(scaleReadout(scale));
}

void CEditorDlg::reportPlacement(workspace::PlaceResult result, resources::ResourceCategory category) {
    switch (result) {
    case workspace::PlaceResult::Placed:
        refreshStatusReadout();
        workspace_->setFocus();
        break;
    case workspace::PlaceResult::NotFound:
    case workspace::PlaceResult::NotPlaced:
        break; // nothing in the library to place, or the document has already said why
    case workspace::PlaceResult::Unreadable: {
        const ResourceNames names = namesOf(category);
        app_.dialogs().inform(this, QStringLiteral("This %1 could not be read from the library: its entry in "
                                                   "\"%2\" is damaged.\nNothing was placed.")
                                        .arg(names.what, names.file));
        break;
    }
    }
}

} // namespace app
