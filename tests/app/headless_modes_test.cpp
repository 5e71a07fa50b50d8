// The headless modes run as the real program beside an editor's own files: they may read them, but never
// write, move or delete them.
#include "support/temp_folder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

using testing_support::TempFolder;

namespace {

struct Snapshot {
    QByteArray bytes;
    QDateTime modified;
    bool operator==(const Snapshot&) const = default;
};

class HeadlessModes : public ::testing::Test {
protected:
    TempFolder root;
    QString program;

    void SetUp() override {
        ASSERT_TRUE(QDir(root.path()).mkpath("app/Data"));
        program = root.file("app/pictovance");
        ASSERT_TRUE(QFile::copy(PICTOVANCE_EXE, program));
        // The files of an editor that is running or ran here: their contents are beside the point.
        ASSERT_TRUE(root.write("app/Undo_Temp_Data", "undo records of a running editor"));
        ASSERT_TRUE(root.write("app/Data/ZorvathMedia", QByteArray(4, '\0')));
        ASSERT_TRUE(root.write("app/Data/EnglishLang_src", "a language file"));
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::green);
        ASSERT_TRUE(picture.save(root.file("picture.png")));
    }

    std::map<QString, Snapshot> snapshot() const {
        std::map<QString, Snapshot> files;
        for (const QString& folder : {root.file("app"), root.file("app/Data")}) {
            files[folder] = {{}, QFileInfo(folder).lastModified()}; // changes with any file made or removed
            for (const QFileInfo& entry : QDir(folder).entryInfoList(QDir::Files)) {
                QFile file(entry.filePath());
                files[entry.filePath()] = {file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(),
                                           entry.lastModified()};
            }
        }
        return files;
    }

    int run(const QStringList& arguments) const {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        process.setProcessEnvironment(env);
        process.start(program, arguments);
        return process.waitForFinished(60000) ? process.exitCode() : -1;
    }
};

} // namespace

TEST_F(HeadlessModes, ScreenshotAndConvertLeaveTheEditorsFilesAlone) {
    const auto before = snapshot();
    ASSERT_EQ(run({"--screenshot", root.file("shot.png"), "--open", root.file("picture.png")}), 0);
    EXPECT_FALSE(QImage(root.file("shot.png")).isNull());
    EXPECT_EQ(snapshot(), before);

    ASSERT_EQ(run({"--convert", "tga", "--out", root.file("out"), root.file("picture.png")}), 0);
    EXPECT_TRUE(QFileInfo(root.file("out/picture.tga")).isFile());
    EXPECT_EQ(snapshot(), before);
}
