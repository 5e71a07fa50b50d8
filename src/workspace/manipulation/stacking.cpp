// Deleting the selected object and changing the stacking order.
#include "workspace/document.h"

namespace workspace {

namespace {

bool selectedTextOrClipart(const ObjectRecord& record) {
    if (const auto* text = std::get_if<text::TextObject>(&record))
        return text->selected == 1;
    if (const auto* clipart = std::get_if<ClipartObject>(&record))
        return clipart->selected == 1;
    return false;
}

} // namespace

void WorkspaceDocument::DeleteSelected() {
    if (dragging())
        return; // the drag holds list positions until the button is released
    for (int i = 0; i < objects_.size(); ++i) {
        if (!selectedTextOrClipart(objects_.at(i)))
            continue;
        objects_.removeAt(i);
        if (activeText_ == i)
            activeText_ = -1;
        else if (activeText_ > i)
            --activeText_;
        RecordObjectStep();
        selectionChanged();
        break;
    }
    Recompose(false);
}

// Moves a record and its kind, keeping the active text index on the text it designates.
void WorkspaceDocument::moveObject(int from, int to) {
    objects_.move(from, to);
    if (activeText_ == from)
        activeText_ = to;
    else if (from < activeText_ && activeText_ <= to)
        --activeText_;
    else if (to <= activeText_ && activeText_ < from)
        ++activeText_;
}

// The first selected object of the tool's kind (text and clipart tools only) at a position that
// `qualifies`; -1 when there is none.
int WorkspaceDocument::stackingCandidate(bool (*qualifies)(int position, int size)) const {
    if (dragging() || (tool_ != ToolText && tool_ != ToolClipart))
        return -1;
    const ObjectKind kind = tool_ == ToolText ? Text : Clipart;
    for (int i = 0; i < objects_.size(); ++i) {
        if (objects_.kind(i) == kind && selectedTextOrClipart(objects_.at(i)) &&
            qualifies(i, objects_.size()))
            return i;
    }
    return -1;
}

// Each move is recorded after it is made, so the step describes the new order, and only when something
// moved, so Undo never has an empty step to walk over.
void WorkspaceDocument::BringForward() {
    const int i = stackingCandidate([](int position, int size) { return position < size - 1; });
    if (i >= 0) {
        moveObject(i, i + 1);
        RecordObjectStep();
    }
    Recompose(false);
}

void WorkspaceDocument::SendBackward() {
    const int i = stackingCandidate([](int position, int) { return position > 0; });
    if (i >= 0) {
        moveObject(i, i - 1);
        RecordObjectStep();
    }
    Recompose(false);
}

void WorkspaceDocument::BringToFront() {
    const int i = stackingCandidate([](int, int) { return true; });
    if (i >= 0 && i < objects_.size() - 1) {
        moveObject(i, objects_.size() - 1);
        RecordObjectStep();
    }
    Recompose(false);
}

void WorkspaceDocument::SendToBack() {
    const int i = stackingCandidate([](int, int) { return true; });
    if (i > 0) {
        moveObject(i, 0);
        RecordObjectStep();
    }
    Recompose(false);
}

} // namespace workspace
