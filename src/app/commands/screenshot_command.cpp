#include "app/commands/screenshot_command.h"

#include "app/command_ids.h"
#include "app/commands/screenshot_dialogs.h"
#include "app/commands/usage.h"
#include "app/editor_app.h"
#include "app/window/editor_dlg.h"
#include "controls/buttons/skin_button.h"
#include "controls/colour/zor_colour_picker.h"
#include "imaging/files/photo_loading.h"
#include "platform/scratch_folder.h"
#include "platform/scripted_dialogs.h"
#include "recipe/recipe.h"
#include "recipe/recipe_runner.h"
#include "recipe/recipe_writer.h"
#include "text/widgets/text_box.h"
#include "text/widgets/text_panel.h"
#include "workspace/widgets/workspace_wnd.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <cstdio>

namespace app {

namespace {

QString valueAfter(const QStringList& arguments, const QString& option) {
    const qsizetype at = arguments.indexOf(option);
    return at >= 0 && at + 1 < arguments.size() ? arguments[at + 1] : QString();
}

int fail(const QString& message) {
    std::fprintf(stderr, "pictovance: %s\n", qPrintable(message));
    return 2;
}

// The command that shows a tool panel, by the name used on the command line; 0 for an unknown name.
int tabCommand(const QString& name) {
    static const std::pair<const char*, int> kTabs[] = {
        {"frame", ID_TAB_FRAME},     {"mask", ID_TAB_MASK},
        {"clipart", ID_TAB_CLIPART}, {"decoration", ID_TAB_DECORATION},
        {"crop", ID_TAB_CROP},       {"tuning", ID_TAB_TUNING},
        {"text", ID_TAB_TEXT},       {"brush", ID_BRUSH_TOGGLE},
    };
    for (const auto& [tab, command] : kTabs)
        if (name == QLatin1String(tab))
            return command;
    return 0;
}

// Far beyond any hand-written recipe, as for --recipe.
constexpr qint64 kMaxRecipeBytes = 1 << 20;

// Lists the picture and opens it from the list, as a picture named on the editor's command line is: the
// photo list shows it marked. The list is never saved (the store is read-only in this run).
bool openThroughPhotoList(CEditorDlg& window, const QString& picture) {
    window.openPictures({QDir::cleanPath(QDir::current().absoluteFilePath(picture))});
    const QDeadlineTimer deadline(30000);
    while (window.openingPictures() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return !window.workspace()->document().picturePath().isEmpty();
}

// The steps of the recipe file carried out on the open photo, as --recipe carries them out.
QString runRecipeSteps(const QString& path, workspace::WorkspaceDocument& document) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
    if (file.size() > kMaxRecipeBytes)
        return QStringLiteral("%1: a recipe is at most %2 bytes").arg(path).arg(kMaxRecipeBytes);
    const recipe::ReadRecipe read = recipe::readRecipe(file.read(kMaxRecipeBytes + 1));
    if (!read.recipe)
        return QStringLiteral("%1: %2").arg(path, read.problem);
    const recipe::RunSettings settings = recipe::findRunSettings();
    if (const QString problem = recipe::libraryProblem(*read.recipe, settings.library); !problem.isEmpty())
        return QStringLiteral("%1: %2").arg(path, problem);
    if (const imaging::Outcome outcome = recipe::runSteps(*read.recipe, settings, document); !outcome)
        return QStringLiteral("%1: %2").arg(path, QString::fromStdString(outcome.reason));
    return {};
}

// The window as shown, with any popup open over it (a colour palette, say) drawn in its place.
QImage grabWithPopups(QWidget& window) {
    QImage shot = window.grab().toImage();
    QPainter painter(&shot);
    for (QWidget* popup : QApplication::topLevelWidgets()) {
        if (popup != &window && popup->isVisible() && popup->windowType() == Qt::Popup)
            painter.drawPixmap(popup->geometry().topLeft() - window.geometry().topLeft(), popup->grab());
    }
    return shot;
}

} // namespace

bool isScreenshotCommand(const QStringList& arguments) {
    return arguments.contains(QStringLiteral("--screenshot"));
}

int runScreenshotCommand(int argc, char** argv, const QStringList& arguments) {
    static const QStringList kOptions{QStringLiteral("--screenshot"), QStringLiteral("--open"),
                                      QStringLiteral("--size"),       QStringLiteral("--tab"),
                                      QStringLiteral("--add-text"),   QStringLiteral("--colour-popup"),
                                      QStringLiteral("--dialog"),     QStringLiteral("--steps"),
                                      QStringLiteral("--save-recipe")};
    for (const QString& argument : arguments) {
        if (argument.startsWith(QLatin1String("--")) && !kOptions.contains(argument)) {
            printUsageLine(ProgramMode::Screenshot);
            return 2;
        }
    }
    const QString output = valueAfter(arguments, QStringLiteral("--screenshot"));
    if (output.isEmpty())
        return fail(QStringLiteral("--screenshot needs the path of the PNG to write"));
    QSize size;
    if (const QString sizeText = valueAfter(arguments, QStringLiteral("--size")); !sizeText.isEmpty()) {
        const auto match = QRegularExpression(QStringLiteral("^(\\d+)x(\\d+)$")).match(sizeText);
        if (!match.hasMatch())
            return fail(QStringLiteral("--size takes WIDTHxHEIGHT, for example 1280x800"));
        size = QSize(match.captured(1).toInt(), match.captured(2).toInt());
    }
    const QString tab = valueAfter(arguments, QStringLiteral("--tab"));
    const int tabId = tab.isEmpty() ? 0 : tabCommand(tab);
    if (!tab.isEmpty() && tabId == 0)
        return fail(
            QStringLiteral("--tab takes one of frame, mask, clipart, decoration, crop, tuning, text, brush"));
    const QString dialog = valueAfter(arguments, QStringLiteral("--dialog"));
    if (arguments.contains(QStringLiteral("--dialog")) && !isScreenshotDialog(dialog))
        return fail(QStringLiteral("--dialog takes one of %1").arg(QLatin1String(kScreenshotDialogNames)));
    const QString picture = valueAfter(arguments, QStringLiteral("--open"));
    const QString steps = valueAfter(arguments, QStringLiteral("--steps"));
    if (!steps.isEmpty() && picture.isEmpty())
        return fail(QStringLiteral("--steps needs a photo to work on: --open PICTURE"));
    const QString savedRecipe = valueAfter(arguments, QStringLiteral("--save-recipe"));
    if (arguments.contains(QStringLiteral("--save-recipe")) && (savedRecipe.isEmpty() || picture.isEmpty()))
        return fail(QStringLiteral("--save-recipe needs the path of the recipe to write, and a photo: --open "
                                   "PICTURE"));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // The editor reads its photo list and library as usual, but writes its undo and language files here.
    const platform::ScratchFolder scratch;
    if (!scratch.isValid())
        return fail(
            QStringLiteral("cannot create a temporary folder in %1").arg(platform::Folders::tempFolder()));
    auto scripted = std::make_unique<platform::ScriptedDialogs>();
    platform::ScriptedDialogs& dialogs = *scripted;
    CEditorApp editor(scratch.folders(platform::Folders::forRunningProgram()), std::move(scripted));
    CEditorDlg& window = editor.startMainWindow();
    window.setStoreReadOnly(true);
    if (size.isValid())
        window.resize(size);

    if (!picture.isEmpty()) {
        if (!openThroughPhotoList(window, picture)) {
            imaging::LoadedPicture loaded;
            const imaging::Outcome outcome = imaging::LoadPhoto(picture, loaded);
            return fail(QStringLiteral("cannot open %1: %2")
                            .arg(picture, outcome ? QStringLiteral("it cannot be listed")
                                                  : QString::fromStdString(outcome.reason)));
        }
        window.relayout();
    }
    if (!steps.isEmpty()) {
        if (const QString problem = runRecipeSteps(steps, window.workspace()->document()); !problem.isEmpty())
            return fail(problem);
        window.workspace()->document().Recompose(false);
    }
    if (tabId != 0)
        window.onCommand(tabId);
    // A text typed into the text panel and added, as the user does it: it shows selected on the canvas.
    if (const QString words = valueAfter(arguments, QStringLiteral("--add-text")); !words.isEmpty()) {
        window.onCommand(ID_TAB_TEXT);
        window.textPanel()->textBox()->setText(words);
        window.textPanel()->addButton()->click();
    }
    if (const QString picker = valueAfter(arguments, QStringLiteral("--colour-popup")); !picker.isEmpty()) {
        if (picker != QLatin1String("1") && picker != QLatin1String("2"))
            return fail(
                QStringLiteral("--colour-popup takes 1 or 2, the text panel's first or second colour"));
        window.onCommand(ID_TAB_TEXT);
        window.textPanel()->colourPicker(picker.toInt())->click();
    }
    QApplication::processEvents();
    // What File > Save Edits as Recipe writes, from the window's own document.
    if (!savedRecipe.isEmpty())
        if (const QString problem = recipe::saveRecipe(window.workspace()->document(), savedRecipe);
            !problem.isEmpty())
            return fail(QStringLiteral("the edits cannot be saved as a recipe: %1").arg(problem));
    // The batch window makes its output folder in the documents folder: this run's stands in for the user's.
    const QImage shot = dialog.isEmpty() ? grabWithPopups(window)
                                         : grabDialog(dialog, editor, window, dialogs, picture,
                                                      scratch.path() + QStringLiteral("Documents"));
    for (const auto& shown : dialogs.shown())
        if (shown.kind == QLatin1String("information") || shown.kind == QLatin1String("question"))
            std::fprintf(stderr, "pictovance: %s\n", qPrintable(shown.text));
    if (!shot.save(output, "PNG"))
        return fail(QStringLiteral("cannot write %1").arg(output));
    std::printf("%s: %dx%d\n", qPrintable(output), shot.width(), shot.height());
    return 0;
}

} // namespace app
