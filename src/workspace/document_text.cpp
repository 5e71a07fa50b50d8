// Text operations of the document beyond placing and styling: the end of a typing burst.
#include "workspace/document.h"

#include <cstring>

namespace workspace {

void WorkspaceDocument::EndTypingBurst() {
    if (activeText_ < 0 || activeText_ >= objects_.size())
        return;
    const text::TextObject* typed = objects_.get<text::TextObject>(activeText_);
    if (!typed)
        return;
    if (history_.canUndo()) {
        const ObjectList& recorded = history_.step(history_.position()).objects;
        const text::TextObject* before =
            activeText_ < recorded.size() ? recorded.get<text::TextObject>(activeText_) : nullptr;
        if (before && std::strncmp(before->text, typed->text, sizeof typed->text) == 0)
            return;
    }
    RecordObjectStep();
}

} // namespace workspace
