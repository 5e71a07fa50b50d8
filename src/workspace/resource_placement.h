#pragma once
// The placing operations of the decoration resources, which a thumbnail dropped on the canvas is handed
// to. The resource code implements them; the document only decides which one a drop calls.

namespace workspace {

class ResourcePlacement {
public:
    virtual ~ResourcePlacement() = default;
    virtual void PlaceFrame(int index) = 0;
    virtual void PlaceMask(int index) = 0;
    // Centred on the window point (x, y).
    virtual void PlaceClipart(int index, int x, int y) = 0;
    virtual void PlaceDecoration(int index) = 0;
};

} // namespace workspace
