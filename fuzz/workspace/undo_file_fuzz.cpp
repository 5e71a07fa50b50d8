// The undo file as the history reads and rewrites it: records found by their length fields, each photo
// decoded as undo and redo do, and the file cut after a record or rewritten without one. The first input
// byte picks the record to cut after and to drop; the rest is the file. Beyond "no crash" it checks that
// records are read whole or not at all, that a decoded photo keeps the photo buffer's rules, and that
// cutting and dropping keep exactly the records they promise.

#include "../resources/scratch_library.h"
#include "imaging/files/photo_loading.h"
#include "workspace/undo/undo_file.h"
#include "workspace/undo/undo_image.h"

#include <QFileInfo>
#include <vector>

using namespace fuzz_support;
using workspace::UndoFile;
using workspace::UndoImageRecord;

namespace {

// The history never holds more records than this, so reading past it would only slow the run.
constexpr int kRecordsLooked = UndoFile::kMaxRecords + 2;

std::vector<UndoImageRecord> readAll(const UndoFile& file, int count) {
    std::vector<UndoImageRecord> records;
    for (int n = 0; n < std::min(count, kRecordsLooked); ++n) {
        std::optional<UndoImageRecord> record = file.read(n);
        if (!record)
            std::abort();
        records.push_back(std::move(*record));
    }
    return records;
}

bool same(const UndoImageRecord& a, const UndoImageRecord& b) {
    return a.width == b.width && a.height == b.height && a.jpeg == b.jpeg;
}

void checkDecoded(const UndoImageRecord& record) {
    const std::optional<imaging::PhotoBuffer> photo = workspace::decodeUndoImage(record);
    if (!photo)
        return;
    const auto pixels = static_cast<std::int64_t>(photo->width) * photo->height;
    if (photo->width <= 0 || photo->height <= 0 || photo->width % 4 != 0 ||
        pixels > imaging::kMaxPhotoPixels || photo->bgr.size() != static_cast<std::size_t>(pixels) * 3 ||
        photo->width != record.width || photo->height != record.height)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    startScratchLibrary(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    clearData();
    const UndoFile file(scratchFolders().GetDataFolder() + QStringLiteral("Undo_Temp_Data"));
    writeFile(file.path(), {data + 1, size - 1});
    const int chosen = data[0] % kRecordsLooked - 1; // -1 to 30

    const int count = file.count();
    const std::vector<UndoImageRecord> records = readAll(file, count);
    if (count < kRecordsLooked && file.read(count))
        std::abort();
    for (const UndoImageRecord& record : records)
        checkDecoded(record);
    if (count >= kRecordsLooked)
        return 0;

    // Dropping a record keeps every other whole record in its order, and nothing else.
    const int dropped = std::max(chosen, 0);
    if (!file.drop(dropped))
        std::abort();
    const int afterDrop = dropped < count ? count - 1 : count;
    if (file.count() != afterDrop || QFileInfo::exists(file.path() + QStringLiteral("Update")))
        std::abort();
    const std::vector<UndoImageRecord> kept = readAll(file, afterDrop);
    for (int n = 0; n < afterDrop; ++n)
        if (!same(kept[static_cast<std::size_t>(n)],
                  records[static_cast<std::size_t>(n < dropped ? n : n + 1)]))
            std::abort();

    // Cutting after a record keeps the records up to it.
    if (!file.keepFirst(chosen) || file.count() != std::min(chosen + 1, afterDrop))
        std::abort();
    file.remove();
    if (QFileInfo::exists(file.path()))
        std::abort();
    return 0;
}
