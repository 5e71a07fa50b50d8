// import_memory_probe FILE: imports the picture as the photo list does (size probe and thumbnail), then
// opens it as the workspace does, and prints by how many kilobytes the peak resident memory grew.
// Exit status 1 when any step failed.

#include "imaging/files/jpeg_thumbnail.h"
#include "imaging/files/photo_loading.h"

#include <QGuiApplication>
#include <cstdio>
#include <sys/resource.h>

namespace {

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer keeps freed memory back to catch later use of it; that would count as growth here,
// where only the memory the import holds at once is measured.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=0";
}
#endif

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString path = QString::fromLocal8Bit(argv[1]);
    int width = 0;
    int height = 0;
    // The first probe loads the readers; only what follows is measured.
    if (!imaging::ProbePictureSize(path, width, height))
        return 1;
    const long before = peakKilobytes();
    bool ok = static_cast<bool>(imaging::ProbePictureSize(path, width, height));
    ok = imaging::MakeThumbnailJpeg(path).ok() && ok;
    imaging::LoadedPicture loaded;
    ok = static_cast<bool>(imaging::LoadPhoto(path, loaded)) && ok;
    std::printf("%ld\n", peakKilobytes() - before);
    return ok ? 0 : 1;
}
