#pragma once
// The document as a window shows it: compositions paint the back buffer, which is what the benchmarks
// measure; nothing else of the listener matters to them.

#include "workspace/document_listener.h"

struct ShownDocument : workspace::UnwatchedDocument {
    bool showsComposition() const override { return true; }
};
