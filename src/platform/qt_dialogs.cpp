#include "platform/qt_dialogs.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>

namespace platform {

QtDialogs::QtDialogs(QString messageTitle) : messageTitle_(std::move(messageTitle)) {}

QStringList QtDialogs::openFiles(QWidget* parent, const QString& filter, bool multiple) {
    const QString qtFilter = toQtFilter(filter);
    if (multiple)
        return QFileDialog::getOpenFileNames(parent, QString(), QString(), qtFilter);
    const QString path = QFileDialog::getOpenFileName(parent, QString(), QString(), qtFilter);
    return path.isEmpty() ? QStringList() : QStringList{path};
}

namespace {

std::optional<QString> saveDialog(QWidget* parent, const QString& filter, const QString& defaultName,
                                  const QString& defaultExtension, SaveChoice* choice) {
    QFileDialog dialog(parent, QString(), QString(), toQtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    QString suffix = defaultExtension;
    suffix.remove(QLatin1String("*.")).remove(QLatin1Char('.'));
    dialog.setDefaultSuffix(suffix);
    const QFileInfo name(defaultName);
    if (name.fileName() != defaultName)
        dialog.setDirectory(name.absolutePath());
    dialog.selectFile(name.fileName());
    QComboBox* options = nullptr;
    if (choice) {
        // Only Qt's own dialog can take another row; a desktop's native one could not show the choice.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
            options = new QComboBox(&dialog);
            options->addItems(choice->options);
            options->setCurrentIndex(choice->chosen);
            auto* label = new QLabel(choice->label, &dialog);
            label->setBuddy(options);
            const int row = grid->rowCount();
            grid->addWidget(label, row, 0);
            grid->addWidget(options, row, 1, 1, grid->columnCount() - 1);
        }
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    if (choice && options)
        choice->chosen = options->currentIndex();
    return dialog.selectedFiles().constFirst();
}

} // namespace

std::optional<QString> QtDialogs::saveFile(QWidget* parent, const QString& filter, const QString& defaultName,
                                           const QString& defaultExtension) {
    return saveDialog(parent, filter, defaultName, defaultExtension, nullptr);
}

std::optional<QString> QtDialogs::saveFileChoosing(QWidget* parent, const QString& filter,
                                                   const QString& defaultName, const QString& defaultExtension,
                                                   SaveChoice& choice) {
    return saveDialog(parent, filter, defaultName, defaultExtension, &choice);
}

std::optional<QColor> QtDialogs::chooseColour(QWidget* parent, const QColor& initial) {
    const QColor colour = QColorDialog::getColor(initial, parent);
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

std::optional<QString> QtDialogs::chooseFolder(QWidget* parent, const QString& title, const QString& label,
                                               const QString& startFolder) {
    QFileDialog dialog(parent, title, startFolder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setLabelText(QFileDialog::FileName, label);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

Answer QtDialogs::askYesNoCancel(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Information, messageTitle_, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

bool QtDialogs::askYesNoTitled(QWidget* parent, const QString& title, const QString& text) {
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void QtDialogs::inform(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, messageTitle_, text);
}

} // namespace platform
