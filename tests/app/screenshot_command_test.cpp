// The screenshot mode's help-book options, run as the real program: dialogs drawn alone, a recipe's steps
// on the opened photo, and the refusals of what it cannot do; none of it writes the editor's files or the
// user's documents folder.
#include "app/about_window.h"
#include "app/photos/import_progress_window.h"
#include "imaging/widgets/batch_convert_dialog.h"
#include "support/temp_folder.h"
#include "text/calendar/month_calendar.h"
#include "text/widgets/calendar_dialog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>
#include <vector>

using testing_support::TempFolder;

namespace {

class ScreenshotCommand : public ::testing::Test {
protected:
    TempFolder root;
    QString program;
    QByteArray errors;

    void SetUp() override {
        ASSERT_TRUE(QDir(root.path()).mkpath("app/Data"));
        ASSERT_TRUE(QDir(root.path()).mkpath("home"));
        program = root.file("app/pictovance");
        ASSERT_TRUE(QFile::copy(PICTOVANCE_EXE, program));
        QImage picture(160, 120, QImage::Format_RGB32);
        picture.fill(QColor(40, 160, 60));
        ASSERT_TRUE(picture.save(root.file("photo.png")));
    }

    int run(const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        // The user's folders, documents included, are the test's own.
        env.insert("HOME", root.file("home"));
        env.insert("XDG_DATA_HOME", root.file("home/.local/share"));
        env.insert("XDG_CONFIG_HOME", root.file("home/.config"));
        env.remove("XDG_DOCUMENTS_DIR");
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(root.path());
        process.start(program, arguments);
        const bool finished = process.waitForFinished(60000);
        errors = process.readAllStandardError();
        return finished ? process.exitCode() : -1;
    }

    // Every file below the program folder and the home folder, by path.
    QStringList files() const {
        QStringList found;
        for (const QString& folder : {root.file("app"), root.file("home")}) {
            QDir dir(folder);
            for (const QFileInfo& entry :
                 dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
                found << entry.filePath();
            for (const QFileInfo& entry : QDir(folder + "/Data").entryInfoList(QDir::Files))
                found << entry.filePath();
        }
        found.sort();
        return found;
    }
};

std::vector<std::uint8_t> calendarBuffer() {
    return std::vector<std::uint8_t>(std::size_t{text::kCalendarPictureSide} * text::kCalendarPictureSide *
                                     4);
}

} // namespace

TEST_F(ScreenshotCommand, EachDialogIsDrawnAloneAtItsOwnSize) {
    std::vector<std::uint8_t> buffer = calendarBuffer();
    const std::pair<const char*, QSize> dialogs[] = {
        {"batch", QSize(imaging::BatchConvertDialog::kWidth, imaging::BatchConvertDialog::kHeight)},
        {"calendar", text::CCalendarDialog(nullptr, buffer).size()},
        {"about", app::AboutWindow(nullptr).size()},
        {"import", app::ImportProgressWindow(nullptr).size()},
    };
    const QStringList before = files();
    for (const auto& [name, size] : dialogs) {
        const QString shot = root.file(QStringLiteral("%1.png").arg(QLatin1String(name)));
        ASSERT_EQ(run({"--screenshot", shot, "--open", "photo.png", "--dialog", name}), 0)
            << name << errors.data();
        EXPECT_EQ(QImage(shot).size(), size) << name;
    }
    // The batch window makes its output folder in a documents folder of the run's own, not the user's.
    EXPECT_EQ(files(), before);
}

TEST_F(ScreenshotCommand, RefusesAnUnknownDialogAndStepsWithoutAPhoto) {
    EXPECT_EQ(run({"--screenshot", root.file("shot.png"), "--dialog", "preferences"}), 2);
    EXPECT_TRUE(errors.contains("--dialog takes one of batch, calendar, about, import")) << errors.data();
    EXPECT_EQ(run({"--screenshot", root.file("shot.png"), "--dialog"}), 2);

    ASSERT_TRUE(
        root.write("steps.json", R"({"recipe": 1, "steps": [{"op": "background", "colour": "#FF0000"}]})"));
    EXPECT_EQ(run({"--screenshot", root.file("shot.png"), "--steps", root.file("steps.json")}), 2);
    EXPECT_TRUE(errors.contains("--open PICTURE")) << errors.data();
    EXPECT_FALSE(QFileInfo::exists(root.file("shot.png")));
}

TEST_F(ScreenshotCommand, RecipeStepsEditTheOpenedPhoto) {
    ASSERT_TRUE(
        root.write("steps.json", R"({"recipe": 1, "steps": [{"op": "background", "colour": "#FF0000"}]})"));
    const QString plain = root.file("plain.png");
    const QString edited = root.file("edited.png");
    ASSERT_EQ(run({"--screenshot", plain, "--open", "photo.png"}), 0) << errors.data();
    ASSERT_EQ(run({"--screenshot", edited, "--open", "photo.png", "--steps", "steps.json"}), 0)
        << errors.data();
    const auto reddish = [](const QImage& image) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor colour = image.pixelColor(x, y);
                count += colour.red() > 200 && colour.green() < 130 && colour.blue() < 130;
            }
        return count;
    };
    // The red sheet shows around the photo in the workspace (the window's close button is red too).
    EXPECT_GT(reddish(QImage(edited)), reddish(QImage(plain)) + 10000);
}

TEST_F(ScreenshotCommand, ABadRecipeOrAMissingEntryIsReportedWithNothingWritten) {
    const QString shot = root.file("shot.png");
    ASSERT_TRUE(root.write("bad.json", R"({"recipe": 1, "steps": [{"op": "paint"}]})"));
    EXPECT_EQ(run({"--screenshot", shot, "--open", "photo.png", "--steps", "bad.json"}), 2);
    EXPECT_TRUE(errors.contains("bad.json")) << errors.data();
    // The library of this program folder is empty: there is no frame to place.
    ASSERT_TRUE(root.write("frame.json", R"({"recipe": 1, "steps": [{"op": "frame", "index": 0}]})"));
    EXPECT_EQ(run({"--screenshot", shot, "--open", "photo.png", "--steps", "frame.json"}), 2);
    EXPECT_TRUE(errors.contains("frame")) << errors.data();
    EXPECT_EQ(run({"--screenshot", shot, "--open", "photo.png", "--steps", "missing.json"}), 2);
    EXPECT_TRUE(errors.contains("cannot read")) << errors.data();
    EXPECT_FALSE(QFileInfo::exists(shot));
}
