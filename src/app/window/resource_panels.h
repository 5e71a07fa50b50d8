#pragma once
// What the main window keeps of the resource library: the five browser lists (each shown inside its tool
// panel, the brush tips inside the brush panel) and the library they read through, which is the
// application's, shared with the workspace.

#include "resources/resource_library.h"
#include "resources/widgets/resource_list.h"

#include <memory>

namespace app {

struct ResourcePanels {
    explicit ResourcePanels(const resources::ResourceLibrary& library) : library(library) {}

    // The list of the panel of this tool mode (0 clipart, 2 mask, 3 frame, 9 decoration); null for
    // other modes.
    resources::CResourceList* byToolMode(int toolMode) const;
    resources::CResourceList* byCategory(resources::ResourceCategory category) const;

    // Outlives the lists, which read through it until they are gone.
    const resources::ResourceLibrary& library;
    std::unique_ptr<resources::CResourceList> frames;
    std::unique_ptr<resources::CResourceList> masks;
    std::unique_ptr<resources::CResourceList> cliparts;
    std::unique_ptr<resources::CResourceList> decorations;
    std::unique_ptr<resources::CResourceList> brushTips;

    // The entry last pressed in the active panel's list, where a drop on the canvas would place it.
    struct Selection {
        int listKind = -1;
        int index = -1;
    } selection;
};

} // namespace app
