// The message a second start sends the running editor.
#include "app/single_instance.h"

#include <QDataStream>
#include <QIODevice>
#include <gtest/gtest.h>

using app::decodeHandOff;
using app::encodeHandOff;
using app::HandOff;
using State = app::HandOffReading::State;

namespace {

QByteArray part(const QByteArray& bytes, quint32 length) {
    QByteArray out;
    QDataStream(&out, QIODevice::WriteOnly) << length;
    return out + bytes;
}

QByteArray part(const QByteArray& bytes) {
    return part(bytes, static_cast<quint32>(bytes.size()));
}

} // namespace

TEST(HandOff, ArrivesWholeOnlyOnceEveryByteIsThere) {
    const HandOff sent{"\"/usr/bin/pictovance\" a b.jpg",
                       {"/home/u/a", QString::fromUtf8("/home/u/b été.jpg"), "/x\ny.png"}};
    const QByteArray message = encodeHandOff(sent);
    for (qsizetype size = 0; size < message.size(); ++size)
        ASSERT_EQ(decodeHandOff(message.left(size)).state, State::Incomplete) << size;
    // Bytes after the message are not part of it.
    const auto reading = decodeHandOff(message + "next");
    ASSERT_EQ(reading.state, State::Complete);
    EXPECT_EQ(reading.handOff, sent);
    EXPECT_EQ(reading.consumed, message.size());

    const auto bare = decodeHandOff(encodeHandOff({"\"/p\" /tmp/a.PIF", {}}));
    ASSERT_EQ(bare.state, State::Complete);
    EXPECT_TRUE(bare.handOff.pictures.isEmpty());
}

TEST(HandOff, RefusesWhatNoSecondStartSends) {
    // Lengths past the limit are refused as soon as they are read, before anything is buffered.
    EXPECT_EQ(decodeHandOff(part({}, 0xFFFFFFFF)).state, State::Invalid);
    EXPECT_EQ(decodeHandOff(part("x") + part({}, (1u << 20) + 1)).state, State::Invalid);
    EXPECT_EQ(decodeHandOff(part("x") + part(QByteArray("/a\0/b", 5))).state, State::Invalid); // no NUL at the end
    EXPECT_EQ(decodeHandOff(part("x") + part(QByteArray("/a\0\0", 4))).state, State::Invalid); // empty path
    // A refused message hands on nothing, not even the paths before the fault.
    EXPECT_TRUE(decodeHandOff(part("x") + part(QByteArray("/a\0\0/b\0", 7))).handOff.pictures.isEmpty());
}
