#pragma once
// The ordered object list of the document: position 0 is drawn first, the last on top. A parallel list
// of kind codes always has the same length.

#include "text/text_object.h"
#include "workspace/object_records.h"

#include <variant>
#include <vector>

namespace workspace {

using ObjectRecord = std::variant<ClipartObject, BrushStrokeObject, MaskObject, FrameObject, text::TextObject,
                                  ColourAdjustment, DecorationObject>;

ObjectKind kindOf(const ObjectRecord& record);

class ObjectList {
public:
    int size() const { return static_cast<int>(records_.size()); }
    bool empty() const { return records_.empty(); }
    void clear();
    // Appends the record; its kind code follows from its type.
    void append(ObjectRecord record);
    void removeAt(int index);
    // Takes the record and its kind out and puts both back at `to` (a position of the list as it is).
    void move(int from, int to);

    ObjectRecord& at(int index) { return records_[static_cast<std::size_t>(index)]; }
    const ObjectRecord& at(int index) const { return records_[static_cast<std::size_t>(index)]; }
    ObjectKind kind(int index) const {
        return static_cast<ObjectKind>(kinds_[static_cast<std::size_t>(index)]);
    }
    const std::vector<int>& kinds() const { return kinds_; }

    bool contains(ObjectKind kind) const;
    // The record at index as T, or null when it is of another kind.
    template <typename T> T* get(int index) { return std::get_if<T>(&at(index)); }
    template <typename T> const T* get(int index) const { return std::get_if<T>(&at(index)); }

private:
    std::vector<ObjectRecord> records_;
    std::vector<int> kinds_;
};

} // namespace workspace
