#include "platform/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

namespace {

// The installed layout: <prefix>/bin/pictovance reads <prefix>/share/pictovance/.
QString shareFolderOf(const QString& programFolder) {
    return QDir::cleanPath(programFolder + QStringLiteral("/../share/pictovance"));
}

bool isFolder(const QString& path) {
    return QFileInfo(path).isDir();
}

// Asked of the system (access(2)), so a read-only mount counts too; nothing is written, since a headless
// run must leave the program folder as it found it.
bool canWriteIn(const QString& folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

} // namespace

Folders::Folders(QString programFolder, QString userFolder, DataPlace place)
    : programFolder_(QDir::cleanPath(std::move(programFolder))), userFolder_(std::move(userFolder)),
      place_(place) {}

Folders Folders::forProgramFolder(QString programFolder, QString userFolder) {
    const DataPlace place = choosePlace(programFolder);
    return Folders(std::move(programFolder), std::move(userFolder), place);
}

Folders Folders::forRunningProgram() {
    return forProgramFolder(QCoreApplication::applicationDirPath());
}

Folders Folders::withScratchFolder(QString scratchFolder) const {
    Folders folders(*this);
    folders.scratchFolder_ = QDir::cleanPath(std::move(scratchFolder));
    return folders;
}

DataPlace Folders::choosePlace(const QString& programFolder) {
    const QString program = QDir::cleanPath(programFolder);
    const QString data = program + QStringLiteral("/Data");
    const bool oursBeside = isFolder(data) || isFolder(program + QStringLiteral("/Help")) ||
                            isFolder(program + QStringLiteral("/Starter"));
    if (!oursBeside && isFolder(shareFolderOf(program)))
        return DataPlace::UserDataFolder;
    return canWriteIn(isFolder(data) ? data : program) ? DataPlace::ProgramFolder : DataPlace::UserDataFolder;
}

QString Folders::shippedFolder(const QString& name) const {
    const QString beside = programFolder_ + QLatin1Char('/') + name;
    if (isFolder(beside))
        return beside;
    const QString installed = shareFolderOf(programFolder_) + QLatin1Char('/') + name;
    return isFolder(installed) ? installed : beside;
}

QString Folders::dataRoot() const {
    if (place_ == DataPlace::ProgramFolder)
        return programFolder_;
    QString root = userRoot();
    root.chop(1);
    return root;
}

QString Folders::undoFileFolder() const {
    if (!scratchFolder_.isEmpty())
        return scratchFolder_;
    const QString folder = dataRoot();
    QDir().mkpath(folder); // the user's folder may not exist yet; the program folder always does
    return folder;
}

QString Folders::workingDataFolder() const {
    return scratchFolder_.isEmpty() ? GetDataFolder() : scratchFolder_ + QLatin1Char('/');
}

QString Folders::GetDataFolder() const {
    const QString path = dataFolderPath();
    QDir().mkpath(path);
    return path;
}

QString Folders::dataFolderPath() const {
    return dataRoot() + QStringLiteral("/Data/");
}

bool Folders::dataFolderAvailable() const {
    return QFileInfo(GetDataFolder()).isDir();
}

QString Folders::userRoot() const {
    // Named as the profile is (organisation "Quorix", application "Pictovance Dazazizu"), whatever names
    // the running application was given.
    const QString root = userFolder_.isEmpty()
                             ? QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                             : QDir::cleanPath(userFolder_) + QStringLiteral("/share");
    return root + QStringLiteral("/Quorix/Pictovance Dazazizu/");
}

QString Folders::userDataFolder() const {
    if (!scratchFolder_.isEmpty())
        return scratchFolder_ + QLatin1Char('/');
    const QString path = userRoot();
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
