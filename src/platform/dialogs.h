#pragma once
// The common dialogs behind one interface, so tests can script the answers.

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace platform {

// The answer to a question that can also be put off.
enum class Answer { Yes, No, Cancel };

// A choice offered in the save dialog itself, below the file name: `chosen` is the option shown first
// and, once the dialog is accepted, the one the user left chosen.
struct SaveChoice {
    QString label;
    QStringList options;
    int chosen = 0;
};

// Filters are written in the "description|patterns|description|patterns||" form used throughout the
// editor; implementations translate them.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Paths in selection order; empty when cancelled.
    virtual QStringList openFiles(QWidget* parent, const QString& filter, bool multiple) = 0;
    // The chosen path (the overwrite question already answered), or nothing when cancelled. A
    // `defaultName` with a folder also says where the dialog starts.
    virtual std::optional<QString> saveFile(QWidget* parent, const QString& filter,
                                            const QString& defaultName, const QString& defaultExtension) = 0;
    // The same dialog offering `choice` as well.
    virtual std::optional<QString> saveFileChoosing(QWidget* parent, const QString& filter,
                                                    const QString& defaultName, const QString& defaultExtension,
                                                    SaveChoice& choice) = 0;
    virtual std::optional<QColor> chooseColour(QWidget* parent, const QColor& initial) = 0;
    // A folder, starting at `startFolder`; `label` names what is chosen ("Output Directory").
    virtual std::optional<QString> chooseFolder(QWidget* parent, const QString& title, const QString& label,
                                                const QString& startFolder) = 0;
    // A Yes/No/Cancel question with the information icon; Escape and the close button answer Cancel.
    virtual Answer askYesNoCancel(QWidget* parent, const QString& text) = 0;
    // A Yes/No question titled `title` rather than with the program's name; true for Yes.
    virtual bool askYesNoTitled(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual void inform(QWidget* parent, const QString& text) = 0;
};

// "(*.jpg)|*.jpg|(*.png)|*.png||" -> "(*.jpg) (*.jpg);;(*.png) (*.png)"; pattern lists separated by ';'
// become blank-separated.
QString toQtFilter(const QString& filter);

} // namespace platform
