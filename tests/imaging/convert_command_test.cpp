// The command-line converter, run as the real program without a display.

#include "imaging/files/photo_loading.h"
#include "support/temp_folder.h"

#include <QDir>
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

TEST(ConvertCommand, TwoWorkersWriteTheSameBytesAndLinesAsOne) {
    TempFolder folder;
    QStringList files;
    for (int i = 0; i < 10; ++i) {
        QImage image(96 + i * 4, 64, QImage::Format_RGB888);
        image.fill(QColor(i * 25, 100, 255 - i * 25));
        const QString path = folder.file(QStringLiteral("p%1.%2").arg(i).arg(i % 2 ? "png" : "jpg"));
        ASSERT_TRUE(image.save(path));
        files << path;
    }
    files.insert(4, folder.file(QStringLiteral("missing.png")));
    for (const char* format : {"png", "tga"}) {
        QStringList outputs;
        QStringList printed;
        for (const char* jobs : {"1", "2"}) {
            const QString out = folder.file(QStringLiteral("%1-%2").arg(format, jobs));
            const ConverterRun run = convert(QStringList{QStringLiteral("--convert"), QLatin1String(format),
                                                         QStringLiteral("--out"), out,
                                                         QStringLiteral("--jobs"), QLatin1String(jobs)} +
                                             files);
            EXPECT_EQ(run.exitCode, 1) << run.output.toStdString();
            printed << QString(run.output).replace(out, QStringLiteral("OUT"));
            QByteArray all;
            for (const QString& name : QDir(out).entryList(QDir::Files, QDir::Name)) {
                QFile file(out + QLatin1Char('/') + name);
                EXPECT_TRUE(file.open(QIODevice::ReadOnly));
                all += name.toUtf8() + file.readAll();
            }
            outputs << QString::fromLatin1(all.toBase64());
        }
        EXPECT_EQ(printed[0].count(QLatin1String("written: ")), 10);
        EXPECT_EQ(printed[0], printed[1]);
        EXPECT_EQ(outputs[0], outputs[1]) << format;
    }
}

TEST(ConvertCommand, HelpAndVersionDescribeTheWholeCommandLine) {
    const ConverterRun help = convert({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* mode :
         {"--convert FORMAT --out DIR [--jobs N] FILE...", "--recipe RECIPE.json",
          "--import-resources FILE.irs...", "--screenshot FILE [--open PICTURE]", "Import Photo"})
        EXPECT_TRUE(help.output.contains(QLatin1String(mode))) << mode;
    const ConverterRun version =
        convert({QStringLiteral("--convert"), QStringLiteral("png"), QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.output.startsWith(QLatin1String("Quorix Pictovance Dazazizu ")));
}

TEST(ConvertCommand, RefusesABadCommandLine) {
    TempFolder folder;
    EXPECT_EQ(convert({QStringLiteral("--convert"), QStringLiteral("xyz"), QStringLiteral("--out"),
                       folder.path(), QStringLiteral("a.png")})
                  .exitCode,
              2);
    EXPECT_EQ(convert({QStringLiteral("--convert"), QStringLiteral("png"), QStringLiteral("a.png")}).exitCode,
              2);
    for (const char* jobs : {"0", "two", "1000"})
        EXPECT_EQ(
            convert({QStringLiteral("--convert"), QStringLiteral("png"), QStringLiteral("--out"),
                     folder.path(), QStringLiteral("--jobs"), QLatin1String(jobs), QStringLiteral("a.png")})
                .exitCode,
            2)
            << jobs;
}

} // namespace

namespace {

// Pictures of one colour, named by it.
QStringList onePictureEach(const TempFolder& folder, const QString& name, QColor colour, int count) {
    QStringList paths;
    QImage image(24, 16, QImage::Format_RGB888);
    image.fill(colour);
    for (int i = 0; i < count; ++i) {
        paths << folder.file(QStringLiteral("%1%2.png").arg(name).arg(i));
        EXPECT_TRUE(image.save(paths.back()));
    }
    return paths;
}

} // namespace

TEST(ConvertCommand, TwoConvertersRunningAtOnceEachWriteTheirOwnPictures) {
    TempFolder folder;
    constexpr int kCount = 150;
    const QStringList red = onePictureEach(folder, QStringLiteral("red"), Qt::red, kCount);
    const QStringList blue = onePictureEach(folder, QStringLiteral("blue"), Qt::blue, kCount);
    QProcess runs[2];
    const QStringList* inputs[2] = {&red, &blue};
    const QString outputs[2] = {folder.file(QStringLiteral("red-out")),
                                folder.file(QStringLiteral("blue-out"))};
    for (int i = 0; i < 2; ++i) {
        runs[i].setProcessChannelMode(QProcess::MergedChannels);
        runs[i].start(QStringLiteral(PICTOVANCE_EXE),
                      QStringList{QStringLiteral("--convert"), QStringLiteral("tga"), QStringLiteral("--out"),
                                  outputs[i]} +
                          *inputs[i]);
    }
    for (QProcess& run : runs) {
        ASSERT_TRUE(run.waitForFinished(120000));
        EXPECT_EQ(run.exitCode(), 0) << run.readAll().toStdString();
    }
    for (int i = 0; i < 2; ++i) {
        const QRgb expected = i == 0 ? qRgb(255, 0, 0) : qRgb(0, 0, 255);
        for (int n = 0; n < kCount; ++n) {
            std::vector<std::uint8_t> pixels(24 * 16 * 3, 0);
            const QString written =
                outputs[i] + QStringLiteral("/%1%2.tga").arg(i == 0 ? "red" : "blue").arg(n);
            ASSERT_TRUE(
                imaging::LoadPictureScaled(written, pixels.data(), 24, 16, imaging::ScaledLayout::Batch))
                << written.toStdString();
            for (std::size_t p = 0; p < pixels.size(); p += 3)
                ASSERT_EQ(qRgb(pixels[p + 2], pixels[p + 1], pixels[p]), expected) << written.toStdString();
        }
    }
}
