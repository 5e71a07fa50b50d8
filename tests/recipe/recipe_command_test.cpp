// The recipe mode, run as the real program without a display.
#include "imaging/files/photo_loading.h"
#include "recipe/photo_points.h"
#include "support/temp_folder.h"
#include "workspace/document.h"

#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;
using testing_support::TempFolder;

namespace {

struct ProgramRun {
    int exitCode = -1;
    QStringList lines; // standard output
    QString errors;
};

class RecipeCommand : public ::testing::Test {
protected:
    TempFolder folder;
    QString program = QStringLiteral(PICTOVANCE_EXE);

    ProgramRun run(const QStringList& arguments) const {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QLatin1String(name));
        environment.insert(QStringLiteral("TMPDIR"), folder.file(QStringLiteral("tmp")));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder.file(QStringLiteral("runtime")));
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        if (!process.waitForFinished(120000))
            return {};
        return {process.exitCode(),
                QString::fromLocal8Bit(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts),
                QString::fromLocal8Bit(process.readAllStandardError())};
    }

    void SetUp() override {
        ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("tmp")));
        ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("runtime")));
        QFile::setPermissions(folder.file(QStringLiteral("runtime")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QString recipe(const QByteArray& json) const {
        EXPECT_TRUE(folder.write(QStringLiteral("recipe.json"), json));
        return folder.file(QStringLiteral("recipe.json"));
    }

    QString photo(const QString& name, QSize size) const {
        QImage image(size, QImage::Format_RGB888);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                image.setPixelColor(x, y, QColor(x % 256, y % 256, 120));
        EXPECT_TRUE(image.save(folder.file(name)));
        return folder.file(name);
    }

    QString out(const QString& name = {}) const { return folder.file(QStringLiteral("out/") + name); }
};

void placeText(workspace::WorkspaceDocument& document, const char* value, int height, int style,
               text::RgbColour colour, text::RgbColour second, float transparency, QPoint window) {
    text::TextObject& panel = document.textTemplate();
    text::setFaceName(panel.font, u"DejaVu Sans");
    panel.font.height = height;
    panel.style = style;
    panel.colour = colour;
    panel.secondColour = second;
    panel.transparency = transparency;
    text::setText(panel, QString::fromUtf8(value));
    document.SetTool(workspace::ToolText);
    document.PlaceText(window.x(), window.y());
}

} // namespace

// Two texts, one moved and the other deleted, then undo and redo: the exported picture is the very one
// the workspace makes of the same edits.
TEST_F(RecipeCommand, ExportsPixelForPixelWhatTheWorkspaceBuildsWithTheSameEdits) {
    const QString source = photo(QStringLiteral("holiday.png"), QSize(400, 300));
    const ProgramRun result = run({QStringLiteral("--recipe"),
                                   recipe(R"({"recipe": 1, "export": {"extent": "whole", "format": "png"},
            "steps": [{"op": "background", "colour": "#336699"},
              {"op": "text", "text": "First", "face": "DejaVu Sans", "height": 40, "style": 4,
               "colour1": "#FF0000", "colour2": "#FFFF00", "transparency": 0.2, "at": [20, 30]},
              {"op": "text", "text": "Second", "face": "DejaVu Sans", "height": 30, "style": 1,
               "colour1": "#8041BF", "colour2": "#FFFFFF", "at": [150, 200]},
              {"op": "select", "at": [30, 40]}, {"op": "move", "by": [20, -10]},
              {"op": "select", "at": [160, 210]}, {"op": "delete"},
              {"op": "undo"}, {"op": "redo"}]})"),
                                   QStringLiteral("--out"), out(), source});
    ASSERT_EQ(result.exitCode, 0) << result.errors.toStdString();
    ASSERT_EQ(result.lines, QStringList{QStringLiteral("written: ") + out(QStringLiteral("holiday.png"))});
    const QImage exported = QImage(out(QStringLiteral("holiday.png"))).convertToFormat(QImage::Format_BGR888);

    imaging::LoadedPicture loaded;
    ASSERT_TRUE(imaging::LoadPhoto(source, loaded));
    TempFolder scratch;
    // Shown, as in the editor: the run's own document paints nothing for a screen.
    struct ShownDocument : workspace::UnwatchedDocument {
        bool showsComposition() const override { return true; }
    } listener;
    workspace::WorkspaceDocument document(scratch.path(), listener, QSize(1280, 800));
    document.setLoadedPicture(std::move(loaded.photo), loaded.libraryDecoded, loaded.formatCode, source);
    document.keepLoadedPhoto();
    document.SetBackgroundColour(text::rgb(0x33, 0x66, 0x99));
    // The 400 × 300 photo is fitted to the view; the recipe's photo pixels are where the view shows them.
    auto at = [&](int x, int y) { return recipe::windowPoint(document, QPoint(x, y)); };
    placeText(document, "First", 40, 4, text::rgb(255, 0, 0), text::rgb(255, 255, 0), 0.2f, at(20, 30));
    placeText(document, "Second", 30, 1, text::rgb(128, 65, 191), text::rgb(255, 255, 255), 0.0f,
              at(150, 200));
    document.ButtonDown(at(30, 40).x(), at(30, 40).y()); // a click into the first text
    document.ButtonUp();
    document.NudgeSelected(20, -10);
    document.EndNudge();
    document.ButtonDown(at(160, 210).x(), at(160, 210).y());
    document.ButtonUp();
    document.DeleteSelected();
    document.undo();
    document.redo();
    ASSERT_EQ(document.objects().size(), 1);
    EXPECT_EQ(document.objects().get<text::TextObject>(0)->left, at(40, 30).x());
    const auto expected = document.flattenForExport(true);
    ASSERT_TRUE(expected);

    ASSERT_EQ(exported.size(), QSize(expected->width, expected->height));
    EXPECT_EQ(exported.size(), QSize(1280, 800));
    for (int y = 0; y < exported.height(); ++y)
        ASSERT_EQ(0, std::memcmp(exported.constScanLine(y), expected->row(y), expected->stride()))
            << "row " << y;
}

TEST_F(RecipeCommand, WritesEachPhotoAtTheEditorsSizeInTheOrderGiven) {
    const QStringList photos{photo(QStringLiteral("a.jpg"), QSize(640, 480)),
                             photo(QStringLiteral("b.png"), QSize(302, 500)),
                             photo(QStringLiteral("c.bmp"), QSize(1000, 200))};
    // The command line's format wins over the recipe's.
    const ProgramRun result =
        run(QStringList{QStringLiteral("--recipe"), recipe(R"({"recipe": 1, "export": {"format": "png"},
                                   "steps": [{"op": "text", "text": "Hi", "at": [10, 10]}]})"),
                        QStringLiteral("--out"), out(), QStringLiteral("--format"), QStringLiteral("BMP")} +
            photos);
    ASSERT_EQ(result.exitCode, 0) << result.errors.toStdString();
    const QStringList names{QStringLiteral("a.bmp"), QStringLiteral("b.bmp"), QStringLiteral("c.bmp")};
    ASSERT_EQ(result.lines.size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(result.lines[i], QStringLiteral("written: ") + out(names[i]));
    EXPECT_EQ(QImage(out(names[0])).size(), QSize(640, 480));
    EXPECT_EQ(QImage(out(names[1])).size(), QSize(300, 500)); // photo widths are a multiple of 4
    EXPECT_EQ(QImage(out(names[2])).size(), QSize(1000, 200));
    EXPECT_FALSE(QFileInfo::exists(out(QStringLiteral("a.png"))));
}

// A photo larger than the editor's working copy comes out at its own size, or at the working size when
// asked; the command line's --size wins over the recipe's.
TEST_F(RecipeCommand, ExportsAtTheSizeAskedTheCommandLineFirst) {
    const QString source = photo(QStringLiteral("large.png"), QSize(2000, 1000));
    const auto sizeWritten = [&](const QByteArray& exportField, const QStringList& size) {
        const ProgramRun result =
            run(QStringList{QStringLiteral("--recipe"),
                            recipe(R"({"recipe": 1, "export": {"format": "png")" + exportField + R"(},
                               "steps": [{"op": "text", "text": "Hi", "at": [10, 10]}]})"),
                            QStringLiteral("--out"), out()} +
                size + QStringList{source});
        EXPECT_EQ(result.exitCode, 0) << result.errors.toStdString();
        return QImage(out(QStringLiteral("large.png"))).size();
    };
    EXPECT_EQ(sizeWritten("", {}), QSize(2000, 1000));
    EXPECT_EQ(sizeWritten(R"(, "size": "working")", {}), QSize(1600, 800));
    EXPECT_EQ(sizeWritten(R"(, "size": "working")", {QStringLiteral("--size"), QStringLiteral("original")}),
              QSize(2000, 1000));
    EXPECT_EQ(sizeWritten(R"(, "size": "original")", {QStringLiteral("--size"), QStringLiteral("working")}),
              QSize(1600, 800));
}

TEST_F(RecipeCommand, SkipsThePhotosItCannotDoWithTheReasonAndWritesTheOthers) {
    ASSERT_TRUE(folder.write(QStringLiteral("broken.png"), QByteArray("\x89PNG\r\n\x1a\n broken")));
    const QStringList photos{photo(QStringLiteral("big.png"), QSize(200, 200)),
                             folder.file(QStringLiteral("broken.png")),
                             photo(QStringLiteral("small.png"), QSize(50, 50)),
                             photo(QStringLiteral("last.png"), QSize(120, 120))};
    const ProgramRun result =
        run(QStringList{QStringLiteral("--recipe"),
                        recipe(R"({"recipe": 1, "steps": [{"op": "background", "colour": "#000000"},
                                   {"op": "text", "text": "Far", "at": [100, 100]}]})"),
                        QStringLiteral("--out"), out()} +
            photos);
    EXPECT_EQ(result.exitCode, 1);
    ASSERT_EQ(result.lines.size(), 4) << result.lines.join(u'\n').toStdString();
    EXPECT_EQ(result.lines[0], QStringLiteral("written: ") + out(QStringLiteral("big.jpg")));
    EXPECT_THAT(result.lines[1].toStdString(),
                ::testing::StartsWith("skipped: " + photos[1].toStdString() + ": cannot open the photo: "));
    EXPECT_EQ(result.lines[2],
              QStringLiteral("skipped: ") + photos[2] +
                  QStringLiteral(": step 2 (text): \"at\" (100, 100) lies outside the 48 × 50 photo"));
    EXPECT_EQ(result.lines[3], QStringLiteral("written: ") + out(QStringLiteral("last.jpg")));
    EXPECT_FALSE(QFileInfo::exists(out(QStringLiteral("small.jpg"))));
}

TEST_F(RecipeCommand, ABadRecipeOrCommandLineWritesNothing) {
    const QString source = photo(QStringLiteral("p.png"), QSize(100, 100));
    ProgramRun result =
        run({QStringLiteral("--recipe"),
             recipe(R"({"recipe": 1, "steps": [{"op": "undo"}, {"op": "text", "height": 0}]})"),
             QStringLiteral("--out"), out(), source});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_THAT(result.errors.toStdString(),
                HasSubstr("recipe.json: step 2 (text): \"height\" must be a whole number from 4 to 1200"));
    EXPECT_TRUE(result.lines.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(out()));

    result = run({QStringLiteral("--recipe"), recipe("{\"recipe\": 1, \"steps\": [}"),
                  QStringLiteral("--out"), out(), source});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_THAT(result.errors.toStdString(), HasSubstr("recipe.json: not a JSON file: "));
    EXPECT_EQ(run({QStringLiteral("--recipe"), folder.file(QStringLiteral("missing.json")),
                   QStringLiteral("--out"), out(), source})
                  .exitCode,
              2);

    const QString good = recipe(R"({"recipe": 1, "steps": []})");
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("--recipe"), good, source},
          QStringList{QStringLiteral("--recipe"), good, QStringLiteral("--out"), out()},
          QStringList{QStringLiteral("--recipe"), good, QStringLiteral("--out"), out(),
                      QStringLiteral("--format"), QStringLiteral("webp"), source},
          QStringList{QStringLiteral("--recipe"), good, QStringLiteral("--out"), out(),
                      QStringLiteral("--fast"), source},
          QStringList{QStringLiteral("--recipe"), good, QStringLiteral("--recipe"), good,
                      QStringLiteral("--out"), out(), source}}) {
        result = run(arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments.join(u' ').toStdString();
        EXPECT_THAT(result.errors.toStdString(), HasSubstr("usage: pictovance --recipe"));
    }
    EXPECT_FALSE(QFileInfo::exists(out()));
}

TEST_F(RecipeCommand, TouchesNeitherTheEditorsFilesNorTheOriginals) {
    // A program folder of its own, holding an undo file and a photo list store of an editor's session.
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("app/Data")));
    program = folder.file(QStringLiteral("app/pictovance"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(PICTOVANCE_EXE), program));
    ASSERT_TRUE(folder.write(QStringLiteral("app/Undo_Temp_Data"), "the editor's history"));
    ASSERT_TRUE(folder.write(QStringLiteral("app/Data/ZorvathMedia"), "the editor's photo list"));

    const QString original = photo(QStringLiteral("x.png"), QSize(64, 64));
    const QByteArray originalBytes = folder.read(QStringLiteral("x.png"));
    const QString other = photo(QStringLiteral("y.jpg"), QSize(64, 64));
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("twin")));
    const QString twin = photo(QStringLiteral("twin/y.bmp"), QSize(64, 64));
    // Written into the photos' own folder as PNG: x.png would replace its original, and the second y would
    // replace the first one's result.
    const ProgramRun result =
        run({QStringLiteral("--recipe"), recipe(R"({"recipe": 1, "export": {"format": "png"}, "steps": [
                                       {"op": "text", "text": "T", "at": [1, 1]}, {"op": "undo"}]})"),
             QStringLiteral("--out"), folder.path(), original, other, twin});
    EXPECT_EQ(result.exitCode, 1);
    ASSERT_EQ(result.lines.size(), 3) << result.errors.toStdString();
    EXPECT_THAT(result.lines[0].toStdString(), HasSubstr("would replace a file named on the command line"));
    EXPECT_EQ(result.lines[1], QStringLiteral("written: ") + folder.file(QStringLiteral("y.png")));
    EXPECT_THAT(result.lines[2].toStdString(), HasSubstr("is already the output of " + other.toStdString()));
    EXPECT_EQ(folder.read(QStringLiteral("x.png")), originalBytes);

    EXPECT_EQ(folder.read(QStringLiteral("app/Undo_Temp_Data")), "the editor's history");
    EXPECT_EQ(folder.read(QStringLiteral("app/Data/ZorvathMedia")), "the editor's photo list");
    QStringList left;
    for (const QString& root : {folder.file(QStringLiteral("app")), folder.file(QStringLiteral("tmp"))}) {
        QDirIterator files(root, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                           QDirIterator::Subdirectories);
        while (files.hasNext())
            left << QDir(folder.path()).relativeFilePath(files.next());
    }
    left.sort();
    EXPECT_EQ(left.join(u' ').toStdString(),
              "app/Data app/Data/ZorvathMedia app/Undo_Temp_Data app/pictovance");
}

// The library is the one beside the program: a copy of the program with a Data folder of its own. A step
// naming an entry past it stops the run before any output; the others place from it.
TEST_F(RecipeCommand, StepsPlaceFromTheProgramsLibraryAndAnIndexPastItStopsTheRun) {
    const QString programFolder = folder.file(QStringLiteral("program"));
    ASSERT_TRUE(QDir().mkpath(programFolder + QStringLiteral("/Data")));
    const QString copy = programFolder + QStringLiteral("/pictovance");
    ASSERT_TRUE(QFile::copy(program, copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QImage clipart(20, 20, QImage::Format_ARGB32);
    clipart.fill(qRgb(255, 0, 0));
    QFile cliparts(programFolder + QStringLiteral("/Data/cliparts"));
    ASSERT_TRUE(cliparts.open(QIODevice::WriteOnly));
    cliparts.write(QByteArray("\x01\0\0\0\x14\0\0\0\x14\0\0\0", 12));
    cliparts.write(reinterpret_cast<const char*>(clipart.constBits()), clipart.sizeInBytes());
    cliparts.close();
    const QString source = photo(QStringLiteral("beach.png"), QSize(200, 100));

    program = copy;
    auto start = [&](const QByteArray& json) {
        return run({QStringLiteral("--recipe"), recipe(json), QStringLiteral("--out"), out(),
                    QStringLiteral("--format"), QStringLiteral("png"), source});
    };
    ProgramRun result = start(R"({"recipe": 1, "steps": [{"op": "clipart", "index": 0},
                                                          {"op": "clipart", "index": 1, "at": [10, 10]}]})");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_THAT(result.errors.toStdString(),
                HasSubstr("step 2 (clipart): \"index\" 1 is past the 1 cliparts of the library"));
    EXPECT_FALSE(QFileInfo::exists(out()));

    result = start(R"({"recipe": 1, "steps": [{"op": "clipart", "index": 0, "at": [150, 50]}]})");
    ASSERT_EQ(result.exitCode, 0) << result.errors.toStdString();
    const QImage exported(out(QStringLiteral("beach.png")));
    EXPECT_EQ(exported.pixel(150, 50), qRgb(255, 0, 0));
    EXPECT_NE(exported.pixel(100, 50), qRgb(255, 0, 0));
}
