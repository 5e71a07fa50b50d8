#include "app/window/menu_definitions.h"

#include "app/command_ids.h"
#include "app/window/tool_panels.h"

namespace app {

using controls::MenuItemRecord;

namespace {
MenuItemRecord item(int id, const char* text, bool checked = false) {
    return MenuItemRecord::command(id, QString::fromLatin1(text), checked);
}
MenuItemRecord separator() {
    return MenuItemRecord::separatorRow();
}
} // namespace

std::vector<MenuItemRecord> fileMenuItems() {
    return {item(ID_FILE_IMPORT_PHOTO, "Import Photo"),
            item(ID_FILE_IMPORT_RESOURCE, "Import Editing Resource"),
            separator(),
            item(ID_FILE_PREVIEW, "Preview"),
            separator(),
            item(ID_EXPORT_PHOTO_AREA, "Export Photo Area"),
            item(ID_EXPORT_WHOLE_IMAGE, "Export Whole Image"),
            separator(),
            item(ID_FILE_SAVE_RECIPE, "Save Edits as Recipe..."),
            item(ID_FILE_APPLY_RECIPE, "Apply Recipe to Photos..."),
            separator(),
            item(ID_FILE_EXIT, "Exit")};
}

std::vector<MenuItemRecord> editMenuItems() {
    return {item(ID_EDIT_UNDO, "Undo (Ctrl+Z)"), item(ID_EDIT_REDO, "Redo (Ctrl+Y)"), separator(),
            item(ID_BACKGROUND_COLOUR, "Set Background by Color (Ctrl+R)"),
            item(ID_BACKGROUND_FROM_IMAGE, "Set Current Image as Background (Ctrl+B)")};
}

std::vector<MenuItemRecord> modeMenuItems(bool collageMode) {
    return {item(ID_MODE_SIMPLE, "Simple Photo Mode", !collageMode),
            item(ID_MODE_COLLAGE, "Photo Collage Mode", collageMode)};
}

std::vector<MenuItemRecord> panelMenuItems(int visibleToolMode) {
    // Menu order differs from the tab row: Tunning comes before Crop.
    static constexpr std::pair<int, const char*> kItems[] = {
        {3, "Frame"},   {2, "Mask"}, {0, "Clipart"}, {9, "Decoration"},
        {6, "Tunning"}, {5, "Crop"}, {4, "Text"}};
    std::vector<MenuItemRecord> items;
    for (const auto& [toolMode, text] : kItems)
        items.push_back(item(kToolPanels[static_cast<std::size_t>(toolPanelIndex(toolMode))].panelMenuCommand,
                             text, toolMode == visibleToolMode));
    return items;
}

std::vector<MenuItemRecord> toolMenuItems() {
    return {item(ID_TOOL_SET_WALLPAPER, "Set Photo Area as Wallpaper"),
            item(ID_TOOL_REMOVE_WALLPAPER, "Remove Wallpaper"),
            separator(),
            item(ID_TOOL_CALENDAR, "Add Transparent Month Calender"),
            separator(),
            item(ID_TOOL_BATCH_CONVERT, "Batch Convert"),
            separator(),
            MenuItemRecord::popup(QStringLiteral("Add Linear Filter"),
                                  {item(ID_FILTER_SOFTEN, "Soften"), item(ID_FILTER_SHARPEN, "Sharpen"),
                                   item(ID_FILTER_EDGE_LINEAR, "Edge"), item(ID_FILTER_EMBOSS, "Emboss"),
                                   item(ID_FILTER_BLUR, "Blur"), item(ID_FILTER_GAUSSIAN3, "Gaussian3*3"),
                                   item(ID_FILTER_GAUSSIAN5, "Gaussian5*5")}),
            MenuItemRecord::popup(QStringLiteral("Add Non Linear Filter"),
                                  {item(ID_FILTER_ERODE, "Erode"), item(ID_FILTER_DILATE, "Dilate"),
                                   item(ID_FILTER_NOISE, "Noise"), item(ID_FILTER_EDGE_NONLINEAR, "Edge"),
                                   item(ID_FILTER_JITTER, "Jitter"), item(ID_FILTER_MEDIAN, "Median"),
                                   item(ID_FILTER_CONTOUR, "Contour")})};
}

std::vector<MenuItemRecord> helpMenuItems() {
    return {item(ID_HELP_CONTENT, "Help Content"), item(ID_HELP_ABOUT, "About")};
}

std::vector<MenuItemRecord> exportMenuItems() {
    return {item(ID_EXPORT_PHOTO_AREA, "Export Photo Area"),
            item(ID_EXPORT_WHOLE_IMAGE, "Export Whole Image")};
}

std::vector<MenuItemRecord> backgroundMenuItems() {
    return {item(ID_BACKGROUND_COLOUR, "Set Background by Color (Ctrl+R)"),
            item(ID_BACKGROUND_FROM_IMAGE, "Set Current Image as Background (Ctrl+B)")};
}

} // namespace app
