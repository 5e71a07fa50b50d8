// The readers of raw list files (cliparts, brush tips, every thumbnail file): the whole-list reader of
// the browser and the single-entry reader of the composer. The input is the file.

#include "resources/resource_library.h"
#include "scratch_library.h"

using namespace fuzz_support;

namespace {

// Every picture handed out has an acceptable size and the 32-bit layout the lists and the composer use.
void checkPicture(const QImage& picture) {
    if (picture.isNull())
        return;
    if (picture.format() != QImage::Format_ARGB32 ||
        !resources::rawSizeAcceptable(picture.width(), picture.height()))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    startScratchLibrary(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const resources::ResourceLibrary library(scratchFolders());
    writeFile(library.pathOf(resources::files::kCliparts), {data, size});

    const resources::ResourceLibrary::RawList list = library.ReadRawList(resources::files::kCliparts);
    for (const QImage& picture : list.pictures) {
        if (picture.isNull())
            std::abort();
        checkPicture(picture);
    }
    // Single entries agree with the whole list.
    for (int index : {0, 1, 2, static_cast<int>(list.pictures.size()) - 1, 1 << 30}) {
        const QImage entry = library.ReadRawPicture(resources::files::kCliparts, index);
        checkPicture(entry);
        if (index >= 0 && index < static_cast<int>(list.pictures.size()) && entry != list.pictures[index])
            std::abort();
    }
    return 0;
}
