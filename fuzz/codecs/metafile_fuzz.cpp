// Feeds arbitrary bytes to the metafile player. The raster is capped at 512 pixels a side so that each
// run stays short; the records are played the same way at any size.

#include "fuzz_check.h"
#include "imaging/codecs/metafile/metafile.h"

#include <QGuiApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

namespace {
constexpr int kFuzzMaxSide = 512;
int argcKeep = 1;
char programName[] = "metafile_fuzz";
char* argvKeep[] = {programName, nullptr};
// Never destroyed: at exit Qt's own globals are gone before a static destructor would run.
QGuiApplication* application = nullptr;
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    application = std::make_unique<QGuiApplication>(argcKeep, argvKeep).release();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const bool recognised = imaging::codecs::looksLikeMetafile(bytes);
    const imaging::DecodeResult result = imaging::codecs::decodeMetafile(bytes, kFuzzMaxSide);
    fuzz_support::checkResult(result);
    if (result.ok() &&
        (!recognised || result.image.width > kFuzzMaxSide || result.image.height > kFuzzMaxSide))
        std::abort();
    return 0;
}
