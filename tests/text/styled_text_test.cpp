#include "text/styled_text_renderer.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

using text::LogFont;
using text::rgb;

constexpr int kMargin = 40;

struct Rendering {
    QImage image;
    QRect box; // the measured box where it was drawn
};

Rendering render(int style, const LogFont& font, const QString& words, text::RgbColour first,
                 text::RgbColour second, int alpha = 255) {
    const QSize size = text::MeasureStyledText(font, words);
    Rendering result{QImage(size + QSize(2 * kMargin, 2 * kMargin), QImage::Format_ARGB32), QRect()};
    result.image.fill(Qt::white);
    result.box = QRect(QPoint(kMargin, kMargin), size);
    QPainter painter(&result.image);
    text::DrawTextInRect(painter, style, words, font, QRect(result.box.topLeft(), QSize(5, 5)), first, second,
                         alpha);
    return result;
}

int difference(QRgb a, QRgb b) {
    return std::max(
        {std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

// The bounding box of the pixels that differ from white by more than the threshold.
QRect inkBounds(const QImage& image, int threshold = 0) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (difference(image.pixel(x, y), qRgb(255, 255, 255)) > threshold)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// The middle of the tallest vertical run of strong ink: inside a stem, away from every edge.
struct Stem {
    int x = 0;
    int top = 0;
    int bottom = 0;
};

Stem tallestStem(const QImage& image) {
    Stem best;
    for (int x = 0; x < image.width(); ++x) {
        int start = -1;
        for (int y = 0; y <= image.height(); ++y) {
            const bool ink = y < image.height() && difference(image.pixel(x, y), qRgb(255, 255, 255)) > 120;
            if (ink && start < 0)
                start = y;
            if (!ink && start >= 0) {
                if (y - start > best.bottom - best.top)
                    best = {x, start, y};
                start = -1;
            }
        }
    }
    return best;
}

int glowReach(int style) {
    switch (style) {
    case 0:
    case 1:
        return 2 * 4;
    case 4:
    case 6:
        return 2 * 8;
    case 7:
        return 2 * 2;
    default:
        return 0;
    }
}

const QString kWords = QStringLiteral("Quixotic jolly Wyvern");

TEST(StyledText, EveryStyleDrawsInsideItsMeasuredBox) {
    LogFont italicBold = text::makeLogFont(u"Liberation Serif", 96, 700);
    italicBold.italic = 1;
    const LogFont fonts[] = {text::makeLogFont(u"DejaVu Sans", 36), italicBold,
                             text::makeLogFont(u"Arial Black", 36), text::makeLogFont(u"DejaVu Sans", -40)};
    for (const LogFont& font : fonts)
        for (int style = 0; style <= 8; ++style) {
            const Rendering drawn = render(style, font, kWords, rgb(0, 25, 198), rgb(198, 25, 0));
            const int reach = glowReach(style);
            SCOPED_TRACE(testing::Message()
                         << text::faceName(font).toStdString() << " " << font.height << " style " << style);
            EXPECT_TRUE(drawn.box.adjusted(-reach, -reach, reach, reach).contains(inkBounds(drawn.image)));
            EXPECT_GT(inkBounds(drawn.image, 24).width(), drawn.box.width() * 3 / 4)
                << "the text fills its box";
        }
}

TEST(StyledText, RenderingARequestMatchesDrawingIntoARectangle) {
    const LogFont font = text::makeLogFont(u"DejaVu Sans", 40);
    for (int style : {1, 4}) {
        const Rendering drawn = render(style, font, kWords, rgb(10, 200, 30), rgb(250, 0, 90), 200);
        QImage requested(drawn.image.size(), QImage::Format_ARGB32);
        requested.fill(Qt::white);
        QPainter painter(&requested);
        text::RenderStyledText(painter, {style, kWords, font, QRect(drawn.box.topLeft(), QSize(1, 1)),
                                         rgb(10, 200, 30), rgb(250, 0, 90), 200});
        painter.end();
        int largest = 0;
        for (int y = 0; y < requested.height(); ++y)
            for (int x = 0; x < requested.width(); ++x)
                largest = std::max(largest, difference(requested.pixel(x, y), drawn.image.pixel(x, y)));
        EXPECT_LE(largest, 2) << "style " << style << ": only rounding may differ";
    }
}

TEST(StyledText, FullTransparencyLeavesOnlyTheGreyOutlineOfStyle2) {
    const LogFont font = text::makeLogFont(u"DejaVu Sans", 48);
    for (int style = 0; style <= 7; ++style) {
        const Rendering drawn = render(style, font, kWords, rgb(0, 25, 198), rgb(198, 25, 0), 0);
        if (style != 2) {
            EXPECT_TRUE(inkBounds(drawn.image).isEmpty()) << "style " << style;
            continue;
        }
        int greyPixels = 0;
        for (int y = 0; y < drawn.image.height(); ++y)
            for (int x = 0; x < drawn.image.width(); ++x) {
                const QRgb pixel = drawn.image.pixel(x, y);
                ASSERT_LE(difference(pixel, qRgb(qRed(pixel), qRed(pixel), qRed(pixel))), 1) << "not grey";
                greyPixels += qRed(pixel) < 200;
            }
        EXPECT_GT(greyPixels, 500);
    }
}

TEST(StyledText, FallbackStyleIgnoresColoursAndAlpha) {
    const LogFont font = text::makeLogFont(u"DejaVu Sans", 64);
    const QImage reference = render(8, font, u"HHHH"_qs, rgb(255, 0, 0), rgb(0, 0, 255)).image;
    EXPECT_EQ(reference, render(8, font, u"HHHH"_qs, rgb(0, 255, 0), rgb(0, 0, 0), 0).image);
    EXPECT_EQ(reference, render(99, font, u"HHHH"_qs, rgb(0, 0, 0), rgb(0, 255, 0), 17).image);
    EXPECT_EQ(reference, render(-1, font, u"HHHH"_qs, rgb(1, 2, 3), rgb(4, 5, 6)).image);

    const Stem stem = tallestStem(reference);
    const QRgb top = reference.pixel(stem.x, stem.top + 2);
    const QRgb bottom = reference.pixel(stem.x, stem.bottom - 3);
    EXPECT_GT(qRed(top), qBlue(top) + 100) << "chocolate above";
    EXPECT_GT(qBlue(bottom), qBlue(top) + 60) << "antique white below";
}

TEST(StyledText, GradientsRunFromTheFirstColourAtTheTop) {
    const LogFont font = text::makeLogFont(u"DejaVu Sans", 96);
    for (int style : {0, 4}) {
        const Rendering drawn = render(style, font, u"HIH"_qs, rgb(255, 0, 0), rgb(0, 0, 255));
        const Stem stem = tallestStem(drawn.image);
        const QRgb top = drawn.image.pixel(stem.x, stem.top + 3);
        const QRgb bottom = drawn.image.pixel(stem.x, stem.bottom - 4);
        EXPECT_GT(qRed(top), qBlue(top)) << "style " << style;
        EXPECT_GT(qBlue(bottom), qRed(bottom)) << "style " << style;
    }
    // Style 1 turns back: the second colour at 60 % of the box, the first again below it.
    const Rendering drawn = render(1, font, u"HIH"_qs, rgb(255, 0, 0), rgb(0, 0, 255));
    const Stem stem = tallestStem(drawn.image);
    const QRgb top = drawn.image.pixel(stem.x, stem.top + 3);
    const QRgb atSixty = drawn.image.pixel(stem.x, drawn.box.top() + drawn.box.height() * 6 / 10);
    EXPECT_GT(qRed(top), qBlue(top) + 100);
    EXPECT_GT(qBlue(atSixty), qRed(atSixty) + 150);
    EXPECT_LT(qBlue(drawn.image.pixel(stem.x, stem.bottom - 4)), qBlue(atSixty));
}

TEST(StyledText, HatchesPutTheSecondColourOnTheFirst) {
    const LogFont font = text::makeLogFont(u"DejaVu Sans", 120);
    const QRgb first = qRgb(0, 25, 198);
    const QRgb second = qRgb(255, 255, 0);
    for (int style : {2, 3, 5}) {
        const Rendering drawn = render(style, font, u"HIH"_qs, rgb(0, 25, 198), rgb(255, 255, 0));
        const Stem stem = tallestStem(drawn.image);
        int background = 0;
        int foreground = 0;
        // A patch of the stem's inside, clear of its edges and outline.
        for (int y = stem.top + 8; y < stem.bottom - 8; ++y)
            for (int x = stem.x - 4; x <= stem.x + 4; ++x) {
                background += drawn.image.pixel(x, y) == first;
                foreground += drawn.image.pixel(x, y) == second;
            }
        EXPECT_GT(foreground, 0) << "style " << style;
        EXPECT_GT(background, 2 * foreground) << "style " << style;
    }
}

// The largest step between neighbouring pixels along rows.
int sharpestStep(const QImage& image) {
    int sharpest = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 1; x < image.width(); ++x)
            sharpest = std::max(sharpest, difference(image.pixel(x, y), image.pixel(x - 1, y)));
    return sharpest;
}

TEST(StyledText, Style7IsOnlyTheSoftenedText) {
    const LogFont font = text::makeLogFont(u"DejaVu Sans", 72);
    const int hatched = sharpestStep(render(3, font, kWords, rgb(0, 0, 0), rgb(0, 0, 0)).image);
    const int softened = sharpestStep(render(7, font, kWords, rgb(0, 0, 0), rgb(0, 0, 0)).image);
    EXPECT_GT(hatched, 200);
    EXPECT_LT(softened, hatched * 6 / 10);
}

TEST(StyledText, LongAndMultiLineTextsAreDrawnWhole) {
    const LogFont font = text::makeLogFont(u"DejaVu Sans Mono", 20);
    const QString shortText(259, QLatin1Char('x'));
    const QString longText = QString(499, QLatin1Char('x')) + QLatin1Char('W');
    const QSize shortSize = text::MeasureStyledText(font, shortText);
    const QSize longSize = text::MeasureStyledText(font, longText);
    EXPECT_NEAR(longSize.width(), shortSize.width() * 500 / 259, shortSize.width() / 20);
    for (int style : {0, 3}) {
        const int shortInk =
            inkBounds(render(style, font, shortText, rgb(0, 0, 0), rgb(0, 0, 0)).image, 60).width();
        const int longInk =
            inkBounds(render(style, font, longText, rgb(0, 0, 0), rgb(0, 0, 0)).image, 60).width();
        EXPECT_NEAR(longInk, shortInk * 500 / 259, shortInk / 20) << "style " << style;
    }

    const QSize oneLine = text::MeasureStyledText(font, u"Line"_qs);
    const QSize twoLines = text::MeasureStyledText(font, u"Line\r\nLine"_qs);
    EXPECT_EQ(oneLine.width(), twoLines.width());
    EXPECT_NEAR(twoLines.height(), 2 * oneLine.height(), 1);
}

TEST(StyledText, NothingToDrawLeavesTheTargetAlone) {
    EXPECT_TRUE(text::MeasureStyledText(text::makeLogFont(u"DejaVu Sans", 36), u"").isEmpty());
    EXPECT_TRUE(text::MeasureStyledText(text::makeLogFont(u"DejaVu Sans", 1), u"Text").isEmpty());
    QImage image(64, 64, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    text::DrawTextInRect(painter, 0, u"", text::makeLogFont(u"DejaVu Sans", 36), QRect(0, 0, 64, 64), 0, 0,
                         255);
    text::DrawTextInRect(painter, 4, u"Text", text::makeLogFont(u"DejaVu Sans", 0), QRect(0, 0, 64, 64), 0, 0,
                         255);
    painter.end();
    EXPECT_TRUE(inkBounds(image).isEmpty());
}

TEST(StyledText, ResultDoesNotDependOnTheTargetResolution) {
    const LogFont font = text::makeLogFont(u"Liberation Sans", 40);
    const auto drawAt = [&](int dotsPerMeter) {
        QImage image(600, 120, QImage::Format_ARGB32);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        image.fill(Qt::white);
        QPainter painter(&image);
        for (int style = 0; style <= 8; style += 4)
            text::DrawTextInRect(painter, style, u"Pictovance"_qs, font, QRect(10, 5 + style * 4, 1, 1),
                                 rgb(9, 99, 199), rgb(199, 9, 9), 255);
        return image;
    };
    EXPECT_EQ(drawAt(3780), drawAt(11811)); // 96 and 300 dpi
}

TEST(StyledText, HugeTextOnASmallTargetDrawsOnlyWhatShows) {
    QImage image(200, 100, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QString words(600, QLatin1Char('M'));
    text::DrawTextInRect(painter, 6, words, text::makeLogFont(u"DejaVu Sans", 3000),
                         QRect(-1000, -1500, 1, 1), rgb(0, 0, 0), rgb(0, 0, 255), 255);
    painter.end();
    EXPECT_FALSE(inkBounds(image).isEmpty());
}

} // namespace
