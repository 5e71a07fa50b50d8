#include "text/fonts/font_faces.h"
#include "text/style_sample_cache.h"
#include "text/text_box_limit.h"
#include "text/text_object.h"

#include <gtest/gtest.h>

using namespace text;

namespace {

int inkPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
    return count;
}

StyleSampleKey sampleKey(const QString& face) {
    StyleSampleKey key;
    key.word = QStringLiteral("Text");
    key.font = makeLogFont(face, 60, 700);
    key.layout = QSize(154, 54);
    key.colours = kStyleSampleColours;
    return key;
}

} // namespace

TEST(FontFaces, VerticalFacesLongNamesAndRepeatsAreLeftOutAndTheRestSorted) {
    const QStringList faces =
        listableFaces({"Liberation Serif", "@Noto Sans CJK JP", "dejaVu Sans", "Liberation Serif", QString(),
                       "A Family Name Far Too Long For Its Field", "Cantarell"});
    EXPECT_EQ(faces, (QStringList{"Cantarell", "dejaVu Sans", "Liberation Serif"}));
    // 31 bytes of UTF-8 still fit the 32-byte field with its terminator; 32 do not.
    EXPECT_EQ(listableFaces({QString(31, 'a'), QString(32, 'b')}), QStringList{QString(31, 'a')});
    EXPECT_EQ(listableFaces({QString(15, QChar(0xE9))}).size(), 1); // 30 bytes
    EXPECT_EQ(listableFaces({QString(16, QChar(0xE9))}).size(), 0); // 32 bytes
}

TEST(FontFaces, TheInstalledFacesAreListableAndDrawable) {
    const QStringList faces = installedFontFaces();
    ASSERT_FALSE(faces.isEmpty());
    EXPECT_EQ(listableFaces(faces), faces);
    EXPECT_FALSE(faces.contains("Noto Color Emoji")); // colour bitmaps have no outlines
}

TEST(TextBoxLimit, TakesWhatATextRecordStores) {
    // The record's 1000 bytes keep the last for the terminator: 999 plain letters.
    EXPECT_TRUE(fitsTextBox(QString(999, 'a')));
    EXPECT_FALSE(fitsTextBox(QString(1000, 'a')));
    EXPECT_EQ(fittingInsertion(QString(990, 'a'), QString(20, 'b'), u""), 9);
    EXPECT_EQ(fittingInsertion(QString(500, 'a'), QString(20, 'b'), QString(479, 'c')), 20);
    EXPECT_EQ(fittingInsertion(QString(999, 'a'), u"b", u""), 0);
    // Two-byte letters take two bytes of the record each.
    const QString accents(499, QChar(0xE9));
    EXPECT_TRUE(fitsTextBox(accents));
    EXPECT_EQ(fittingInsertion(accents, QString(3, QChar(0xE9)), u""), 0);
    EXPECT_EQ(fittingInsertion(accents, u"x\u00E9", u""), 1);
    // A surrogate pair (4 bytes) is kept whole or not at all.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    EXPECT_EQ(fittingInsertion(QString(995, 'a'), emoji + emoji, u""), 2);
    EXPECT_EQ(fittingInsertion(QString(996, 'a'), emoji, u""), 0);
    // Line breaks count like any other character.
    EXPECT_EQ(fittingInsertion(QString(997, '\n'), u"\n\n\n", u""), 2);
}

TEST(StyleSamples, EveryStyleDrawsItsWordInItsOwnColours) {
    StyleSampleCache cache;
    const StyleSampleKey key = sampleKey("Microsoft Sans Serif");
    for (int style = 0; style < kStyleCount; ++style) {
        SCOPED_TRACE(style);
        const QImage& sample = cache.sample(style, key);
        ASSERT_FALSE(sample.isNull());
        EXPECT_GE(sample.width(), 154);
        EXPECT_GE(sample.height(), 54);
        // Legible: a good share of the cell carries ink.
        EXPECT_GT(inkPixels(sample), 154 * 54 / 10);
    }
    // Style 0's sample is green.
    const QImage& first = cache.sample(0, key);
    int green = 0;
    for (int y = 0; y < first.height(); ++y)
        for (int x = 0; x < first.width(); ++x) {
            const QColor c = first.pixelColor(x, y);
            green += c.alpha() == 255 && c.green() > 120 && c.red() < 60 && c.blue() < 60 ? 1 : 0;
        }
    EXPECT_GT(green, 200);
    EXPECT_EQ(kStyleSampleColours[4].second, rgb(255, 255, 0));
}

TEST(StyleSamples, KeptUntilTheFaceOrTheColoursChange) {
    StyleSampleCache cache;
    StyleSampleKey key = sampleKey("Microsoft Sans Serif");
    cache.sample(0, key);
    cache.sample(1, key);
    cache.sample(0, key);
    EXPECT_EQ(cache.drawnCount(), 2);
    EXPECT_TRUE(cache.sample(8, key).isNull());

    key.font = makeLogFont(u"DejaVu Serif", 60, 700);
    cache.sample(0, key);
    EXPECT_EQ(cache.drawnCount(), 3);
    key.colours[0].first = rgb(1, 2, 3);
    cache.sample(0, key);
    EXPECT_EQ(cache.drawnCount(), 4);
    key.ratio = 2.0;
    EXPECT_EQ(cache.sample(0, key).size(), cache.sample(0, key).deviceIndependentSize().toSize() * 2);
    EXPECT_EQ(cache.drawnCount(), 5);
}
