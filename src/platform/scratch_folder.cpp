#include "platform/scratch_folder.h"

namespace platform {

ScratchFolder::ScratchFolder() : dir_(Folders::tempFolder() + QStringLiteral("pictovance-run-XXXXXX")) {}

QString ScratchFolder::path() const {
    return dir_.path() + QLatin1Char('/');
}

} // namespace platform
