#include "text/fonts/font_resolver.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

QFontInfo infoOf(const text::ResolvedFace& face) {
    QFont font;
    font.setFamilies(QStringList{face.family});
    font.setPixelSize(20);
    return QFontInfo(font);
}

TEST(FontResolver, InstalledFaceIsUsedAsIs) {
    const text::ResolvedFace face = text::resolveFace(QStringLiteral("DejaVu Serif"));
    EXPECT_FALSE(face.substituted);
    EXPECT_EQ(QStringLiteral("DejaVu Serif"), face.family);
    EXPECT_EQ(400, face.minimumWeight);
}

TEST(FontResolver, MissingBlackFaceFallsBackToABoldSans) {
    const text::ResolvedFace face = text::resolveFace(QStringLiteral("Arial Black"));
    EXPECT_TRUE(face.substituted);
    EXPECT_EQ(700, face.minimumWeight);
    EXPECT_FALSE(face.family.contains(QLatin1String("Serif")));
}

TEST(FontResolver, UnknownFacesNeverGiveNothing) {
    for (const char* name : {"Qzxv Imaginary", "", "   "}) {
        const text::ResolvedFace face = text::resolveFace(QString::fromLatin1(name));
        EXPECT_TRUE(face.substituted) << name;
        EXPECT_FALSE(face.family.isEmpty()) << name;
        EXPECT_EQ(400, face.minimumWeight) << name;
        EXPECT_TRUE(infoOf(face).exactMatch()) << name << " gave " << face.family.toStdString();
    }
}

TEST(FontResolver, FallbackKeepsTheKindOfFace) {
    QFont mono;
    mono.setFamilies(QStringList{text::resolveFace(QStringLiteral("Qzxv Typewriter Mono")).family});
    mono.setPixelSize(20);
    const QFontMetricsF metrics(mono);
    EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(QStringLiteral("iii")),
                     metrics.horizontalAdvance(QStringLiteral("MMM")));
    EXPECT_TRUE(text::resolveFace(QStringLiteral("Qzxv Old Roman")).family.contains(QLatin1String("Serif")));
}

} // namespace
