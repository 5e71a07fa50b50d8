#pragma once

#include <QString>

namespace platform {

// The places the editor keeps its files. Everything lives beside the executable (the program folder),
// so the editor works from any installation folder and ignores the current directory. A headless run
// reads from the same places but writes only into a scratch folder of its own (scratch_folder.h).
class Folders {
public:
    // `userFolder` empty: the user's standard folders. Tests name a folder of their own, in which the
    // user's data and documents folders are then kept.
    explicit Folders(QString programFolder, QString userFolder = {});
    // The folder of the running executable (needs a QCoreApplication).
    static Folders forRunningProgram();
    // The same folders for reading, with everything this run writes redirected into `scratchFolder`.
    Folders withScratchFolder(QString scratchFolder) const;

    // Without a trailing separator.
    const QString& programFolder() const { return programFolder_; }
    // Program folder + "Data/", created when missing; computed afresh at every call, never cached.
    // The trailing separator is always there, so names can be appended directly.
    QString GetDataFolder() const;
    // True when the Data folder exists or could be created now.
    bool dataFolderAvailable() const;
    // The user's own data folder, for what belongs to the user rather than to the installation (the
    // wallpaper picture): ~/.local/share/Quorix/Pictovance Dazazizu/ on Linux. Created when missing; ends
    // with a separator. A headless run gets its scratch folder instead, so it never writes the user's.
    QString userDataFolder() const;
    // The user's documents folder (the home folder when the system names none), without a trailing
    // separator.
    QString documentsFolder() const;
    // The system temporary folder, with a trailing separator.
    static QString tempFolder();

    // A headless run's own folder, without a trailing separator; empty for the editor itself.
    const QString& scratchFolder() const { return scratchFolder_; }
    // Where this run writes the undo file: the program folder, or the scratch folder. No trailing separator.
    QString undoFileFolder() const;
    // Where this run writes the language file and the save hand-over: the Data folder (created when
    // missing), or the scratch folder. With a trailing separator.
    QString workingDataFolder() const;

private:
    QString programFolder_;
    QString userFolder_;
    QString scratchFolder_;
};

} // namespace platform
