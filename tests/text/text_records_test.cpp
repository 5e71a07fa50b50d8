#include "text/fonts/log_font.h"
#include "text/text_object.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

namespace {

using text::TextObject;

TEST(TextRecords, CopyWholeWithTextAndFace) {
    TextObject original;
    original.font = text::makeLogFont(u"DejaVu Sans", 36, 700);
    text::setText(original, u"Grüße aus Köln\nzweite Zeile");
    original.style = 4;
    original.colour = text::rgb(198, 25, 0);
    original.transparency = 0.25f;
    original.anchorViewWidth = 640;

    const TextObject copy = original; // what the undo history does
    EXPECT_EQ(0, std::memcmp(&copy, &original, sizeof copy));
    EXPECT_EQ(QStringLiteral("Grüße aus Köln\nzweite Zeile"), text::textOf(copy));
    EXPECT_EQ(QStringLiteral("DejaVu Sans"), text::faceName(copy.font));
    EXPECT_EQ(0x000019C6u, copy.colour) << "red sits in the low byte";
}

TEST(TextRecords, LongValuesAreCutAtCharacterBoundariesAndStayTerminated) {
    TextObject object;
    // 2-byte characters: 999 bytes of room hold 499 of them, never half of the 500th.
    text::setText(object, QString(700, QChar(0x00E9)));
    EXPECT_EQ(QString(499, QChar(0x00E9)), text::textOf(object));
    EXPECT_EQ('\0', object.text[998]);

    text::LogFont font;
    // 3-byte characters: 31 bytes of room hold 10 of them.
    text::setFaceName(font, QString(20, QChar(0x6587)));
    EXPECT_EQ(QString(10, QChar(0x6587)), text::faceName(font));

    text::setFaceName(font, u"Short");
    EXPECT_EQ(QStringLiteral("Short"), text::faceName(font)) << "the old longer name must not show through";
}

TEST(TextRecords, UnterminatedFieldsAreReadOnlyToTheirEnd) {
    TextObject object;
    std::memset(object.font.faceName, 'A', sizeof object.font.faceName);
    std::memset(object.text, 'B', sizeof object.text);
    object.style = 0x41414141; // would read on as text past a missing terminator
    EXPECT_EQ(QString(32, QLatin1Char('A')), text::faceName(object.font));
    EXPECT_EQ(QString(1000, QLatin1Char('B')), text::textOf(object));
}

TEST(TextRecords, AlphaFromTransparencyStaysInRange) {
    EXPECT_EQ(255, text::alphaFromTransparency(0.0f));
    EXPECT_EQ(128, text::alphaFromTransparency(0.5f));
    EXPECT_EQ(0, text::alphaFromTransparency(1.0f));
    EXPECT_EQ(0, text::alphaFromTransparency(1.5f));
    EXPECT_EQ(255, text::alphaFromTransparency(-0.5f));
    EXPECT_EQ(255, text::alphaFromTransparency(std::numeric_limits<float>::quiet_NaN()));
}

} // namespace
