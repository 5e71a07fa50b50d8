#include "app/language_table.h"

#include "app/language_cipher.h"
#include "app/language_resource.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>

namespace app {

LanguageTable::LanguageTable() : bytes_(std::make_unique<std::array<std::uint8_t, kSize>>()) {
    bytes_->fill(0);
}

bool LanguageTable::loadFromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    std::array<std::uint8_t, kLanguageCipherBlock> block{};
    std::size_t offset = 0;
    while (offset < kSize) {
        const qint64 got = file.read(reinterpret_cast<char*>(block.data()),
                                     static_cast<qint64>(std::min(block.size(), kSize - offset)));
        if (got < 0)
            return false;
        if (got == 0)
            break;
        const auto count = static_cast<std::size_t>(got);
        cipherLanguageBlock(std::span(block).first(count));
        std::copy_n(block.begin(), count, bytes_->begin() + static_cast<std::ptrdiff_t>(offset));
        offset += count;
    }
    return true;
}

QByteArray LanguageTable::slotBytes(int slot) const {
    if (slot < 0)
        return {};
    const std::size_t start = static_cast<std::size_t>(slot) * kSlotSize;
    if (start >= kSize)
        return {};
    const std::size_t limit = std::min(kSlotSize, kSize - start);
    const auto* begin = bytes_->data() + start;
    const auto* end = std::find(begin, begin + limit, std::uint8_t{0});
    return QByteArray(reinterpret_cast<const char*>(begin), static_cast<qsizetype>(end - begin));
}

bool extractLanguageFile(const QString& path) {
    const auto resource = englishLanguageResource();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(reinterpret_cast<const char*>(resource.data()), static_cast<qint64>(resource.size())) !=
        static_cast<qint64>(resource.size()))
        return false;
    return file.commit();
}

} // namespace app
