#include "imaging/codecs/metafile/gdi_objects.h"

namespace imaging::codecs {

std::optional<std::size_t> ObjectTable::addAtLowestFree(GdiObject object) {
    std::size_t index = slots_.size();
    if (!freed_.empty()) {
        index = *freed_.begin();
        freed_.erase(freed_.begin());
    } else if (index >= capacity_) {
        return std::nullopt;
    } else {
        slots_.emplace_back();
    }
    slots_[index] = std::move(object);
    return index;
}

bool ObjectTable::put(std::size_t index, GdiObject object) {
    if (index >= capacity_)
        return false;
    if (index >= slots_.size()) {
        for (std::size_t i = slots_.size(); i < index; ++i)
            freed_.insert(i);
        slots_.resize(index + 1);
    }
    freed_.erase(index);
    slots_[index] = std::move(object);
    return true;
}

const GdiObject* ObjectTable::get(std::size_t index) const {
    if (index >= slots_.size() || !slots_[index])
        return nullptr;
    return &*slots_[index];
}

void ObjectTable::remove(std::size_t index) {
    if (index >= slots_.size() || !slots_[index])
        return;
    slots_[index].reset();
    freed_.insert(index);
}

std::optional<GdiObject> stockObject(std::uint32_t index) {
    switch (index) {
    case 0: // white brush
        return GdiBrush{kBsSolid, QColor(255, 255, 255), 0, {}};
    case 1:
        return GdiBrush{kBsSolid, QColor(192, 192, 192), 0, {}};
    case 2:
        return GdiBrush{kBsSolid, QColor(128, 128, 128), 0, {}};
    case 3:
        return GdiBrush{kBsSolid, QColor(64, 64, 64), 0, {}};
    case 4:
        return GdiBrush{kBsSolid, QColor(0, 0, 0), 0, {}};
    case 5: // null brush
        return GdiBrush{kBsNull, QColor(0, 0, 0), 0, {}};
    case 6: // white pen
        return GdiPen{kPsSolid, 0, QColor(255, 255, 255)};
    case 7:
        return GdiPen{kPsSolid, 0, QColor(0, 0, 0)};
    case 8: // null pen
        return GdiPen{kPsNull, 0, QColor(0, 0, 0)};
    case 10: // the fixed and variable system fonts
    case 11:
    case 12:
    case 13:
    case 14:
    case 16:
    case 17:
        return GdiFont{};
    case 15:
        return GdiPalette{};
    case 18: // DC brush and pen: white and black until changed, which we do not record
        return GdiBrush{kBsSolid, QColor(255, 255, 255), 0, {}};
    case 19:
        return GdiPen{kPsSolid, 0, QColor(0, 0, 0)};
    default:
        return std::nullopt;
    }
}

} // namespace imaging::codecs
