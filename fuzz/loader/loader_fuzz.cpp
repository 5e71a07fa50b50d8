// Picture loading as a whole: the route choice, the drawing library's readers, the image library's
// decoders and the photo, probe and thumbnail paths. The first byte picks the file's extension, so every
// decoder sees every input; the rest is the file.

#include "imaging/files/jpeg_thumbnail.h"
#include "imaging/files/photo_loading.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

namespace {

constexpr std::array<const char*, 12> kExtensions{"jpg", "gif", "bmp", "png", "pnm",  "tga",
                                                  "tif", "pcx", "wmf", "emf", "jpeg", "ico"};

// Never destroyed: at exit Qt's own globals are gone before a static destructor would run.
QGuiApplication* application = nullptr;
QTemporaryDir* folder = nullptr;

// The readers' warnings about damaged files would only slow the run down.
void ignoreMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(ignoreMessage);
    application = std::make_unique<QGuiApplication>(*argc, *argv).release();
    folder = std::make_unique<QTemporaryDir>().release();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const char* extension = kExtensions[data[0] % kExtensions.size()];
    const std::span<const std::uint8_t> file(data + 1, size - 1);
    const QString path = folder->filePath(QStringLiteral("input.") + QLatin1String(extension));
    {
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly))
            std::abort();
        out.write(reinterpret_cast<const char*>(file.data()), static_cast<qint64>(file.size()));
    }

    int width = 0;
    int height = 0;
    if (imaging::ProbePictureSize(path, width, height) && (width <= 0 || height <= 0))
        std::abort();
    imaging::LoadedPicture loaded;
    if (imaging::LoadPhoto(path, loaded)) {
        const auto pixels = static_cast<std::int64_t>(loaded.photo.width) * loaded.photo.height;
        if (loaded.photo.width % 4 != 0 || pixels > imaging::kMaxPhotoPixels ||
            loaded.photo.bgr.size() != static_cast<std::size_t>(pixels) * 3)
            std::abort();
    }
    (void)imaging::MakeThumbnailJpeg(path);
    return 0;
}
