#pragma once

#include "platform/dialogs.h"

namespace platform {

// The real dialogs: QFileDialog, QColorDialog and QMessageBox titled with the program's name.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QString messageTitle);

    QStringList openFiles(QWidget* parent, const QString& filter, bool multiple) override;
    std::optional<QString> saveFile(QWidget* parent, const QString& filter, const QString& defaultName,
                                    const QString& defaultExtension) override;
    std::optional<QString> saveFileChoosing(QWidget* parent, const QString& filter, const QString& defaultName,
                                            const QString& defaultExtension, SaveChoice& choice) override;
    std::optional<QColor> chooseColour(QWidget* parent, const QColor& initial) override;
    std::optional<QString> chooseFolder(QWidget* parent, const QString& title, const QString& label,
                                        const QString& startFolder) override;
    Answer askYesNoCancel(QWidget* parent, const QString& text) override;
    bool askYesNoTitled(QWidget* parent, const QString& title, const QString& text) override;
    void inform(QWidget* parent, const QString& text) override;

private:
    QString messageTitle_;
};

} // namespace platform
