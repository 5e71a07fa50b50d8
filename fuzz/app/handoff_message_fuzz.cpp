// The message a second start sends the running editor, as the running one reads it: in whatever pieces
// the socket delivers, then through the rule that keeps a path only from a line ending in "PIF". The
// first input byte says where the bytes are cut in two; the rest is what arrives.

#include "app/command_line.h"
#include "app/single_instance.h"

#include <cstdint>
#include <cstdlib>

using app::HandOffReading;

namespace {

// A part is at most 1 MiB behind its 4-byte count; a message has two.
constexpr qsizetype kMaxMessageBytes = 2 * (4 + (1 << 20));

// What the receiver makes of the bytes when they arrive in two pieces, reading again after each.
HandOffReading receiveInTwo(const QByteArray& bytes, qsizetype cut) {
    HandOffReading reading = app::decodeHandOff(bytes.left(cut));
    if (reading.state != HandOffReading::State::Incomplete)
        return reading;
    return app::decodeHandOff(bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    const HandOffReading whole = app::decodeHandOff(bytes);
    const HandOffReading pieces = receiveInTwo(bytes, data[0] % (bytes.size() + 1));
    if (whole.state != pieces.state || !(whole.handOff == pieces.handOff) || whole.consumed != pieces.consumed)
        std::abort();
    if (whole.state != HandOffReading::State::Complete) {
        if (whole.consumed != 0 || !whole.handOff.commandLine.isEmpty() || !whole.handOff.pictures.isEmpty())
            std::abort();
        return 0;
    }
    if (whole.consumed < 8 || whole.consumed > bytes.size() || whole.consumed > kMaxMessageBytes)
        std::abort();
    // What the receiver read comes out of the sender's encoding the same; its text is valid UTF-16 (damaged
    // UTF-8 is replaced, never passed on) and every picture names something.
    const HandOffReading again = app::decodeHandOff(app::encodeHandOff(whole.handOff));
    if (again.state != HandOffReading::State::Complete || !(again.handOff == whole.handOff) ||
        !whole.handOff.commandLine.isValidUtf16())
        std::abort();
    for (const QString& picture : whole.handOff.pictures)
        if (picture.isEmpty() || !picture.isValidUtf16() || picture.contains(QChar(0)))
            std::abort();
    // The kept path is what follows the program's quoted path: a true tail of the line.
    const QString& line = whole.handOff.commandLine;
    if (const std::optional<QString> path = app::pifArgument(line))
        if (!line.endsWith(*path) || path->size() >= line.size())
            std::abort();
    return 0;
}
