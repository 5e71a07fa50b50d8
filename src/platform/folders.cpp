#include "platform/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {

Folders::Folders(QString programFolder) : programFolder_(QDir::cleanPath(std::move(programFolder))) {}

Folders Folders::forRunningProgram() {
    return Folders(QCoreApplication::applicationDirPath());
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
