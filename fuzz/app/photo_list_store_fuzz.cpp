// The photo list store as the editor meets it at start-up: read, each record's box in the list worked out
// and its thumbnail drawn, then written again at close and read back. Beyond "no crash" it checks the
// loader's promises: an undamaged store is read whole and comes back unchanged from a save; a damaged one
// is moved aside, never left in place to be read again.

#include "../resources/scratch_library.h"
#include "app/photos/photo_list_geometry.h"
#include "app/photos/photo_list_store.h"
#include "imaging/files/picture_bytes.h"

#include <QImage>
#include <QPainter>
#include <cstring>

using namespace fuzz_support;

namespace {

bool sameRecords(const app::PhotoList& a, const app::PhotoList& b) {
    if (a.records.size() != b.records.size() || a.thumbs.size() != b.thumbs.size())
        return false;
    for (std::size_t i = 0; i < a.records.size(); ++i)
        if (std::memcmp(&a.records[i], &b.records[i], sizeof(app::PhotoRecord)) != 0 ||
            a.thumbs[i].jpeg != b.thumbs[i].jpeg)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    startScratchLibrary(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    clearData();
    const QString store = scratchFolders().GetDataFolder() + QStringLiteral("ZorvathMedia");
    writeFile(store, {data, size});

    const app::StoreLoadResult loaded = app::loadPhotoListStore(store);
    const app::PhotoList& list = loaded.list;
    if (loaded.unreadable || list.thumbs.size() != list.records.size())
        std::abort();
    if (loaded.damaged && (QFile::exists(store) || loaded.movedAsideTo.isEmpty()))
        std::abort();

    QImage canvas(90, 90, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&canvas);
    const QRect box = app::photo_list::pictureBox(0, 1, 0);
    for (std::size_t i = 0; i < list.records.size(); ++i) {
        const app::PhotoRecord& record = list.records[i];
        if (record.listIndex != static_cast<int>(i) || record.marked != 0 ||
            std::strlen(record.path) >= sizeof record.path)
            std::abort();
        (void)record.fullPath();
        (void)record.fileName();
        const QRect fitted = app::photo_list::fittedRect(box, record.width, record.height);
        const QByteArray& jpeg = list.thumbs[i].jpeg;
        imaging::DrawPictureBytes(
            {reinterpret_cast<const std::uint8_t*>(jpeg.constData()), static_cast<std::size_t>(jpeg.size())},
            record.orientation, false, painter, QRectF(fitted));
    }
    painter.end();

    // Closing writes what was read; the next start must read exactly that.
    if (!app::savePhotoListStore(store, list))
        std::abort();
    const app::StoreLoadResult again = app::loadPhotoListStore(store);
    if (again.damaged || again.unreadable)
        std::abort();
    // Removed records are left out, and the rest numbered again.
    app::PhotoList expected;
    for (std::size_t i = 0; i < list.records.size(); ++i) {
        if (list.records[i].removed != 0)
            continue;
        expected.records.push_back(list.records[i]);
        expected.records.back().listIndex = static_cast<std::int32_t>(expected.records.size() - 1);
        expected.thumbs.push_back(list.thumbs[i]);
    }
    if (!sameRecords(again.list, expected))
        std::abort();
    return 0;
}
