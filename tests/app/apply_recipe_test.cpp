// File > Apply Recipe to Photos: the window opened through the main window's routing, filled from the
// photo list and scripted dialogs, and run to its end report. With PICTOVANCE_SCREENSHOTS set to a
// folder, the window is also saved there during and after a run.

#include "app/command_ids.h"
#include "controls/dez_list_box.h"
#include "recipe/recipe_runner.h"
#include "recipe/widgets/apply_recipe_dialog.h"
#include "support/editor_window.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <gtest/gtest.h>

using recipe::ApplyRecipeDialog;
using testing_support::TempFolder;

namespace {

constexpr char kCaption[] = R"({"recipe": 1, "export": {"format": "png", "size": "working"},
    "steps": [{"op": "background", "colour": "#336699"},
              {"op": "text", "text": "Summer", "face": "DejaVu Sans", "height": 24, "at": [10, 10]}]})";

struct ApplyRecipe : ::testing::Test, testing_support::EditorWindow {
    TempFolder pictures;
    ApplyRecipeDialog* dialog = nullptr;

    void SetUp() override {
        startEditor();
        window->onCommand(app::ID_FILE_APPLY_RECIPE);
        dialog = window->applyRecipeDialog();
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(dialog->isVisible());
        ASSERT_FALSE(dialog->isModal()); // the editor stays usable
    }

    QString picture(const QString& name, int width = 160, int height = 120) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(QColor(40, 160, 90));
        const QString path = pictures.file(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }

    void listAndOpen(const QStringList& paths) {
        window->openPictures(paths);
        for (int i = 0; i < 1000 && window->openingPictures(); ++i)
            QTest::qWait(10);
        ASSERT_FALSE(window->openingPictures());
    }

    void chooseRecipe(const char* json) {
        ASSERT_TRUE(pictures.write("recipe.json", json));
        dialogs->queueOpenFiles({pictures.file("recipe.json")});
        dialog->onCommand(ApplyRecipeDialog::ID_CHOOSE_RECIPE);
    }

    void chooseOutput(const QString& folder) {
        dialogs->queueFolder(folder);
        dialog->onCommand(ApplyRecipeDialog::ID_BROWSE);
    }

    // Applies and waits for the end report, which it returns.
    QString runToEnd() {
        QSignalSpy ended(dialog, &ApplyRecipeDialog::runEnded);
        const int informed = dialogs->count("information");
        dialog->onCommand(ApplyRecipeDialog::ID_APPLY);
        EXPECT_TRUE(ended.wait(60000));
        EXPECT_EQ(dialogs->count("information"), informed + 1);
        return dialogs->shown().back().text;
    }

    QStringList written(const QString& folder) const {
        return QDir(folder).entryList(QDir::Files, QDir::Name);
    }

    void screenshot(const char* name) {
        const QString shots = qEnvironmentVariable("PICTOVANCE_SCREENSHOTS");
        if (!shots.isEmpty())
            dialog->grab().save(QDir(shots).filePath(QLatin1String(name)));
    }
};

QByteArray digest(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1)
                                          : QByteArray();
}

} // namespace

TEST_F(ApplyRecipe, FivePhotosWithOneUnreadableGiveFourResultsAndOneReason) {
    listAndOpen({picture("a.png"), picture("b.png"), picture("c.png"), picture("d.png")});
    ASSERT_TRUE(pictures.write("damaged.jpg", QByteArray("\xFF\xD8\xFF\xE0 not a picture")));
    dialog->onCommand(ApplyRecipeDialog::ID_ALL_PHOTOS);
    dialogs->queueOpenFiles({pictures.file("damaged.jpg")});
    dialog->onCommand(ApplyRecipeDialog::ID_ADD_PICTURE_FILE);
    ASSERT_EQ(dialog->photos().size(), 5);
    const QString out = pictures.file("out");
    chooseOutput(out);

    // A step naming a frame the library lacks: refused before anything is made.
    chooseRecipe(R"({"recipe": 1, "steps": [{"op": "frame", "index": 999}]})");
    dialog->onCommand(ApplyRecipeDialog::ID_APPLY);
    EXPECT_FALSE(dialog->busy());
    EXPECT_TRUE(dialogs->shown().back().text.contains("step 1 (frame): \"index\" 999 is past the"));
    EXPECT_FALSE(QFileInfo::exists(out));

    chooseRecipe(kCaption);
    EXPECT_EQ(dialog->formatList()->text(dialog->formatList()->curSel()), "PNG"); // the recipe's choices
    EXPECT_EQ(dialog->sizeList()->curSel(), 1);
    const QString report = runToEnd();
    screenshot("apply-recipe-end.png");
    EXPECT_TRUE(report.startsWith("4 of 5 photos were written.\n\nSkipped:\n")) << report.toStdString();
    EXPECT_TRUE(
        report.contains(QDir::toNativeSeparators(pictures.file("damaged.jpg")) + ": cannot open the photo"));
    ASSERT_EQ(written(out), QStringList({"a.png", "b.png", "c.png", "d.png"}));
    const QImage result(out + "/b.png");
    EXPECT_EQ(result.size(), QSize(160, 120));
    EXPECT_NE(result, QImage(pictures.file("b.png")).convertToFormat(result.format())); // the text is on it
}

TEST_F(ApplyRecipe, StopFinishesThePhotosInHandAndLeavesNoPartialFile) {
    QStringList photos;
    for (int i = 0; i < 40; ++i)
        photos << picture(QStringLiteral("photo%1.png").arg(i), 800, 600);
    dialogs->queueOpenFiles(photos);
    dialog->onCommand(ApplyRecipeDialog::ID_ADD_PICTURE_FILE);
    const QString out = pictures.file("out");
    chooseOutput(out);
    chooseRecipe(kCaption);

    QSignalSpy ended(dialog, &ApplyRecipeDialog::runEnded);
    dialog->onCommand(ApplyRecipeDialog::ID_APPLY);
    ASSERT_TRUE(dialog->busy());
    QTRY_VERIFY_WITH_TIMEOUT(dialog->finished() >= 2, 60000);
    dialog->repaint();
    screenshot("apply-recipe-during.png");
    dialog->onCommand(ApplyRecipeDialog::ID_STOP);
    ASSERT_TRUE(ended.wait(60000));

    const QStringList files = written(out);
    const QString report = dialogs->shown().back().text;
    EXPECT_EQ(report, QStringLiteral("Stopped: %1 of 40 photos were written.").arg(files.size()));
    EXPECT_GE(files.size(), 2);
    EXPECT_LT(files.size(), 40);
    for (const QString& name : files) {
        EXPECT_TRUE(name.startsWith("photo") && name.endsWith(".png")) << name.toStdString();
        EXPECT_EQ(QImage(out + "/" + name).size(), QSize(800, 600)) << name.toStdString();
    }
}

TEST_F(ApplyRecipe, TheOpenPhotoItsHistoryAndItsFileAreLeftAlone) {
    const QString open = picture("beach.png", 800, 600);
    listAndOpen({open});
    workspace::WorkspaceDocument& edited = document();
    const auto caption = recipe::readRecipe(kCaption);
    ASSERT_TRUE(caption.recipe);
    ASSERT_TRUE(recipe::runSteps(*caption.recipe, recipe::findRunSettings(editor->folders()), edited));
    const int steps = edited.history().stepCount();
    const int position = edited.history().position();
    const QImage shown = window->workspace()->grab().toImage();
    const QByteArray file = digest(open);

    // The recipe just saved from the open photo is the one the window offers.
    dialogs->queueSaveFile(pictures.file("saved.json"));
    window->onCommand(app::ID_FILE_SAVE_RECIPE);
    EXPECT_EQ(dialog->recipeFile(), pictures.file("saved.json"));

    // beach.jpg's result would be beach.png, the open photo's file; other.png's would be the photo itself.
    dialogs->queueOpenFiles({picture("beach.jpg"), picture("other.png"), picture("third.bmp")});
    dialog->onCommand(ApplyRecipeDialog::ID_ADD_PICTURE_FILE);
    chooseOutput(pictures.path());
    chooseRecipe(kCaption);
    const QString report = runToEnd();

    EXPECT_TRUE(report.startsWith("1 of 3 photos were written.")) << report.toStdString();
    EXPECT_TRUE(report.contains("beach.png would replace a chosen photo, the recipe or the open photo"));
    EXPECT_TRUE(QFileInfo::exists(pictures.file("third.png")));
    EXPECT_EQ(digest(open), file);
    EXPECT_EQ(edited.picturePath(), open);
    EXPECT_EQ(edited.history().stepCount(), steps);
    EXPECT_EQ(edited.history().position(), position);
    EXPECT_EQ(window->workspace()->grab().toImage(), shown);
    ASSERT_TRUE(edited.canUndo());
    window->onCommand(app::ID_EDIT_UNDO);
    EXPECT_LT(edited.history().position(), position); // the history still undoes
}
