#pragma once
// The five browser lists of the main window and the numbers each one goes by.

#include "resources/resource_types.h"

#include <QString>
#include <array>

namespace resources {

struct BrowserListSetup {
    // Also the list window's child identifier.
    int listNumber;
    // The category of the entries, reported when an entry is picked up for dragging.
    ResourceCategory kind;
    // The first parameter of UM_RESOURCEPICKED when an entry is chosen (the tool mode of its panel).
    int pickCode;
    // The raw list file the thumbnails come from.
    QString rawList;
    // The caption of the button under the grid; empty for the brush tips, which have none.
    QString buttonCaption;
    int cellSize;
};

namespace lists {
inline const BrowserListSetup kCliparts{
    0, ResourceCategory::Cliparts, 0, files::kCliparts, QStringLiteral("Add"), 64};
inline const BrowserListSetup kMasks{
    1, ResourceCategory::Masks, 2, files::kMaskThumbnails, QStringLiteral("Apply"), 64};
inline const BrowserListSetup kDecorations{
    2, ResourceCategory::Decorations, 9, files::kDecorationThumbnails, QStringLiteral("Apply"), 64};
inline const BrowserListSetup kFrames{
    3, ResourceCategory::Frames, 3, files::kFrameThumbnails, QStringLiteral("Apply"), 64};
inline const BrowserListSetup kBrushTips{5, ResourceCategory::Brushes, 1, files::kBrushTips, QString(), 50};
} // namespace lists

// The list that shows a category.
inline const BrowserListSetup& browserListOf(ResourceCategory category) {
    switch (category) {
    case ResourceCategory::Frames:
        return lists::kFrames;
    case ResourceCategory::Masks:
        return lists::kMasks;
    case ResourceCategory::Cliparts:
        return lists::kCliparts;
    case ResourceCategory::Decorations:
        return lists::kDecorations;
    case ResourceCategory::Brushes:
        return lists::kBrushTips;
    }
    return lists::kFrames;
}

} // namespace resources
