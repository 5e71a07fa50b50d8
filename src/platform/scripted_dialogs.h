#pragma once

#include "platform/dialogs.h"

#include <deque>
#include <vector>

namespace platform {

// Dialogs for tests: answers are queued beforehand and every question is recorded. A dialog with no
// queued answer is cancelled (No for a Yes/No question).
class ScriptedDialogs final : public Dialogs {
public:
    struct Shown {
        QString kind;   // "open", "save", "colour", "folder", "question", "information"
        QString text;   // the filter, the question or the message
        QString detail; // default name, initial colour, folder title
    };

    void queueOpenFiles(QStringList paths) { openAnswers_.push_back(std::move(paths)); }
    void queueSaveFile(std::optional<QString> path) { saveAnswers_.push_back(std::move(path)); }
    // The option a save dialog's choice is left at (without one, the option it showed first).
    void queueSaveChoice(int option) { choiceAnswers_.push_back(option); }
    void queueColour(std::optional<QColor> colour) { colourAnswers_.push_back(colour); }
    void queueFolder(std::optional<QString> folder) { folderAnswers_.push_back(std::move(folder)); }
    void queueAnswer(bool yes) { questionAnswers_.push_back(yes ? Answer::Yes : Answer::No); }
    void queueAnswer(Answer answer) { questionAnswers_.push_back(answer); }

    const std::vector<Shown>& shown() const { return shown_; }
    // Each choice a save dialog offered, as it was shown.
    const std::vector<SaveChoice>& offeredChoices() const { return offeredChoices_; }
    int count(const QString& kind) const;

    QStringList openFiles(QWidget* parent, const QString& filter, bool multiple) override;
    std::optional<QString> saveFile(QWidget* parent, const QString& filter, const QString& defaultName,
                                    const QString& defaultExtension) override;
    // Recorded as a "save" too; the choice is left as queued when the dialog is accepted.
    std::optional<QString> saveFileChoosing(QWidget* parent, const QString& filter, const QString& defaultName,
                                            const QString& defaultExtension, SaveChoice& choice) override;
    std::optional<QColor> chooseColour(QWidget* parent, const QColor& initial) override;
    // Recorded with the start folder as its text and the title as its detail.
    std::optional<QString> chooseFolder(QWidget* parent, const QString& title, const QString& label,
                                        const QString& startFolder) override;
    Answer askYesNoCancel(QWidget* parent, const QString& text) override;
    // Recorded as a "question" with the title as its detail; a queued Cancel answers No.
    bool askYesNoTitled(QWidget* parent, const QString& title, const QString& text) override;
    void inform(QWidget* parent, const QString& text) override;

private:
    std::deque<QStringList> openAnswers_;
    std::deque<std::optional<QString>> saveAnswers_;
    std::deque<int> choiceAnswers_;
    std::vector<SaveChoice> offeredChoices_;
    std::deque<std::optional<QColor>> colourAnswers_;
    std::deque<std::optional<QString>> folderAnswers_;
    std::deque<Answer> questionAnswers_;
    std::vector<Shown> shown_;
};

} // namespace platform
