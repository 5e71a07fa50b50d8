// The command-line converter, run as the real program without a display.

#include "support/temp_folder.h"

#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

using testing_support::TempFolder;

struct ConverterRun {
    int exitCode = -1;
    QString output;
};

ConverterRun convert(const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(PICTOVANCE_EXE), arguments);
    if (!process.waitForFinished(120000))
        return {};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput())};
}

TEST(ConvertCommand, WritesEachFileNamedAsTheBatchConverterAndReportsSkippedOnes) {
    TempFolder folder;
    QImage image(30, 20, QImage::Format_RGB888);
    image.fill(QColor(10, 200, 30));
    ASSERT_TRUE(image.save(folder.file(QStringLiteral("Photo.Holiday.jpeg")), "jpeg"));
    ASSERT_TRUE(image.save(folder.file(QStringLiteral("small.ppm")), "ppm"));
    ASSERT_TRUE(folder.write(QStringLiteral("broken.png"), QByteArray("\x89PNG\r\n\x1a\n broken")));
    const QString out = folder.file(QStringLiteral("out"));

    const ConverterRun run =
        convert({QStringLiteral("--convert"), QStringLiteral("TIF"), QStringLiteral("--out"), out,
                 folder.file(QStringLiteral("Photo.Holiday.jpeg")), folder.file(QStringLiteral("small.ppm")),
                 folder.file(QStringLiteral("broken.png"))});
    EXPECT_EQ(run.exitCode, 1);
    const QStringList lines = run.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << run.output.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QLatin1String("written: ")) &&
                lines[0].endsWith(QLatin1String("Photo.Holiday.tif")));
    EXPECT_TRUE(lines[1].startsWith(QLatin1String("written: ")) &&
                lines[1].endsWith(QLatin1String("small.tif")));
    EXPECT_TRUE(lines[2].startsWith(QLatin1String("skipped: ")));

    const QImage converted(out + QStringLiteral("/Photo.Holiday.tif"));
    ASSERT_EQ(converted.size(), QSize(30, 20));
    EXPECT_NEAR(qGreen(converted.pixel(15, 10)), 200, 8);
    EXPECT_EQ(QImage(out + QStringLiteral("/small.tif")).pixel(0, 0), qRgb(10, 200, 30));
}

TEST(ConvertCommand, RefusesABadCommandLine) {
    TempFolder folder;
    EXPECT_EQ(convert({QStringLiteral("--convert"), QStringLiteral("xyz"), QStringLiteral("--out"),
                       folder.path(), QStringLiteral("a.png")})
                  .exitCode,
              2);
    EXPECT_EQ(convert({QStringLiteral("--convert"), QStringLiteral("png"), QStringLiteral("a.png")}).exitCode,
              2);
}

} // namespace
