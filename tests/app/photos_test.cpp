// The central path of the editor: import photos into the list, open one, edit, export, and find the
// list again after a restart.
#include "app/command_ids.h"
#include "app/editor_app.h"
#include "app/editor_dlg.h"
#include "app/photos/import_progress_window.h"
#include "app/photos/photo_list_ctrl.h"
#include "controls/skin_button.h"
#include "platform/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "workspace/workspace_wnd.h"

#include <QImageReader>
#include <QTest>
#include <gtest/gtest.h>

using namespace app;
using testing_support::TempFolder;

namespace {

struct Photos : ::testing::Test {
    TempFolder program;
    TempFolder pictures;
    platform::ScriptedDialogs* dialogs = nullptr;
    std::unique_ptr<CEditorApp> editor;
    CEditorDlg* window = nullptr;

    void SetUp() override { start(); }

    void start() {
        auto scripted = std::make_unique<platform::ScriptedDialogs>();
        dialogs = scripted.get();
        editor = std::make_unique<CEditorApp>(platform::Folders(program.path()), std::move(scripted));
        window = &editor->startMainWindow();
        window->resize(1280, 800);
    }

    void restart() {
        window->close();
        editor.reset();
        start();
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

    workspace::WorkspaceDocument& document() { return window->workspace()->document(); }

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
    EXPECT_EQ(dialogs->shown().back().detail, "wide.jpg");
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
