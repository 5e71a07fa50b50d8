#include "platform/scripted_dialogs.h"

#include <algorithm>

namespace platform {

namespace {
template <typename T> T takeOr(std::deque<T>& queue, const T& fallback) {
    if (queue.empty())
        return fallback;
    const T value = queue.front();
    queue.pop_front();
    return value;
}
} // namespace

int ScriptedDialogs::count(const QString& kind) const {
    return static_cast<int>(
        std::count_if(shown_.begin(), shown_.end(), [&](const Shown& s) { return s.kind == kind; }));
}

QStringList ScriptedDialogs::openFiles(QWidget*, const QString& filter, bool multiple) {
    shown_.push_back({QStringLiteral("open"), filter, multiple ? QStringLiteral("multiple") : QString()});
    return takeOr(openAnswers_, QStringList());
}

std::optional<QString> ScriptedDialogs::saveFile(QWidget*, const QString& filter, const QString& defaultName,
                                                 const QString&) {
    shown_.push_back({QStringLiteral("save"), filter, defaultName});
    return takeOr(saveAnswers_, std::optional<QString>());
}

std::optional<QString> ScriptedDialogs::saveFileChoosing(QWidget* parent, const QString& filter,
                                                         const QString& defaultName,
                                                         const QString& defaultExtension, SaveChoice& choice) {
    offeredChoices_.push_back(choice);
    const std::optional<QString> path = saveFile(parent, filter, defaultName, defaultExtension);
    const int chosen = takeOr(choiceAnswers_, choice.chosen);
    if (path)
        choice.chosen = chosen;
    return path;
}

std::optional<QColor> ScriptedDialogs::chooseColour(QWidget*, const QColor& initial) {
    shown_.push_back({QStringLiteral("colour"), QString(), initial.name()});
    return takeOr(colourAnswers_, std::optional<QColor>());
}

std::optional<QString> ScriptedDialogs::chooseFolder(QWidget*, const QString& title, const QString&,
                                                     const QString& startFolder) {
    shown_.push_back({QStringLiteral("folder"), startFolder, title});
    return takeOr(folderAnswers_, std::optional<QString>());
}

Answer ScriptedDialogs::askYesNoCancel(QWidget*, const QString& text) {
    shown_.push_back({QStringLiteral("question"), text, QString()});
    return takeOr(questionAnswers_, Answer::Cancel);
}

bool ScriptedDialogs::askYesNoTitled(QWidget*, const QString& title, const QString& text) {
    shown_.push_back({QStringLiteral("question"), text, title});
    return takeOr(questionAnswers_, Answer::No) == Answer::Yes;
}

void ScriptedDialogs::inform(QWidget*, const QString& text) {
    shown_.push_back({QStringLiteral("information"), text, QString()});
}

} // namespace platform
