#include "platform/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

Folders::Folders(QString programFolder, QString userFolder)
    : programFolder_(QDir::cleanPath(std::move(programFolder))), userFolder_(std::move(userFolder)) {}

Folders Folders::forRunningProgram() {
    return Folders(QCoreApplication::applicationDirPath());
}

Folders Folders::withScratchFolder(QString scratchFolder) const {
    Folders folders(*this);
    folders.scratchFolder_ = QDir::cleanPath(std::move(scratchFolder));
    return folders;
}

QString Folders::undoFileFolder() const {
    return scratchFolder_.isEmpty() ? programFolder_ : scratchFolder_;
}

QString Folders::workingDataFolder() const {
    return scratchFolder_.isEmpty() ? GetDataFolder() : scratchFolder_ + QLatin1Char('/');
}

QString Folders::GetDataFolder() const {
    const QString path = programFolder_ + QStringLiteral("/Data/");
    QDir().mkpath(path);
    return path;
}

bool Folders::dataFolderAvailable() const {
    return QFileInfo(GetDataFolder()).isDir();
}

QString Folders::userDataFolder() const {
    if (!scratchFolder_.isEmpty())
        return scratchFolder_ + QLatin1Char('/');
    // Named as the profile is (organisation "Quorix", application "Pictovance Dazazizu").
    const QString root = userFolder_.isEmpty()
                             ? QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                             : QDir::cleanPath(userFolder_) + QStringLiteral("/share");
    const QString path = root + QStringLiteral("/Quorix/Pictovance Dazazizu/");
    QDir().mkpath(path);
    return path;
}

QString Folders::documentsFolder() const {
    if (!userFolder_.isEmpty())
        return QDir::cleanPath(userFolder_) + QStringLiteral("/Documents");
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

QString Folders::tempFolder() {
    QString path = QDir::tempPath();
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

} // namespace platform
