#include "resources/package_register.h"

#include "imaging/files/atomic_file.h"
#include "resources/entry_bytes.h"

#include <QFile>
#include <algorithm>

namespace resources {

std::vector<QByteArray> readPackageRegister(const QString& path) {
    std::vector<QByteArray> names;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return names;
    std::uint8_t countBytes[kCountBytes];
    if (file.read(reinterpret_cast<char*>(countBytes), kCountBytes) != kCountBytes)
        return names;
    const std::int32_t count = int32At(countBytes);
    const qint64 present = (file.size() - kCountBytes) / kRegisterNameBytes;
    const qint64 wanted = std::min<qint64>(count, present);
    for (qint64 i = 0; i < wanted; ++i) {
        const QByteArray field = file.read(kRegisterNameBytes);
        if (field.size() != kRegisterNameBytes)
            break;
        // A field without its terminator is damaged: its name is taken as long as a name can be.
        const qsizetype end = field.indexOf('\0');
        names.push_back(field.left(end < 0 ? kRegisterNameBytes - 1 : end));
    }
    return names;
}

bool registerContains(const std::vector<QByteArray>& names, const QByteArray& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool fitsRegisterField(const QByteArray& name) {
    return !name.isEmpty() && name.size() < kRegisterNameBytes && !name.contains('\0');
}

imaging::Outcome writePackageRegister(const QString& path, const std::vector<QByteArray>& names) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kCountBytes + names.size() * kRegisterNameBytes);
    appendInt32(bytes, static_cast<std::int32_t>(names.size()));
    for (const QByteArray& name : names) {
        const std::size_t start = bytes.size();
        bytes.resize(start + kRegisterNameBytes, 0);
        std::copy_n(name.constData(), std::min<qsizetype>(name.size(), kRegisterNameBytes - 1),
                    bytes.begin() + static_cast<std::ptrdiff_t>(start));
    }
    return imaging::writeFileReplacing(path, bytes);
}

} // namespace resources
