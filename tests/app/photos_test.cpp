// The central path of the editor: import photos into the list, open one, edit, export, and find the
// list again after a restart.
#include "app/command_ids.h"
#include "app/editor_app.h"
#include "app/window/editor_dlg.h"
#include "app/photos/import_progress_window.h"
#include "app/photos/photo_list_ctrl.h"
#include "controls/buttons/skin_button.h"
#include "platform/messages.h"
#include "platform/scripted_dialogs.h"
#include "support/editor_window.h"
#include "support/temp_folder.h"
#include "workspace/widgets/workspace_wnd.h"

#include <QImageReader>
#include <QMimeData>
#include <QTest>
#include <QThread>
#include <QUrl>
#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>

using namespace app;
using testing_support::TempFolder;

namespace {

struct Photos : ::testing::Test, testing_support::EditorWindow {
    TempFolder pictures;

    void SetUp() override { startEditor(); }

    // Changes the open photo as a user does: a text placed through the text panel.
    void placeText(int x, int y) {
        window->onCommand(ID_TAB_TEXT);
        text::TextObject& style = document().textTemplate();
        style.font = text::makeLogFont(u"DejaVu Sans", 40);
        text::setText(style, u"Hi");
        document().PlaceText(x, y);
    }

    void restart() {
        window->close();
        editor.reset();
        startEditor();
    }

    QString picture(const QString& name, int width, int height, QColor colour = QColor(200, 80, 40)) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = pictures.file(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }

    void importFiles(const QStringList& paths) {
        dialogs->queueOpenFiles(paths);
        window->onCommand(ID_IMPORT);
        waitForImport();
    }

    void waitForImport() {
        for (int i = 0; i < 500 && window->importRunning(); ++i)
            QTest::qWait(10);
        QTest::qWait(20); // the end of the import arrives through the event loop
    }

    int listed() const {
        return static_cast<int>(std::count_if(window->photoList().records.begin(),
                                              window->photoList().records.end(),
                                              [](const PhotoRecord& r) { return r.removed == 0; }));
    }


    // Clicks the n-th thumbnail of the list.
    void clickPhoto(int shown) {
        CPhotoListCtrl* list = window->photoListCtrl();
        const int columns = std::max(1, list->columns());
        const QPoint centre(76 * (shown % columns) + 38,
                            76 * (shown / columns) + 38 - list->verticalOffset());
        QTest::mouseClick(list, Qt::LeftButton, {}, centre);
    }
};

} // namespace

TEST_F(Photos, TheSameFileIsListedOnceAndAgainAfterItWasRemoved) {
    const QString beach = picture("beach.png", 64, 48);
    importFiles({beach, beach});
    EXPECT_EQ(listed(), 1);
    EXPECT_EQ(dialogs->shown().front().text.left(19), "(all picture files)");
    importFiles({beach});
    EXPECT_EQ(listed(), 1);

    clickPhoto(0);
    window->onCommand(ID_REMOVE);
    EXPECT_EQ(listed(), 0);
    importFiles({beach});
    EXPECT_EQ(listed(), 1);
    EXPECT_EQ(window->photoList().records.back().listIndex, 1); // counts the removed record too
}

TEST_F(Photos, PicturesOfFiveByFivePixelsOrLessAreSkipped) {
    importFiles({picture("tiny.png", 5, 5), picture("small.png", 6, 6), picture("thin.png", 100, 5)});
    ASSERT_EQ(listed(), 1);
    EXPECT_EQ(window->photoList().records[0].fileName(), "small.png");
    EXPECT_EQ(window->photoList().records[0].width, 6);
}

TEST_F(Photos, ImportStopsAtTheFirstMissingFile) {
    importFiles({picture("a.png", 20, 20), pictures.file("gone.png"), picture("b.png", 20, 20)});
    EXPECT_EQ(listed(), 1);
    EXPECT_FALSE(window->progressWindow()->isVisible());
}

TEST_F(Photos, StopEndsTheImportAfterTheCurrentFile) {
    QStringList paths;
    for (int i = 0; i < 30; ++i)
        paths << picture(QStringLiteral("p%1.png").arg(i), 24, 24);
    dialogs->queueOpenFiles(paths);
    window->onCommand(ID_IMPORT);
    ASSERT_TRUE(window->importRunning());
    QTest::mouseClick(window->progressWindow()->stopButton(), Qt::LeftButton);
    waitForImport();
    EXPECT_LT(listed(), 30);
    EXPECT_FALSE(window->progressWindow()->isVisible());
    // The cancel was honoured and reset: the next import runs to its end.
    importFiles({picture("after.png", 24, 24)});
    EXPECT_EQ(window->photoList().records.back().fileName(), "after.png");
}

TEST_F(Photos, OneAndTwoThumbnailWorkersListAndStoreTheSamePhotosInOrder) {
    // A large JPEG first, so that the small files after it are done first with two workers; a picture
    // of 5 × 5, a file that is no picture, a repeated path, and a missing file that ends the import.
    QImage photo(2400, 1800, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(x * 7 % 256, y * 3 % 256, (x ^ y) % 256));
    ASSERT_TRUE(photo.save(pictures.file("camera.jpg"), "JPEG", 90));
    QStringList paths{pictures.file("camera.jpg")};
    for (int i = 0; i < 8; ++i)
        paths << picture(QStringLiteral("small%1.png").arg(i), 20 + i * 9, 30, QColor(i * 30, 90, 200));
    paths.insert(3, picture("tiny.png", 5, 5));
    ASSERT_TRUE(pictures.write("note.jpg", "not a picture"));
    paths.insert(5, pictures.file("note.jpg"));
    paths.insert(7, paths[1]);
    paths << pictures.file("gone.png") << picture("after.png", 40, 40);

    QStringList listedNames[2];
    QByteArray stores[2];
    for (const int workers : {1, 2}) {
        window->setImportWorkers(workers);
        window->startImport(paths);
        waitForImport();
        for (const PhotoRecord& record : window->photoList().records)
            listedNames[workers - 1] << record.fileName();
        window->close(); // the store is written
        editor.reset();
        stores[workers - 1] = program.read("Data/ZorvathMedia");
        ASSERT_TRUE(QFile::remove(program.file("Data/ZorvathMedia")));
        startEditor();
    }
    const QStringList expected{"camera.jpg", "small0.png", "small1.png", "small2.png", "small3.png",
                               "small4.png", "small5.png", "small6.png", "small7.png"};
    EXPECT_EQ(listedNames[0], expected);
    EXPECT_EQ(listedNames[1], expected);
    EXPECT_GT(stores[0].size(), 9 * 1104);
    EXPECT_EQ(stores[0], stores[1]);
}

TEST_F(Photos, AFileWhosePathDoesNotFitIsRefusedWithAMessage) {
    QString folder = QString(120, 'd');
    ASSERT_TRUE(QDir(pictures.path()).mkpath(folder + "/" + folder));
    const QString longPath = picture(folder + "/" + folder + "/photo.png", 20, 20);
    importFiles({longPath, picture("fine.png", 20, 20)});
    EXPECT_EQ(listed(), 1);
    ASSERT_EQ(dialogs->count("information"), 1);
    EXPECT_TRUE(dialogs->shown().back().text.contains("photo.png"));
}

TEST_F(Photos, TheListSurvivesARestartWithoutTheRemovedPhotos) {
    importFiles({picture("one.png", 30, 30), picture("two.png", 30, 30), picture("three.png", 30, 30)});
    clickPhoto(0);
    window->onCommand(ID_REMOVE);
    restart();
    ASSERT_EQ(window->photoList().records.size(), 2u);
    EXPECT_EQ(window->photoList().records[0].fileName(), "two.png");
    EXPECT_EQ(window->photoList().records[0].listIndex, 0);
    EXPECT_EQ(window->photoList().records[1].listIndex, 1);
    EXPECT_EQ(window->photoList().thumbs.size(), 2u);
}

TEST_F(Photos, OpeningAListedPhotoLoadsItAndAsksOnlyInSimpleModeWhenModified) {
    importFiles({picture("red.png", 160, 120, Qt::red), picture("blue.png", 160, 120, Qt::blue)});
    clickPhoto(0);
    EXPECT_EQ(document().canvasWidth(), 160);
    EXPECT_EQ(window->statusText(), "160*120 red.png");
    EXPECT_FALSE(window->button(ID_UNDO)->isEnabled());

    document().setModified(true);
    dialogs->queueAnswer(false);
    clickPhoto(1);
    ASSERT_EQ(dialogs->count("question"), 1);
    EXPECT_EQ(dialogs->shown().back().text, "Current Photo has been modified, Do you want to Save it?");
    EXPECT_EQ(window->statusText(), "160*120 blue.png");

    window->onCommand(ID_MODE_COLLAGE);
    document().setModified(true);
    clickPhoto(0);
    EXPECT_EQ(dialogs->count("question"), 1); // collage mode never asks
    // The blue composition became the background the red photo is laid over.
    const auto& sheet = document().background();
    EXPECT_EQ(sheet.row(sheet.height / 2)[sheet.width / 2 * 3], 255); // blue byte of the blue photo
}

TEST_F(Photos, ExportWritesThePictureAndUndoBringsTheObjectsBack) {
    importFiles({picture("wide.png", 1600, 1200, QColor(20, 120, 60))});
    clickPhoto(0);
    window->onCommand(ID_TAB_TEXT);
    text::TextObject& style = document().textTemplate();
    style.font = text::makeLogFont(u"DejaVu Sans", 80);
    text::setText(style, u"Hi");
    document().PlaceText(300, 300);

    const QString area = pictures.file("area.tga");
    dialogs->queueSaveFile(area);
    window->onCommand(ID_EXPORT_PHOTO_AREA);
    // Named after the photo, in the photo's folder.
    EXPECT_EQ(dialogs->shown().back().detail, pictures.file("wide.jpg"));
    EXPECT_TRUE(document().objects().empty());
    window->onCommand(ID_UNDO);
    EXPECT_EQ(document().objects().size(), 1);

    const QString whole = pictures.file("whole.png");
    dialogs->queueSaveFile(whole);
    window->onCommand(ID_EXPORT_WHOLE_IMAGE);
    const QSize client = window->workspace()->size();
    const QImage written(whole);
    ASSERT_FALSE(written.isNull());
    const double k = 1600.0 / document().viewRect().width();
    EXPECT_EQ(written.width(), static_cast<int>(static_cast<float>(k) * client.width()) / 4 * 4);
    EXPECT_TRUE(QFile::exists(area));

    dialogs->queueSaveFile(std::nullopt); // cancelled: nothing changes
    const int steps = document().history().stepCount();
    window->onCommand(ID_EXPORT_PHOTO_AREA);
    EXPECT_EQ(document().history().stepCount(), steps);
}

// A photo opened smaller than its picture is exported at the picture's size unless the user chooses the
// working size; an original that is gone is said so, and the working size offered instead.
TEST_F(Photos, ExportOffersTheFullSizeAndTheWorkingSizeWhenTheOriginalIsGone) {
    const QString original = picture("large.png", 2400, 1200, QColor(20, 120, 60));
    importFiles({original});
    clickPhoto(0);
    ASSERT_EQ(document().canvasWidth(), 1600);
    placeText(300, 300);

    dialogs->queueSaveFile(pictures.file("full.png"));
    window->onCommand(ID_EXPORT_PHOTO_AREA);
    ASSERT_EQ(dialogs->offeredChoices().size(), 1u);
    EXPECT_EQ(dialogs->offeredChoices().back().options,
              QStringList({"Full size (2400 × 1200)", "Working size (1600 × 800)"}));
    EXPECT_EQ(dialogs->offeredChoices().back().chosen, 0);
    EXPECT_EQ(QImage(pictures.file("full.png")).size(), QSize(2400, 1200));
    EXPECT_TRUE(document().objects().empty());
    window->onCommand(ID_UNDO);
    EXPECT_EQ(document().objects().size(), 1);

    ASSERT_TRUE(QFile::remove(original));
    dialogs->queueSaveFile(pictures.file("gone.png"));
    dialogs->queueAnswer(true);
    window->onCommand(ID_EXPORT_PHOTO_AREA);
    ASSERT_EQ(dialogs->count("question"), 1);
    EXPECT_TRUE(dialogs->shown().back().text.contains("is no longer there"));
    EXPECT_TRUE(dialogs->shown().back().text.contains("working size (1600 × 800)"));
    EXPECT_EQ(QImage(pictures.file("gone.png")).size(), QSize(1600, 800));

    dialogs->queueSaveFile(pictures.file("refused.png"));
    dialogs->queueAnswer(false);
    window->onCommand(ID_EXPORT_PHOTO_AREA);
    EXPECT_FALSE(QFile::exists(pictures.file("refused.png")));
}

TEST_F(Photos, BackgroundColourStartsAtTheLastColourChosen) {
    dialogs->queueColour(QColor(10, 20, 30));
    window->onCommand(ID_BACKGROUND_COLOUR);
    EXPECT_EQ(document().background().row(0)[0], 30);
    window->onCommand(ID_BACKGROUND_COLOUR); // cancelled
    EXPECT_EQ(dialogs->shown().back().detail, QColor(10, 20, 30).name());
    EXPECT_FALSE(document().canUndo());
}

TEST_F(Photos, DroppedFilesAreImportedByTheSameRules) {
    window->startImport({picture("dropped.png", 40, 40), picture("dot.png", 3, 3)});
    waitForImport();
    EXPECT_EQ(listed(), 1);
}

TEST_F(Photos, AFirstStartListsTheStarterPhotoOnceAndEmptyPlacesSayHowToBegin) {
    // Nothing listed and no photo open: the list and the workspace say how to begin, in words the
    // language table gives.
    const QString hint = QStringLiteral("Import photos or drop them here");
    EXPECT_EQ(listed(), 0);
    EXPECT_EQ(window->photoListCtrl()->shownHint(), hint);
    EXPECT_EQ(window->workspace()->shownHint(), hint);

    // The program ships the starter photo; the very first start (no photo list store yet) lists and
    // opens it.
    window->close();
    editor.reset();
    ASSERT_TRUE(QFile::remove(program.file("Data/ZorvathMedia")));
    ASSERT_TRUE(QDir(program.path()).mkdir("Starter"));
    QImage landscape(120, 90, QImage::Format_RGB32);
    landscape.fill(QColor(90, 160, 220));
    const QString starter = program.file("Starter/Lake.jpg");
    ASSERT_TRUE(landscape.save(starter));
    startEditor();
    ASSERT_EQ(listed(), 1);
    EXPECT_EQ(window->photoList().records[0].fullPath(), starter);
    EXPECT_EQ(document().picturePath(), starter);
    EXPECT_TRUE(window->photoListCtrl()->shownHint().isEmpty());
    EXPECT_TRUE(window->workspace()->shownHint().isEmpty());

    // Removed, it is gone for good: a store that exists but is empty stays empty.
    window->onCommand(ID_REMOVE);
    EXPECT_EQ(listed(), 0);
    EXPECT_EQ(window->photoListCtrl()->shownHint(), hint);
    restart();
    EXPECT_EQ(listed(), 0);
    EXPECT_EQ(window->workspace()->shownHint(), hint);

    // Pictures dropped on the empty workspace are listed and opened.
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(picture("dropped.png", 40, 30))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &files, Qt::LeftButton, {});
    QApplication::sendEvent(window->workspace(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &files, Qt::LeftButton, {});
    QApplication::sendEvent(window->workspace(), &drop);
    for (int i = 0; i < 500 && window->openingPictures(); ++i)
        QTest::qWait(10);
    EXPECT_EQ(listed(), 1);
    EXPECT_EQ(document().picturePath(), pictures.file("dropped.png"));
    EXPECT_TRUE(window->workspace()->shownHint().isEmpty());
}

TEST_F(Photos, FailedSaveOfTheModifiedPhotoKeepsItOpenWithItsHistory) {
    importFiles({picture("red.png", 160, 120, Qt::red), picture("blue.png", 160, 120, Qt::blue)});
    clickPhoto(0);
    placeText(100, 100);
    ASSERT_TRUE(document().modified());

    dialogs->queueAnswer(true);                                      // save it
    dialogs->queueSaveFile(pictures.file("no-such-folder/red.jpg")); // and the save fails
    clickPhoto(1);
    ASSERT_EQ(dialogs->count("information"), 1);
    EXPECT_TRUE(dialogs->shown().back().text.contains("could not be saved"));
    EXPECT_EQ(window->statusText(), "160*120 red.png");
    EXPECT_TRUE(document().canUndo());
    window->onCommand(ID_UNDO); // the text comes back as an object
    EXPECT_EQ(document().objects().size(), 1);

    // A save that works opens the other photo (still the list's current one).
    dialogs->queueAnswer(true);
    dialogs->queueSaveFile(pictures.file("red.jpg"));
    platform::sendMessage(window, platform::UM_OPENLISTPHOTO);
    EXPECT_EQ(window->statusText(), "160*120 blue.png");
    EXPECT_TRUE(QFile::exists(pictures.file("red.jpg")));
}

TEST_F(Photos, CancellingTheSaveAfterYesKeepsTheModifiedPhotoOpen) {
    importFiles({picture("red.png", 160, 120, Qt::red), picture("blue.png", 160, 120, Qt::blue)});
    clickPhoto(0);
    placeText(100, 100);

    dialogs->queueAnswer(true);           // save it
    dialogs->queueSaveFile(std::nullopt); // then cancel the save dialog
    clickPhoto(1);
    EXPECT_EQ(dialogs->count("save"), 1);
    EXPECT_EQ(window->statusText(), "160*120 red.png");
    EXPECT_EQ(document().objects().size(), 1); // the text is still an object, nothing was flattened
    EXPECT_TRUE(document().modified());
    EXPECT_TRUE(document().canUndo());
}

// Escape or the question's close button answers Cancel: whatever asked, the edited photo stays open.
TEST_F(Photos, CancelOnTheSaveQuestionKeepsTheEditedPhotoOpenWhateverAsked) {
    importFiles({picture("red.png", 160, 120, Qt::red), picture("blue.png", 160, 120, Qt::blue)});
    clickPhoto(0);
    window->show();
    placeText(100, 100);
    auto stillOpen = [&] {
        EXPECT_EQ(window->statusText(), "160*120 red.png");
        EXPECT_EQ(document().objects().size(), 1);
        EXPECT_TRUE(document().modified());
        EXPECT_TRUE(document().canUndo());
        EXPECT_TRUE(window->isVisible());
    };

    dialogs->queueAnswer(platform::Answer::Cancel);
    clickPhoto(1);
    stillOpen();
    dialogs->queueAnswer(platform::Answer::Cancel);
    window->onCommand(ID_FILE_EXIT);
    stillOpen();
    dialogs->queueAnswer(platform::Answer::Cancel);
    window->onCommand(ID_CLOSE);
    stillOpen();
    QCloseEvent fromDesktop; // nothing queued: a closed question is a cancelled one
    QSpontaneKeyEvent::setSpontaneous(&fromDesktop);
    QCoreApplication::instance()->notify(window, &fromDesktop);
    EXPECT_FALSE(fromDesktop.isAccepted());
    stillOpen();
    // A picture handed over by a second start asks too.
    window->openPictures({picture("green.png", 90, 60, Qt::green)});
    for (int i = 0; i < 1000 && window->openingPictures(); ++i)
        QTest::qWait(10);
    stillOpen();
    EXPECT_EQ(dialogs->count("question"), 5);
    EXPECT_EQ(dialogs->count("save"), 0);
}

TEST_F(Photos, ExitOffersToSaveAModifiedPhotoAndStaysOpenWhenTheSaveIsCancelled) {
    importFiles({picture("red.png", 160, 120, Qt::red)});
    clickPhoto(0);
    window->show();
    window->onCommand(ID_FILE_EXIT); // nothing to lose: no question
    EXPECT_EQ(dialogs->count("question"), 0);
    EXPECT_FALSE(window->isVisible());

    window->show();
    placeText(40, 40);
    ASSERT_TRUE(document().modified());
    dialogs->queueAnswer(true);
    dialogs->queueSaveFile(std::nullopt);
    window->onCommand(ID_FILE_EXIT);
    EXPECT_EQ(dialogs->shown().back().kind, "save");
    EXPECT_TRUE(window->isVisible());

    // The desktop's own close asks too.
    dialogs->queueAnswer(true);
    dialogs->queueSaveFile(std::nullopt);
    QCloseEvent fromDesktop;
    QSpontaneKeyEvent::setSpontaneous(&fromDesktop);
    QCoreApplication::instance()->notify(window, &fromDesktop); // sendEvent would clear the flag
    EXPECT_FALSE(fromDesktop.isAccepted());
    EXPECT_EQ(dialogs->count("question"), 2);

    dialogs->queueAnswer(true);
    dialogs->queueSaveFile(pictures.file("kept.png"));
    window->onCommand(ID_CLOSE);
    EXPECT_TRUE(QFile::exists(pictures.file("kept.png")));
    EXPECT_FALSE(window->isVisible());
}

namespace {

// Presses Stop (sends UM_IMPORTCANCEL) while the first file an import reports is being handled.
struct StopWhileHandled : QObject {
    explicit StopWhileHandled(QWidget* window) : window(window) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window && !pressed && event->type() == platform::MessageEvent::eventType() &&
            static_cast<platform::MessageEvent*>(event)->message == platform::UM_PHOTOIMPORTED) {
            pressed = true;
            platform::sendMessage(window, platform::UM_IMPORTCANCEL);
        }
        return false;
    }
    QWidget* window;
    bool pressed = false;
};

// Counts the files the import thread hands over.
struct HandedOver : QObject {
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == platform::MessageEvent::eventType() &&
            static_cast<platform::MessageEvent*>(event)->message == platform::UM_PHOTOIMPORTED)
            ++count;
        return false;
    }
    int count = 0;
};

// Removes every listed photo while the first file an import reports is being handled.
struct RemoveWhileHandled : QObject {
    explicit RemoveWhileHandled(CEditorDlg* window) : window(window) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window && !removed && event->type() == platform::MessageEvent::eventType() &&
            static_cast<platform::MessageEvent*>(event)->message == platform::UM_PHOTOIMPORTED) {
            removed = true;
            for (PhotoRecord& record : window->photoList().records)
                record.marked = 1;
            window->onCommand(ID_REMOVE);
        }
        return false;
    }
    CEditorDlg* window;
    bool removed = false;
};

} // namespace

TEST_F(Photos, AListedPhotoRemovedWhileAnImportNamingItRunsIsListedAgain) {
    const QString beach = picture("beach.png", 64, 48);
    importFiles({beach});
    RemoveWhileHandled remove(window);
    window->installEventFilter(&remove);
    importFiles({picture("first.png", 20, 20), beach});
    window->removeEventFilter(&remove);
    ASSERT_TRUE(remove.removed);
    ASSERT_EQ(listed(), 2);
    EXPECT_EQ(window->photoList().records.back().fileName(), "beach.png");
    EXPECT_FALSE(window->photoList().thumbs.back().jpeg.isEmpty());
}

TEST_F(Photos, StopPressedWhileTheLastFileIsHandledDoesNotEndTheNextImport) {
    StopWhileHandled stop(window);
    window->installEventFilter(&stop);
    importFiles({picture("only.png", 20, 20)});
    window->removeEventFilter(&stop);
    ASSERT_TRUE(stop.pressed);
    EXPECT_EQ(listed(), 1);

    importFiles({picture("next1.png", 20, 20), picture("next2.png", 20, 20)});
    EXPECT_EQ(listed(), 3);
}

TEST_F(Photos, TheEndOfAnImportBelongsToThatImportEvenWhenTheNextHasStarted) {
    const QString folder = QString(120, 'd');
    ASSERT_TRUE(QDir(pictures.path()).mkpath(folder + "/" + folder));
    const QString tooLongA = picture(folder + "/" + folder + "/first.png", 20, 20);
    const QString tooLongB = picture(folder + "/" + folder + "/second.png", 20, 20);

    // The first import hands its one file over and ends; its end is still waiting in the event queue...
    HandedOver handedOver;
    window->installEventFilter(&handedOver);
    window->startImport({tooLongA});
    while (handedOver.count == 0)
        QCoreApplication::processEvents();
    window->removeEventFilter(&handedOver);
    while (window->importRunning())
        QThread::msleep(1);
    // ... when files are dropped for the next one.
    window->startImport({tooLongB, picture("fine.png", 20, 20), picture("fine2.png", 20, 20)});
    QCoreApplication::processEvents(); // the first import's end arrives
    EXPECT_TRUE(window->progressWindow()->isVisible());
    waitForImport();
    EXPECT_FALSE(window->progressWindow()->isVisible());

    // Each import reported its own refused path.
    ASSERT_EQ(dialogs->count("information"), 2);
    EXPECT_TRUE(dialogs->shown()[0].text.contains("first.png"));
    EXPECT_TRUE(dialogs->shown()[1].text.contains("second.png"));
    EXPECT_EQ(listed(), 2);
}

TEST_F(Photos, StoreCutInTheThumbnailsKeepsEveryPhotoAndMakesTheirThumbnailsAgain) {
    importFiles({picture("one.png", 30, 30), picture("two.png", 30, 30), picture("three.png", 30, 30)});
    const std::vector<PhotoThumb> thumbs = window->photoList().thumbs;
    window->close(); // the store is written
    editor.reset();
    // The store ends in the middle of the second thumbnail, and the third photo's file is gone.
    const QByteArray whole = program.read("Data/ZorvathMedia");
    ASSERT_TRUE(program.write("Data/ZorvathMedia",
                              whole.left(whole.size() - thumbs[2].jpeg.size() - thumbs[1].jpeg.size() / 2)));
    ASSERT_TRUE(QFile::remove(pictures.file("three.png")));
    startEditor();

    const PhotoList& list = window->photoList();
    ASSERT_EQ(list.records.size(), 3u);
    EXPECT_EQ(list.records[2].fileName(), "three.png");
    EXPECT_EQ(list.thumbs[0].jpeg, thumbs[0].jpeg); // read from the store
    EXPECT_FALSE(list.thumbs[1].jpeg.isEmpty());    // made again from two.png
    EXPECT_TRUE(list.thumbs[2].jpeg.isEmpty());     // its photo is gone: a bare frame
    EXPECT_EQ(window->photoListCtrl()->shownIndices().size(), 3u);
}

TEST_F(Photos, StoreThatCannotBeOpenedIsKeptAndToldOnce) {
    window->close();
    editor.reset();
    const QString store = program.file("Data/ZorvathMedia");
    QFile::remove(store);
    ASSERT_TRUE(QFile::link(store, store)); // there, but it cannot be opened
    startEditor();
    ASSERT_EQ(dialogs->count("information"), 1);
    EXPECT_TRUE(dialogs->shown()[0].text.contains("ZorvathMedia"));
    importFiles({picture("new.png", 30, 30)});
    EXPECT_EQ(listed(), 1);
    window->close();
    EXPECT_TRUE(QFileInfo(store).isSymLink()); // not replaced by a store of this session
    EXPECT_EQ(dialogs->count("information"), 1);
}
