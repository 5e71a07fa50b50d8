#pragma once

#include "platform/folders.h"

#include <QTemporaryDir>

namespace platform {

// Contract: a headless mode (convert, screenshot, recipe) writes everything it writes in here, so it never
// writes, moves or deletes the editor's own files (undo file, photo list store, language file, library).
// The folder is fresh and private, and goes with everything in it when this object goes.
class ScratchFolder {
public:
    ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // False when no temporary folder could be made.
    bool isValid() const { return dir_.isValid(); }
    // With a trailing separator.
    QString path() const;
    // `program`'s folders for reading, writing into this scratch folder.
    Folders folders(const Folders& program) const { return program.withScratchFolder(dir_.path()); }

private:
    QTemporaryDir dir_;
};

} // namespace platform
