// The batch converter's work: one file at a time or several workers, stopping, reports and the files it
// leaves on disk.

#include "imaging/batch_convert.h"
#include "imaging/batch_naming.h"
#include "platform/manual_reset_event.h"
#include "support/temp_folder.h"
#include "test_pictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace imaging;
using testing_support::TempFolder;

namespace {

QImage flat(QColor colour, int width = 48, int height = 32) {
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(colour);
    return image;
}

std::vector<BatchFileReport> run(const BatchJob& job, BatchOptions options, BatchSummary* summary = nullptr) {
    std::vector<BatchFileReport> reports;
    const BatchSummary result =
        RunBatch(job, options, [&](const BatchFileReport& file) { reports.push_back(file); });
    if (summary)
        *summary = result;
    return reports;
}

// Every file of the folder with its bytes.
std::map<QString, QByteArray> contents(const QString& folder) {
    std::map<QString, QByteArray> files;
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::Files)) {
        QFile file(info.filePath());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        files[info.fileName()] = file.readAll();
    }
    return files;
}

struct BatchConvert : ::testing::Test {
    TempFolder folder;
    QString data = folder.file(QStringLiteral("Data/"));
    QString out = folder.file(QStringLiteral("out/"));

    void SetUp() override {
        QDir().mkpath(data);
        QDir().mkpath(out);
    }

    QString picture(const QString& name, QColor colour, const char* format) {
        const QString path = folder.file(name);
        EXPECT_TRUE(flat(colour).save(path, format));
        return path;
    }
};

} // namespace

TEST_F(BatchConvert, ReportsEveryFileInOrderWithTheReasonsOfTheSkippedOnes) {
    const QString broken = folder.file(QStringLiteral("broken.png"));
    ASSERT_TRUE(folder.write(QStringLiteral("broken.png"), QByteArray("\x89PNG\r\n\x1a\n not really")));
    const BatchJob job{{picture(QStringLiteral("Photo.Holiday.jpeg"), Qt::red, "jpeg"), broken,
                        folder.file(QStringLiteral("gone.bmp")),
                        picture(QStringLiteral("last.ppm"), Qt::blue, "ppm")},
                       out,
                       QStringLiteral("png"),
                       data};
    for (const int workers : {1, 2}) {
        BatchSummary summary;
        const std::vector<BatchFileReport> reports = run(job, {workers, {}, nullptr}, &summary);
        ASSERT_EQ(reports.size(), 4u);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(reports[static_cast<std::size_t>(i)].index, i);
            EXPECT_EQ(reports[static_cast<std::size_t>(i)].source, job.files[i]);
        }
        EXPECT_TRUE(reports[0].outcome);
        EXPECT_EQ(reports[0].target, out + QStringLiteral("Photo.Holiday.png"));
        EXPECT_FALSE(reports[1].outcome);
        EXPECT_FALSE(reports[1].outcome.reason.empty());
        EXPECT_FALSE(reports[2].outcome);
        EXPECT_FALSE(reports[2].outcome.reason.empty());
        EXPECT_TRUE(reports[3].outcome);
        EXPECT_EQ(summary.converted, 2);
        EXPECT_EQ(summary.skipped, 2);
        EXPECT_FALSE(summary.stopped);
        EXPECT_EQ(QImage(out + QStringLiteral("last.png")).pixel(5, 5), qRgb(0, 0, 255));
        EXPECT_FALSE(QFile::exists(out + QStringLiteral("broken.png")));
    }
}

TEST_F(BatchConvert, StopFinishesTheFileInHandAndStartsNoOther) {
    BatchJob job{{}, out, QStringLiteral("bmp"), data};
    for (int i = 0; i < 12; ++i)
        job.files << picture(QStringLiteral("p%1.png").arg(i), QColor(i * 20, 0, 0), "png");
    for (const int workers : {1, 2}) {
        QDir(out).removeRecursively();
        QDir().mkpath(out);
        platform::ManualResetEvent stop;
        std::vector<BatchFileReport> reports;
        // The pause keeps the run long enough for the stop to arrive while files are left.
        const BatchSummary summary =
            RunBatch(job, {workers, std::chrono::milliseconds(50), &stop}, [&](const BatchFileReport& file) {
                reports.push_back(file);
                stop.set();
            });
        EXPECT_TRUE(summary.stopped);
        ASSERT_GE(reports.size(), 1u);
        EXPECT_LT(reports.size(), 12u) << workers;
        if (workers == 1) {
            EXPECT_EQ(reports.size(), 1u);
        }
        for (std::size_t i = 0; i < reports.size(); ++i)
            EXPECT_EQ(reports[i].index, static_cast<int>(i));
        // Whatever was started was finished: each reported output is whole, nothing else was written.
        EXPECT_EQ(QDir(out).entryList(QDir::Files).size(), static_cast<qsizetype>(reports.size()));
        for (const BatchFileReport& file : reports)
            EXPECT_EQ(QImage(file.target).size(), QSize(48, 32)) << file.target.toStdString();
    }
}

TEST_F(BatchConvert, ConvertingIntoTheSourceFolderNeverOverwritesASourceInPlace) {
    // photo.png converted to png beside itself is skipped; converted onto itself by hand, the output
    // replaces the source only once it is whole, so a second name for the old file (a hard link) still
    // holds the old bytes.
    const QString source = picture(QStringLiteral("photo.png"), QColor(10, 120, 250), "png");
    const QByteArray original = folder.read(QStringLiteral("photo.png"));
    ASSERT_EQ(::link(QFile::encodeName(source).constData(),
                     QFile::encodeName(folder.file(QStringLiteral("kept.png"))).constData()),
              0);
    const std::vector<BatchFileReport> reports =
        run({{source}, folder.path() + QLatin1Char('/'), QStringLiteral("png"), data}, {});
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_FALSE(reports[0].outcome);
    EXPECT_EQ(folder.read(QStringLiteral("photo.png")), original);

    const Outcome onItself = ConvertPictureFile(source, source, QStringLiteral("png"), data);
    EXPECT_TRUE(onItself) << onItself.reason;
    EXPECT_EQ(folder.read(QStringLiteral("kept.png")), original);
    EXPECT_EQ(QImage(source).pixel(3, 3), qRgb(10, 120, 250));
    // A source that cannot be read stays exactly as it was.
    const QString damaged = folder.file(QStringLiteral("damaged.png"));
    const QByteArray damagedBytes = original.left(original.size() / 2);
    ASSERT_TRUE(folder.write(QStringLiteral("damaged.png"), damagedBytes));
    EXPECT_FALSE(ConvertPictureFile(damaged, damaged, QStringLiteral("png"), data));
    EXPECT_EQ(folder.read(QStringLiteral("damaged.png")), damagedBytes);
}

TEST_F(BatchConvert, AnOutputNeverReplacesAFileOfTheRunOrAnEarlierOutputWithOneOrTwoWorkers) {
    // Into the sources' own folder, to png: x.jpg's output would be the listed x.png, y.bmp is listed
    // twice, and z.jpeg and sub/z.ppm share one output name. The output folder is named through
    // "sub/../", then through a link, then plainly: the paths still meet as the files they name.
    const auto makeSources = [&](const QString& into) {
        QDir().mkpath(into + QStringLiteral("sub"));
        QStringList files;
        const auto add = [&](const QString& name, QColor colour, const char* format) {
            EXPECT_TRUE(flat(colour, 64, 40).save(into + name, format));
            files << into + name;
        };
        add(QStringLiteral("x.jpg"), QColor(200, 30, 30), "jpeg");
        add(QStringLiteral("x.png"), QColor(30, 200, 30), "png");
        add(QStringLiteral("y.bmp"), QColor(30, 30, 200), "bmp");
        files << into + QStringLiteral("y.bmp");
        add(QStringLiteral("z.jpeg"), QColor(250, 250, 0), "jpeg");
        add(QStringLiteral("sub/z.ppm"), QColor(0, 250, 250), "ppm");
        for (int i = 0; i < 6; ++i)
            add(QStringLiteral("n%1.bmp").arg(i), QColor(i * 40, 255 - i * 40, 90), "bmp");
        return files;
    };
    const std::vector<bool> written{false, false, true, false, true, false,
                                    true,  true,  true, true,  true, true};
    for (int round = 0; round < 3; ++round) {
        std::vector<std::map<QString, QByteArray>> results;
        std::vector<std::vector<BatchFileReport>> runs;
        for (const int workers : {1, 2}) {
            const QString name = QStringLiteral("r%1w%2/").arg(round).arg(workers);
            const QString sources = folder.file(name);
            QString output = sources + QStringLiteral("sub/../");
            if (round == 1) {
                output = folder.file(QStringLiteral("link%1/").arg(workers));
                ASSERT_TRUE(QFile::link(QDir::cleanPath(sources), QDir::cleanPath(output)));
            } else if (round == 2) {
                output = sources;
            }
            const QStringList files = makeSources(sources);
            const QByteArray green = folder.read(name + QStringLiteral("x.png"));
            ASSERT_FALSE(green.isEmpty());
            runs.push_back(run({files, output, QStringLiteral("png"), data}, {workers, {}, nullptr}));
            const std::vector<BatchFileReport>& reports = runs.back();
            ASSERT_EQ(reports.size(), written.size());
            for (std::size_t i = 0; i < written.size(); ++i)
                EXPECT_EQ(static_cast<bool>(reports[i].outcome), written[i]) << round << " " << i;
            EXPECT_NE(reports[0].outcome.reason.find("would replace a file being converted"),
                      std::string::npos)
                << reports[0].outcome.reason;
            EXPECT_NE(reports[3].outcome.reason.find("is already the output of " + files[2].toStdString()),
                      std::string::npos)
                << reports[3].outcome.reason;
            EXPECT_NE(reports[5].outcome.reason.find("is already the output of " + files[4].toStdString()),
                      std::string::npos)
                << reports[5].outcome.reason;
            // The green original and the first result of each name are kept.
            EXPECT_EQ(folder.read(name + QStringLiteral("x.png")), green);
            EXPECT_EQ(QImage(sources + QStringLiteral("x.png")).pixel(1, 1), qRgb(30, 200, 30));
            EXPECT_EQ(QImage(sources + QStringLiteral("y.png")).pixel(1, 1), qRgb(30, 30, 200));
            EXPECT_NEAR(qBlue(QImage(sources + QStringLiteral("z.png")).pixel(1, 1)), 0, 16);
            results.push_back(contents(sources));
        }
        EXPECT_EQ(results[0], results[1]) << round;
    }
}

TEST(BatchNaming, DefaultOutputFolderIsMadeInTheDocumentsFolder) {
    TempFolder documents;
    const QString folder = defaultBatchOutputFolder(documents.file(QStringLiteral("Documents")));
    EXPECT_EQ(folder, documents.file(QStringLiteral("Documents/Quorix Pictovnce Dazazizu/Convert/")));
    EXPECT_TRUE(QFileInfo(folder).isDir());
}
