// The Batch Convert window, driven through its commands with scripted dialogs. With
// PICTOVANCE_SCREENSHOTS set to a folder, the window is also saved there before, during and after a run.

#include "controls/dez_list_box.h"
#include "controls/buttons/skin_button.h"
#include "imaging/files/file_dialog_filters.h"
#include "imaging/widgets/batch_convert_dialog.h"
#include "platform/scripted_dialogs.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using imaging::BatchConvertDialog;
using testing_support::TempFolder;

namespace {

struct BatchDialog : ::testing::Test {
    TempFolder folder;
    platform::ScriptedDialogs dialogs;
    std::unique_ptr<BatchConvertDialog> dialog;

    void SetUp() override {
        dialog = std::make_unique<BatchConvertDialog>(nullptr, dialogs, folder.file(QStringLiteral("Data/")),
                                                      folder.file(QStringLiteral("Documents")));
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }

    QStringList pictures(int count) {
        QStringList paths;
        for (int i = 0; i < count; ++i) {
            QImage image(160, 120, QImage::Format_RGB888);
            image.fill(QColor(i * 10 % 256, 128, 200));
            paths << folder.file(QStringLiteral("photo%1.png").arg(i));
            EXPECT_TRUE(image.save(paths.back()));
        }
        return paths;
    }

    void add(const QStringList& paths) {
        dialogs.queueOpenFiles(paths);
        dialog->onCommand(BatchConvertDialog::ID_ADD_PICTURE_FILE);
    }

    QString chooseOutput(const QString& name) {
        const QString out = folder.file(name);
        QDir().mkpath(out);
        dialogs.queueFolder(out);
        dialog->onCommand(BatchConvertDialog::ID_BROWSE);
        return out + QLatin1Char('/');
    }

    void screenshot(const char* name) {
        const QString shots = qEnvironmentVariable("PICTOVANCE_SCREENSHOTS");
        if (!shots.isEmpty())
            dialog->grab().save(QDir(shots).filePath(QLatin1String(name)));
    }
};

} // namespace

TEST_F(BatchDialog, OpensWithItsFormatsJpgSelectedAndTheDefaultFolderMade) {
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Batch Convert"));
    EXPECT_EQ(dialog->size(), QSize(560, 370));
    EXPECT_EQ(dialog->formatList()->strings(),
              (QStringList{"JPG", "BMP", "GIF", "PNG", "PNM", "TGA", "TIF", "PCX"}));
    EXPECT_EQ(dialog->formatList()->curSel(), 0);
    const QString expected = folder.file(QStringLiteral("Documents/Quorix Pictovnce Dazazizu/Convert/"));
    EXPECT_EQ(dialog->outputFolder(), expected);
    EXPECT_TRUE(QFileInfo(expected).isDir());
    EXPECT_EQ(dialog->button(BatchConvertDialog::ID_CONVERT)->geometry(),
              QRect(QPoint(145, 320), QPoint(265, 340)));
    EXPECT_EQ(dialog->button(BatchConvertDialog::ID_CLOSE)->geometry().topLeft(), QPoint(520, 7));
    // Four files, two converted: 260 of the bar's 520 pixels.
    EXPECT_EQ(BatchConvertDialog::progressLength(2, 4), 260);
    EXPECT_EQ(BatchConvertDialog::progressLength(0, 0), 0);
}

TEST_F(BatchDialog, AddsFilesInOrderEvenTwiceAndBrowsesForTheOutputFolder) {
    const QStringList two = pictures(2);
    add(two);
    add({two[0]});
    EXPECT_EQ(dialog->files(), (QStringList{two[0], two[1], two[0]}));
    EXPECT_EQ(dialog->fileList()->count(), 3);
    ASSERT_EQ(dialogs.shown().front().kind, QStringLiteral("open"));
    EXPECT_EQ(dialogs.shown().front().text, QString::fromLatin1(imaging::kPictureOpenFilter));
    EXPECT_EQ(dialogs.shown().front().detail, QStringLiteral("multiple"));

    const QString before = dialog->outputFolder();
    dialog->onCommand(BatchConvertDialog::ID_BROWSE); // cancelled
    EXPECT_EQ(dialog->outputFolder(), before);
    EXPECT_EQ(dialogs.shown().back().kind, QStringLiteral("folder"));
    EXPECT_EQ(dialogs.shown().back().text, before); // starts at the current folder
    EXPECT_EQ(dialogs.shown().back().detail, QStringLiteral("Select Output Directory"));
    EXPECT_EQ(chooseOutput(QStringLiteral("chosen")), dialog->outputFolder()); // a separator is added
}

TEST_F(BatchDialog, ConvertsThenReportsTheSkippedFilesWithTheirReasons) {
    screenshot("batch-before.png");
    QStringList files = pictures(24);
    const QString damaged = folder.file(QStringLiteral("damaged.jpg"));
    ASSERT_TRUE(folder.write(QStringLiteral("damaged.jpg"), QByteArray("\xFF\xD8\xFF\xE0 not a picture")));
    files.insert(3, damaged);
    add(files);
    const QString out = chooseOutput(QStringLiteral("out"));
    dialog->formatList()->setCurSel(3); // PNG
    QSignalSpy ended(dialog.get(), &BatchConvertDialog::runEnded);

    dialog->onCommand(BatchConvertDialog::ID_CONVERT);
    EXPECT_TRUE(dialog->busy());
    dialog->onCommand(BatchConvertDialog::ID_CONVERT); // ignored while busy
    QTRY_VERIFY_WITH_TIMEOUT(dialog->converted() >= 4, 20000);
    dialog->repaint();
    screenshot("batch-during.png");
    ASSERT_TRUE(ended.wait(60000));
    dialog->repaint();
    screenshot("batch-after.png");

    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(dialog->busy());
    EXPECT_EQ(dialog->converted(), 0); // the bar is empty again
    EXPECT_EQ(QDir(out).entryList(QDir::Files).size(), 24);
    EXPECT_EQ(QImage(out + QStringLiteral("photo23.png")).size(), QSize(160, 120));
    ASSERT_EQ(dialogs.shown().back().kind, QStringLiteral("information"));
    const QString report = dialogs.shown().back().text;
    EXPECT_TRUE(report.startsWith(QLatin1String("24 of 25 files were converted."))) << report.toStdString();
    EXPECT_TRUE(report.contains(QDir::toNativeSeparators(damaged) + QStringLiteral(": ")))
        << report.toStdString();
    // The list stays: Convert runs over it again.
    EXPECT_EQ(dialog->files().size(), 25);
}

TEST_F(BatchDialog, ClosingWhileBusyAsksAndNoLetsTheRunFinish) {
    add(pictures(30));
    const QString out = chooseOutput(QStringLiteral("out"));
    QSignalSpy ended(dialog.get(), &BatchConvertDialog::runEnded);
    dialog->onCommand(BatchConvertDialog::ID_CONVERT);
    QTRY_VERIFY_WITH_TIMEOUT(dialog->converted() >= 1, 20000);
    dialogs.queueAnswer(false);
    dialog->onCommand(BatchConvertDialog::ID_CLOSE);
    ASSERT_EQ(dialogs.shown().back().kind, QStringLiteral("question"));
    EXPECT_EQ(dialogs.shown().back().text, QStringLiteral("Are you sure to stop converting?"));
    EXPECT_EQ(dialogs.shown().back().detail, QStringLiteral("Confirm"));
    EXPECT_TRUE(dialog->isVisible());
    ASSERT_TRUE(ended.wait(60000));
    EXPECT_EQ(QDir(out).entryList(QDir::Files).size(), 30);
    EXPECT_TRUE(dialog->isVisible());

    // Idle, the close button closes at once.
    dialog->onCommand(BatchConvertDialog::ID_CLOSE);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(BatchDialog, YesStopsAfterTheFileInHandAndClosesWithoutAReport) {
    add(pictures(40));
    const QString out = chooseOutput(QStringLiteral("out"));
    QSignalSpy ended(dialog.get(), &BatchConvertDialog::runEnded);
    dialog->onCommand(BatchConvertDialog::ID_CONVERT);
    QTRY_VERIFY_WITH_TIMEOUT(dialog->converted() >= 2, 20000);
    dialogs.queueAnswer(true);
    dialog->onCommand(BatchConvertDialog::ID_CLOSE);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->isVisible(), 20000);
    EXPECT_FALSE(dialog->busy());
    ASSERT_TRUE(ended.count() == 1 || ended.wait(20000));
    EXPECT_EQ(dialogs.count(QStringLiteral("information")), 0);

    // The files written so far are kept and whole; the rest were never started.
    const QStringList written = QDir(out).entryList(QDir::Files);
    EXPECT_GE(written.size(), 2);
    EXPECT_LT(written.size(), 40);
    for (const QString& name : written)
        EXPECT_EQ(QImage(out + name).size(), QSize(160, 120)) << name.toStdString();
}
