// Pictures named on the command line, at the first start or handed over by a second one: listed as an
// import lists them, then the first of them opened.
#include "app/command_ids.h"
#include "app/editor_app.h"
#include "app/window/editor_dlg.h"
#include "app/photos/photo_list_ctrl.h"
#include "platform/scripted_dialogs.h"
#include "support/editor_window.h"
#include "support/temp_folder.h"
#include "workspace/widgets/workspace_wnd.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <gtest/gtest.h>

using namespace app;
using testing_support::TempFolder;

namespace {

struct OpenPictures : ::testing::Test, testing_support::EditorWindow {
    TempFolder pictures;

    void SetUp() override {
        startEditor();
    }

    QString picture(const QString& name, int width, int height, QColor colour = Qt::red) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = pictures.file(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }

    // Until the pictures named have been opened, or their opening given up.
    void settle() {
        for (int i = 0; i < 1000 && window->openingPictures(); ++i)
            QTest::qWait(10);
        ASSERT_FALSE(window->openingPictures());
    }

    QString openPicture() const { return window->workspace()->document().picturePath(); }

    QStringList listedPaths() const {
        QStringList paths;
        for (const PhotoRecord& record : window->photoList().records)
            if (record.removed == 0)
                paths << record.fullPath();
        return paths;
    }
};

} // namespace

TEST_F(OpenPictures, TheFirstListedPictureOpensAndTheOthersAreNamedInOneMessage) {
    const QString missing = pictures.file("missing.jpg");
    ASSERT_TRUE(pictures.write("notes.txt", "not a picture"));
    const QString red = picture("red.png", 160, 120, Qt::red);
    const QString tiny = picture("tiny.png", 5, 5);
    const QString blue = picture("blue.png", 200, 100, Qt::blue);

    window->openPictures({missing, pictures.file("notes.txt"), red, tiny, blue});
    settle();
    // The missing file did not end the import: the pictures after it are listed too.
    EXPECT_EQ(listedPaths(), QStringList({red, blue}));
    EXPECT_EQ(openPicture(), red);
    EXPECT_EQ(window->workspace()->document().canvasWidth(), 160);
    EXPECT_EQ(window->photoList().records[0].marked, 1); // shown as the current photo
    EXPECT_EQ(window->photoListCtrl()->currentIndex(), 0);
    ASSERT_EQ(dialogs->count("information"), 1);
    const QString message = dialogs->shown().back().text;
    EXPECT_TRUE(message.startsWith("These files could not be added to the photo list:"));
    EXPECT_TRUE(message.contains(missing + ": not found"));
    EXPECT_TRUE(message.contains(pictures.file("notes.txt") + ": not a picture"));
    EXPECT_TRUE(message.contains(tiny + ": not a picture"));
    EXPECT_FALSE(message.contains(red));

    // Handed over again by a second start: listed once, opened, nothing to tell; the "PIF" argument of
    // a line is the profile's business alone.
    window->handOffReceived("\"/usr/bin/pictovance\" " + blue, {blue});
    settle();
    EXPECT_EQ(listedPaths(), QStringList({red, blue}));
    EXPECT_EQ(openPicture(), blue);
    EXPECT_EQ(window->photoListCtrl()->currentIndex(), 1);
    EXPECT_EQ(window->photoList().records[0].marked, 0);
    EXPECT_EQ(dialogs->count("information"), 1);
}

TEST_F(OpenPictures, WaitForARunningImportAndComeOutOfPreview) {
    QStringList batch;
    for (int i = 0; i < 6; ++i)
        batch << picture(QString("batch%1.png").arg(i), 64, 48, Qt::green);
    const QString wanted = picture("wanted.png", 120, 90, Qt::blue);
    ASSERT_GT(window->startImport(batch), 0);
    window->onCommand(ID_PREVIEW);
    ASSERT_TRUE(window->previewing());

    window->openPictures({wanted});
    EXPECT_TRUE(openPicture().isEmpty()); // the running import goes first
    settle();
    EXPECT_EQ(listedPaths().size(), 7);
    EXPECT_EQ(listedPaths().back(), wanted);
    EXPECT_EQ(openPicture(), wanted);
    EXPECT_FALSE(window->previewing());
    EXPECT_EQ(dialogs->count("information"), 0);
}

TEST_F(OpenPictures, AModifiedPhotoIsOfferedForSavingFirstAndStopLeavesItOpen) {
    const QString first = picture("first.png", 100, 80);
    window->openPictures({first});
    settle();
    ASSERT_EQ(openPicture(), first);

    // Opening from the command line is an ordinary opening: the modified photo is offered for saving.
    window->workspace()->document().setModified(true);
    dialogs->queueAnswer(false);
    const QString second = picture("second.png", 100, 80, Qt::blue);
    window->openPictures({second});
    settle();
    EXPECT_EQ(dialogs->count("question"), 1);
    EXPECT_EQ(openPicture(), second);

    // Stop pressed during the import (it ends after the file in hand, so there are two): the user has
    // changed their mind, and nothing opens.
    window->openPictures({picture("third.png", 100, 80, Qt::green), picture("fourth.png", 90, 80)});
    platform::sendMessage(window, platform::UM_IMPORTCANCEL);
    settle();
    EXPECT_EQ(openPicture(), second);
    EXPECT_EQ(dialogs->count("information"), 0);
}

TEST_F(OpenPictures, AHandOverWaitsWhileADialogOfTheEditorWaitsForTheUser) {
    const QString edited = picture("edited.png", 100, 80);
    window->openPictures({edited});
    settle();
    window->workspace()->document().setModified(true);

    // The user is choosing where to export the edited photo when a second start hands a picture over.
    QDialog exporting(window);
    exporting.setModal(true);
    exporting.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &exporting);
    const QString handed = picture("handed.png", 120, 90, Qt::blue);
    window->handOffReceived(QString(), {handed});
    for (int i = 0; i < 500 && window->importRunning(); ++i)
        QTest::qWait(10);
    QTest::qWait(500);
    EXPECT_TRUE(listedPaths().contains(handed)); // listed at once
    EXPECT_EQ(openPicture(), edited);            // but nothing is asked or replaced under the dialog
    EXPECT_EQ(dialogs->count("question"), 0);
    EXPECT_TRUE(window->openingPictures());

    exporting.close();
    dialogs->queueAnswer(false);
    settle();
    EXPECT_EQ(dialogs->count("question"), 1);
    EXPECT_EQ(openPicture(), handed);
}
