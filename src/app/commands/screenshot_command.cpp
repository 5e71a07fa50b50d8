#include "app/commands/screenshot_command.h"

#include "app/command_ids.h"
#include "app/commands/usage.h"
#include "app/editor_app.h"
#include "app/window/editor_dlg.h"
#include "controls/buttons/skin_button.h"
#include "controls/colour/zor_colour_picker.h"
#include "imaging/files/photo_loading.h"
#include "platform/scratch_folder.h"
#include "platform/scripted_dialogs.h"
#include "text/widgets/text_box.h"
#include "text/widgets/text_panel.h"
#include "workspace/widgets/workspace_wnd.h"

#include <QApplication>
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
                                      QStringLiteral("--add-text"),   QStringLiteral("--colour-popup")};
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

    if (const QString picture = valueAfter(arguments, QStringLiteral("--open")); !picture.isEmpty()) {
        imaging::LoadedPicture loaded;
        if (const imaging::Outcome outcome = imaging::LoadPhoto(picture, loaded); !outcome)
            return fail(
                QStringLiteral("cannot open %1: %2").arg(picture, QString::fromStdString(outcome.reason)));
        workspace::WorkspaceDocument& document = window.workspace()->document();
        document.setLoadedPicture(std::move(loaded.photo), loaded.libraryDecoded, loaded.formatCode, picture);
        document.keepLoadedPhoto();
        document.Recompose(false);
        window.relayout();
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
    for (const auto& shown : dialogs.shown())
        std::fprintf(stderr, "pictovance: %s\n", qPrintable(shown.text));
    const QImage shot = grabWithPopups(window);
    if (!shot.save(output, "PNG"))
        return fail(QStringLiteral("cannot write %1").arg(output));
    std::printf("%s: %dx%d\n", qPrintable(output), shot.width(), shot.height());
    return 0;
}

} // namespace app
