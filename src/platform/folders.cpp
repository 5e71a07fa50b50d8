#include "platform/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {

Folders::Folders(QString programFolder) : programFolder_(QDir::cleanPath(std::move(programFolder))) {}

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

QString Folders::tempFolder() {
    QString path = QDir::tempPath();
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

} // namespace platform
