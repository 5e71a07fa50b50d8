#include "workspace/object_list.h"

#include <algorithm>

namespace workspace {

ObjectKind kindOf(const ObjectRecord& record) {
    struct Kind {
        ObjectKind operator()(const ClipartObject&) const { return Clipart; }
        ObjectKind operator()(const BrushStrokeObject&) const { return BrushStroke; }
        ObjectKind operator()(const MaskObject&) const { return Mask; }
        ObjectKind operator()(const FrameObject&) const { return Frame; }
        ObjectKind operator()(const text::TextObject&) const { return Text; }
        ObjectKind operator()(const ColourAdjustment&) const { return ColourAdjust; }
        ObjectKind operator()(const DecorationObject&) const { return Decoration; }
    };
    return std::visit(Kind{}, record);
}

void ObjectList::clear() {
    records_.clear();
    kinds_.clear();
}

void ObjectList::append(ObjectRecord record) {
    kinds_.push_back(kindOf(record));
    records_.push_back(std::move(record));
}

void ObjectList::removeAt(int index) {
    records_.erase(records_.begin() + index);
    kinds_.erase(kinds_.begin() + index);
}

void ObjectList::move(int from, int to) {
    if (from == to)
        return;
    auto rotateOne = [&](auto& list) {
        const auto first = list.begin();
        if (from < to)
            std::rotate(first + from, first + from + 1, first + to + 1);
        else
            std::rotate(first + to, first + from, first + from + 1);
    };
    rotateOne(records_);
    rotateOne(kinds_);
}

bool ObjectList::contains(ObjectKind kind) const {
    return std::find(kinds_.begin(), kinds_.end(), kind) != kinds_.end();
}

} // namespace workspace
