#pragma once

#include "text/text_object.h"

namespace workspace {

// What went wrong in a way the user must be told of.
enum class DocumentProblem {
    RenderFailed,         // no memory to draw the composition: the operation changed nothing
    UndoHistoryRestarted, // the undo file could not be written: earlier edits can no longer be undone
};

// What the document tells the window around it. The workspace widget turns these into private messages
// to the main window and into calls on the text panel.
class DocumentListener {
public:
    virtual ~DocumentListener() = default;
    virtual void undoStateChanged() = 0;       // the Undo and Redo buttons need updating
    virtual void objectSelected(int flag) = 0; // 1: an object that turns and scales is selected; 0: none
    virtual void showToolPanel(int kind) = 0;  // an object of this kind was restored by undo or redo
    virtual void objectPlaced() = 0;           // brush painting was switched off by a placement
    // This text became the selected one: the text panel shows its words and settings. The keyboard focus
    // is not the document's.
    virtual void editText(const text::TextObject& text) = 0;
    virtual void composed() = 0; // the back buffer holds a new picture for the screen
    virtual void problemOccurred(DocumentProblem) {}
    // False when nothing shows the back buffer: compositions then paint nothing into it, but still bring
    // every object's place up to date.
    virtual bool showsComposition() const { return true; }
};

// For a document that no window shows, such as one a recipe edits headless.
class UnwatchedDocument : public DocumentListener {
public:
    void undoStateChanged() override {}
    void objectSelected(int) override {}
    void showToolPanel(int) override {}
    void objectPlaced() override {}
    void editText(const text::TextObject&) override {}
    void composed() override {}
    bool showsComposition() const override { return false; }
};

} // namespace workspace
