#pragma once
// The placing operations of the decoration resources, which a thumbnail picked in a browser list or
// dropped on the canvas is handed to. The document implements them; tests may stand in for it.

namespace workspace {

enum class PlaceResult {
    Placed,
    // No library, or its category file is missing: nothing happens and nobody is told.
    NotFound,
    // The file is there but the entry cannot be read or decoded: nothing was changed, and the user is
    // told once.
    Unreadable,
    // The objects could not be flattened first; nothing was changed, and the document has said why.
    NotPlaced,
};

class ResourcePlacement {
public:
    virtual ~ResourcePlacement() = default;
    virtual PlaceResult PlaceFrame(int index) = 0;
    virtual PlaceResult PlaceMask(int index) = 0;
    // Centred on the window point (x, y).
    virtual PlaceResult PlaceClipart(int index, int x, int y) = 0;
    virtual PlaceResult PlaceDecoration(int index) = 0;
};

} // namespace workspace
