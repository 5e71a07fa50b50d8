// The readers of encoded list files: "photoframes" (with photo holes), "photomasks" and "decorate". The
// first byte picks the file; the rest is the file.

#include "resources/resource_library.h"
#include "scratch_library.h"

#include <array>

using namespace fuzz_support;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    startScratchLibrary(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    static const std::array<QString, 3> kFiles{resources::files::kFrames, resources::files::kMasks,
                                               resources::files::kDecorations};
    const QString& name = kFiles[data[0] % kFiles.size()];
    const resources::ResourceLibrary library(scratchFolders());
    clearData();
    writeFile(library.pathOf(name), {data + 1, size - 1});

    for (int index : {0, 1, 2, 3, -1}) {
        const std::optional<resources::EntryHeader> header = library.ReadEntryHeader(name, index);
        if (header && (header->width <= 0 || header->height <= 0 || header->length <= 0 ||
                       header->hole.has_value() != (name == resources::files::kFrames)))
            std::abort();
        const QImage picture = library.ReadEncodedPicture(name, index);
        if (!picture.isNull() &&
            (!header || picture.width() != header->width || picture.height() != header->height ||
             picture.format() != QImage::Format_ARGB32))
            std::abort();
        if (name == resources::files::kMasks) {
            const std::optional<imaging::RasterImage> mask = library.ReadMaskPixels(index);
            if (mask && (!header || mask->width != header->width || mask->height != header->height ||
                         mask->bgra.size() != static_cast<std::size_t>(mask->width) * mask->height * 4))
                std::abort();
        }
    }
    return 0;
}
