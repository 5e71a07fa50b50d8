#include "codec_test_support.h"
#include "imaging/codecs/metafile/metafile.h"

#include <gtest/gtest.h>

using namespace imaging;
using namespace imaging::codecs;
using codec_tests::Bytes;
using codec_tests::pixel;

namespace {

constexpr std::uint32_t kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000;

// A 2 × 2 24-bit DIB, bottom row first: top row red, white; bottom row blue, black.
Bytes tinyDib() {
    Bytes b;
    b.u32(40).s32(2).s32(2).u16(1).u16(24).u32(0).u32(16).u32(0).u32(0).u32(0).u32(0);
    b.raw({255, 0, 0, 0, 0, 0, 0, 0});       // bottom: blue, black, padding
    b.raw({0, 0, 255, 255, 255, 255, 0, 0}); // top: red, white, padding
    return b;
}

class Wmf {
public:
    Wmf& record(std::uint16_t function, std::initializer_list<int> words, const Bytes& tail = {}) {
        const auto size = static_cast<std::uint32_t>(3 + words.size() + (tail.size() + 1) / 2);
        records_.u32(size).u16(function);
        for (int w : words)
            records_.s16(w);
        records_.data.insert(records_.data.end(), tail.data.begin(), tail.data.end());
        if (tail.size() % 2)
            records_.u8(0);
        return *this;
    }
    Wmf& colour(std::uint16_t function, std::uint32_t c) {
        return record(function, {int(c & 0xFFFF), int(c >> 16)});
    }
    Wmf& brush(std::uint32_t c) { return record(0x02FC, {0, int(c & 0xFFFF), int(c >> 16), 0}); }

    std::vector<std::uint8_t> placeable(int width, int height) const {
        Bytes b;
        b.u32(0x9AC6CDD7).u16(0).s16(0).s16(0).s16(width).s16(height).u16(96).u32(0).u16(0);
        return withHeader(b);
    }
    std::vector<std::uint8_t> plain() const { return withHeader({}); }

private:
    std::vector<std::uint8_t> withHeader(Bytes b) const {
        b.u16(1)
            .u16(9)
            .u16(0x0300)
            .u32(static_cast<std::uint32_t>(9 + records_.size() / 2 + 3))
            .u16(4)
            .u32(64)
            .u16(0);
        b.data.insert(b.data.end(), records_.data.begin(), records_.data.end());
        b.u32(3).u16(0); // end of file
        return b.data;
    }
    Bytes records_;
};

class Emf {
public:
    Emf& record(std::uint32_t type, std::initializer_list<int> fields, const Bytes& tail = {}) {
        body_.u32(type).u32(static_cast<std::uint32_t>(8 + fields.size() * 4 + tail.size()));
        for (int f : fields)
            body_.s32(f);
        body_.data.insert(body_.data.end(), tail.data.begin(), tail.data.end());
        return *this;
    }
    std::vector<std::uint8_t> file() const {
        Bytes b;
        b.u32(1).u32(88).s32(0).s32(0).s32(99).s32(119).s32(0).s32(0).s32(2646).s32(3175);
        b.u32(0x464D4520)
            .u32(0x10000)
            .u32(static_cast<std::uint32_t>(88 + body_.size() + 20))
            .u32(0)
            .u16(8)
            .u16(0);
        b.u32(0).u32(0).u32(0).s32(3780).s32(3780).s32(1000).s32(1000);
        b.data.insert(b.data.end(), body_.data.begin(), body_.data.end());
        b.u32(14).u32(20).u32(0).u32(0).u32(20);
        return b.data;
    }

private:
    Bytes body_;
};

Bytes utf16(const char* s) {
    Bytes b;
    while (*s)
        b.u16(static_cast<std::uint8_t>(*s++));
    return b;
}

// True when some pixel in the rectangle is opaque and dark (drawn text).
bool hasDarkInk(const RasterImage& image, int x0, int y0, int x1, int y1) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if ((pixel(image, x, y) >> 24) > 200 && (pixel(image, x, y) & 0xFF) < 60)
                return true;
    return false;
}

bool transparent(const RasterImage& image, int x0, int y0, int x1, int y1) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (pixel(image, x, y) >> 24)
                return false;
    return true;
}

std::vector<std::uint8_t> sampleWmf() {
    Bytes font;
    font.s16(-20).s16(0).s16(0).s16(0).s16(700).raw({0, 0, 0, 0, 0, 0, 0, 0}).text("Liberation Sans").u8(0);
    Bytes text;
    text.text("MM").s16(95).s16(10);
    Bytes dib = tinyDib();
    Wmf w;
    w.record(0x020B, {0, 0}).record(0x020C, {120, 100});
    w.brush(kRed).record(0x012D, {0}); // slot 0
    w.record(0x02FA, {5, 0, 0, 0, 0}); // null pen, slot 1
    w.record(0x012D, {1}).record(0x041B, {40, 40, 10, 10});
    w.brush(kGreen).record(0x012D, {2}).record(0x01F0, {0}); // slot 2; slot 0 freed
    w.record(0x0418, {50, 90, 10, 50});
    w.brush(kBlue).record(0x012D, {0}); // the freed slot is reused
    w.record(0x0324, {3, 10, 60, 40, 60, 10, 90});
    w.record(0x0F43, {0x0020, 0x00CC, 0, 2, 2, 0, 0, 30, 30, 60, 60}, dib);
    w.record(0x02FB, {}, font).record(0x012D, {3});
    w.colour(0x0209, 0).record(0x0102, {1}).record(0x0521, {2}, text);
    return w.placeable(100, 120);
}

std::vector<std::uint8_t> sampleEmf() {
    Bytes font;
    font.s32(-20).s32(0).s32(0).s32(0).s32(700).raw({0, 0, 0, 0, 0, 0, 0, 0});
    Bytes face = utf16("Liberation Sans");
    face.data.resize(64, 0);
    font.data.insert(font.data.end(), face.data.begin(), face.data.end());
    Bytes polygon;
    polygon.s16(10).s16(10).s16(40).s16(10).s16(10).s16(40);
    Bytes text = utf16("MM");
    Emf e;
    e.record(39, {1, 0, kRed, 0}).record(37, {1}).record(37, {int(0x80000008)});
    e.record(43, {10, 10, 40, 40});
    e.record(39, {2, 0, kGreen, 0}).record(37, {2}).record(42, {50, 10, 90, 50});
    // Translated by (0, 50) through the world transform: the triangle lands at y 60 … 90.
    const int one = 0x3F800000, fifty = 0x42480000;
    e.record(39, {4, 0, kBlue, 0}).record(37, {4});
    e.record(35, {one, 0, 0, one, 0, fifty}).record(86, {0, 0, 0, 0, 3}, polygon);
    e.record(36, {one, 0, 0, one, 0, 0, 1});
    e.record(81, {0, 0, 0, 0, 60, 60, 0, 0, 2, 2, 80, 40, 120, 16, 0, 0x00CC0020, 30, 30}, tinyDib());
    e.record(37, {2}).record(59, {}).record(27, {60, 95}).record(54, {95, 95}).record(54, {95, 118});
    e.record(61, {}).record(60, {}).record(62, {0, 0, 0, 0});
    e.record(82, {3}, font).record(37, {3}).record(24, {0}).record(18, {1});
    e.record(84, {0, 0, 0, 0, 1, 0, 0, 5, 95, 2, 76, 0, 0, 0, 0, 0, 0}, text);
    e.record(30, {0, 0, 20, 120}).record(43, {0, 0, 100, 5});
    return e.file();
}

} // namespace

TEST(Metafile, RecognisesPlaceablePlainAndEnhancedFiles) {
    EXPECT_TRUE(looksLikeMetafile(sampleWmf()));
    EXPECT_TRUE(looksLikeMetafile(sampleEmf()));
    Wmf plain;
    plain.record(0x020C, {50, 200});
    EXPECT_TRUE(looksLikeMetafile(plain.plain()));
    EXPECT_FALSE(looksLikeMetafile(std::vector<std::uint8_t>{'B', 'M', 0, 0}));
    EXPECT_EQ(decodeMetafile(std::vector<std::uint8_t>{'B', 'M', 0, 0}).error, CodecError::NotThisFormat);
}

TEST(Metafile, PlaysPlaceableWmfShapesBitmapAndText) {
    const DecodeResult decoded = decodeMetafile(sampleWmf());
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    const RasterImage& image = decoded.image;
    ASSERT_EQ(image.width, 100);
    ASSERT_EQ(image.height, 120);
    EXPECT_TRUE(image.hasAlpha);
    EXPECT_EQ(pixel(image, 25, 25), 0xFFFF0000u); // rectangle
    EXPECT_EQ(pixel(image, 70, 30), 0xFF00FF00u); // ellipse centre
    EXPECT_EQ(pixel(image, 51, 11), 0u);          // outside the ellipse, inside its box
    EXPECT_EQ(pixel(image, 15, 65), 0xFF0000FFu); // triangle, drawn with the brush in the reused slot
    EXPECT_EQ(pixel(image, 62, 62), 0xFFFF0000u); // bitmap: top-left red
    EXPECT_EQ(pixel(image, 88, 62), 0xFFFFFFFFu);
    EXPECT_EQ(pixel(image, 62, 88), 0xFF0000FFu);
    EXPECT_EQ(pixel(image, 88, 88), 0xFF000000u);
    EXPECT_EQ(pixel(image, 95, 5), 0u);
    EXPECT_TRUE(hasDarkInk(image, 10, 92, 60, 118));
    EXPECT_TRUE(transparent(image, 70, 92, 100, 120));
}

TEST(Metafile, PlaysEmfWithTransformsPathsClippingBitmapAndText) {
    const DecodeResult decoded = decodeMetafile(sampleEmf());
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    const RasterImage& image = decoded.image;
    ASSERT_EQ(image.width, 100);
    ASSERT_EQ(image.height, 120);
    EXPECT_EQ(pixel(image, 25, 25), 0xFFFF0000u);
    EXPECT_EQ(pixel(image, 70, 30), 0xFF00FF00u);
    EXPECT_EQ(pixel(image, 15, 65), 0xFF0000FFu); // the translated triangle
    EXPECT_EQ(pixel(image, 15, 15) >> 24, 0xFFu); // the rectangle, not the triangle, is there
    EXPECT_EQ(pixel(image, 62, 62), 0xFFFF0000u);
    EXPECT_EQ(pixel(image, 88, 88), 0xFF000000u);
    EXPECT_EQ(pixel(image, 90, 100), 0xFF00FF00u); // filled path
    EXPECT_EQ(pixel(image, 65, 115), 0u);
    EXPECT_EQ(pixel(image, 10, 2), 0xFF00FF00u); // inside the clip rectangle
    EXPECT_EQ(pixel(image, 30, 2), 0u);          // clipped away
    EXPECT_TRUE(hasDarkInk(image, 5, 95, 55, 118));
}

TEST(Metafile, PlainWmfTakesItsSizeFromTheWindowAndIsCapped) {
    Wmf small;
    small.record(0x020B, {0, 0}).record(0x020C, {50, 200}).brush(kRed).record(0x012D, {0});
    small.record(0x041B, {50, 200, 0, 0});
    DecodeResult decoded = decodeMetafile(small.plain());
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_EQ(decoded.image.width, 200);
    EXPECT_EQ(decoded.image.height, 50);
    EXPECT_EQ(pixel(decoded.image, 100, 25), 0xFFFF0000u);

    Wmf huge;
    huge.record(0x020C, {10000, 20000});
    decoded = decodeMetafile(huge.plain());
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_EQ(decoded.image.width, 4096);
    EXPECT_EQ(decoded.image.height, 2048);
    EXPECT_FALSE(decodeMetafile(huge.plain(), 256).image.width > 256);

    Wmf sizeless;
    sizeless.record(0x041B, {5, 5, 0, 0});
    EXPECT_EQ(decodeMetafile(sizeless.plain()).error, CodecError::Corrupt);
}

TEST(Metafile, DamagedFilesFailCleanly) {
    auto wmf = sampleWmf();
    wmf.resize(wmf.size() - 40); // cuts into the text records
    EXPECT_EQ(decodeMetafile(wmf).error, CodecError::Truncated);

    auto emf = sampleEmf();
    emf[88 + 4] = 4; // first record's size below its own header
    EXPECT_EQ(decodeMetafile(emf).error, CodecError::Corrupt);

    auto header = sampleEmf();
    header.resize(60);
    EXPECT_EQ(decodeMetafile(header).error, CodecError::NotThisFormat); // too short to be recognised
    auto placeable = sampleWmf();
    placeable.resize(30);
    EXPECT_EQ(decodeMetafile(placeable).error, CodecError::Truncated);
}

TEST(Metafile, ClipPathsFarLargerThanThePictureStillClip) {
    // A clip path (a diamond, which QRegion cannot take whole) whose corners lie a million units away, then a
    // rectangle over the whole picture and a second clip (a small triangle near the origin) that excludes the
    // far corner.
    Emf e;
    e.record(39, {1, 0, kRed, 0}).record(37, {1}).record(37, {int(0x80000008)});
    e.record(59, {}).record(27, {-1000000, 60}).record(54, {50, -1000000});
    e.record(54, {1000000, 60}).record(54, {50, 1000000}).record(61, {}).record(60, {});
    e.record(67, {5}).record(43, {0, 0, 100, 120});
    e.record(39, {2, 0, kGreen, 0}).record(37, {2});
    e.record(59, {}).record(27, {0, 0}).record(54, {40, 0}).record(54, {0, 40}).record(61, {}).record(60, {});
    e.record(67, {1}).record(43, {0, 0, 100, 120});
    const DecodeResult decoded = decodeMetafile(e.file());
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_EQ(pixel(decoded.image, 50, 100), 0xFFFF0000u);
    EXPECT_EQ(pixel(decoded.image, 5, 5), 0xFF00FF00u);
    EXPECT_EQ(pixel(decoded.image, 60, 60), 0xFFFF0000u);
}
