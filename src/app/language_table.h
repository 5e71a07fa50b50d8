#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>

namespace app {

// The captions of buttons, tabs and menu-bar buttons: a 65,536-byte block of 260-byte text slots.
class LanguageTable {
public:
    static constexpr std::size_t kSize = 65536;
    static constexpr std::size_t kSlotSize = 260;

    LanguageTable(); // all slots empty

    // Reads the enciphered language file block by block. A short file leaves the remaining slots empty;
    // false only when the file cannot be opened or read.
    bool loadFromFile(const QString& path);

    // Slot n's bytes up to its terminator, at most 260 of them; empty for slots outside the block.
    QByteArray slotBytes(int slot) const;
    QString text(int slot) const { return QString::fromUtf8(slotBytes(slot)); }

    const std::uint8_t* data() const { return bytes_->data(); }

private:
    std::unique_ptr<std::array<std::uint8_t, kSize>> bytes_;
};

// Writes the embedded language resource, unchanged, to `path` (creating or replacing it).
bool extractLanguageFile(const QString& path);

} // namespace app
