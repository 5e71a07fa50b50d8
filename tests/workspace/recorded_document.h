#pragma once
// A document in an 820 × 620 window whose listener records what the document tells it: the start most
// document tests share.

#include "recording_listener.h"
#include "support/temp_folder.h"
#include "workspace/document.h"

#include <memory>

struct RecordedDocument {
    testing_support::TempFolder folder;
    RecordingListener listener;
    std::unique_ptr<workspace::WorkspaceDocument> document =
        std::make_unique<workspace::WorkspaceDocument>(folder.path(), listener, QSize(820, 620));

    // Opens the photo as the editor opens a listed one, and draws it.
    void load(imaging::PhotoBuffer photo) {
        document->setLoadedPicture(std::move(photo), false, 0, "/pictures/p.jpg");
        document->keepLoadedPhoto();
        document->Recompose(false);
    }
};
