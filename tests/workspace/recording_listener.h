#pragma once

#include "workspace/document_listener.h"

#include <vector>

// Records what the document tells its window.
struct RecordingListener : workspace::DocumentListener {
    int undoStates = 0;
    int placements = 0;
    int compositions = 0;
    std::vector<int> selections;
    std::vector<int> panels;
    std::vector<QString> editedTexts;
    std::vector<workspace::DocumentProblem> problems;

    void undoStateChanged() override { ++undoStates; }
    void objectSelected(int flag) override { selections.push_back(flag); }
    void showToolPanel(int kind) override { panels.push_back(kind); }
    void objectPlaced() override { ++placements; }
    void editText(const text::TextObject& text) override { editedTexts.push_back(text::textOf(text)); }
    void composed() override { ++compositions; }
    void problemOccurred(workspace::DocumentProblem problem) override { problems.push_back(problem); }
};
