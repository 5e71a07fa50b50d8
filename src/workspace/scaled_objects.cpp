#include "workspace/scaled_objects.h"

#include <algorithm>
#include <cmath>

namespace workspace {

namespace {

std::int32_t scaled(std::int32_t value, double by) {
    return static_cast<std::int32_t>(std::lround(value * by));
}

} // namespace

ObjectList scaledObjects(const ObjectList& objects, double sx, double sy) {
    ObjectList result;
    for (int i = 0; i < objects.size(); ++i) {
        ObjectRecord record = objects.at(i);
        std::visit(
            [sx, sy](auto& object) {
                using T = std::decay_t<decltype(object)>;
                if constexpr (std::is_same_v<T, ClipartObject> || std::is_same_v<T, MaskObject> ||
                              std::is_same_v<T, FrameObject> || std::is_same_v<T, DecorationObject>) {
                    object.offsetX = scaled(object.offsetX, sx);
                    object.offsetY = scaled(object.offsetY, sy);
                }
                if constexpr (std::is_same_v<T, ClipartObject>)
                    object.scale = static_cast<float>(object.scale * sx);
                if constexpr (std::is_same_v<T, MaskObject>)
                    object.baseFactor = static_cast<float>(object.baseFactor * sx);
                if constexpr (std::is_same_v<T, BrushStrokeObject>) {
                    for (auto& x : object.xs)
                        x = scaled(x, sx);
                    for (auto& y : object.ys)
                        y = scaled(y, sy);
                    for (float& scale : object.scales)
                        scale = static_cast<float>(scale * sx);
                }
                if constexpr (std::is_same_v<T, text::TextObject>)
                    object.font.height = scaled(object.font.height, sx);
            },
            record);
        result.append(std::move(record));
    }
    return result;
}

std::optional<CanvasCut> scaledCut(const CanvasCut& cut, double sx, double sy, int width, int height) {
    CanvasCut result;
    result.column = std::clamp(static_cast<int>(std::lround(cut.column * sx)), 0, std::max(0, width));
    result.row = std::clamp(static_cast<int>(std::lround(cut.row * sy)), 0, std::max(0, height));
    result.width = std::min(static_cast<int>(cut.width * sx), width - result.column) / 4 * 4;
    result.height = std::min(static_cast<int>(std::lround(cut.height * sy)), height - result.row);
    if (result.empty())
        return std::nullopt;
    return result;
}

} // namespace workspace
