#pragma once

#include <QString>

namespace platform {

// Where the editor writes its Data folder and its undo file.
enum class DataPlace {
    ProgramFolder,  // beside the executable: a portable copy, or the build tree
    UserDataFolder, // the user's data folder: an installed program, or a program folder that is read-only
};

// The places the editor keeps its files. A portable copy keeps everything beside the executable (the
// program folder), so it works from any folder and ignores the current directory. An installed program
// reads what it ships from its share folder and writes into the user's data folder. A headless run reads
// from the same places but writes only into a scratch folder of its own (scratch_folder.h).
class Folders {
public:
    // `userFolder` empty: the user's standard folders. Tests name a folder of their own, in which the
    // user's data and documents folders are then kept.
    explicit Folders(QString programFolder, QString userFolder = {}, DataPlace place = DataPlace::ProgramFolder);
    // The folders of the program in `programFolder`, with its data where choosePlace() puts it.
    static Folders forProgramFolder(QString programFolder, QString userFolder = {});
    // The folders of the running executable (needs a QCoreApplication).
    static Folders forRunningProgram();
    // The same folders for reading, with everything this run writes redirected into `scratchFolder`.
    Folders withScratchFolder(QString scratchFolder) const;

    // An installed program (its share folder exists and nothing of ours lies beside the executable) and
    // a program folder that cannot be written keep their data in the user's data folder; anything else is
    // a portable copy that keeps it beside the executable.
    static DataPlace choosePlace(const QString& programFolder);

    // Without a trailing separator.
    const QString& programFolder() const { return programFolder_; }
    DataPlace dataPlace() const { return place_; }
    // A folder the program ships, read-only ("Help", "Starter"): beside the executable when it is there,
    // else in the installation's share folder (<prefix>/share/pictovance/ for <prefix>/bin/). When neither
    // exists, the path beside the executable, so that a message can name where it was looked for. Without
    // a trailing separator.
    QString shippedFolder(const QString& name) const;
    // The Data folder, created when missing; computed afresh at every call, never cached. The trailing
    // separator is always there, so names can be appended directly.
    QString GetDataFolder() const;
    // The same path, not created: for a run that only reads the library and must make nothing.
    QString dataFolderPath() const;
    // True when the Data folder exists or could be created now.
    bool dataFolderAvailable() const;
    // The user's own data folder, for what belongs to the user rather than to the installation (the
    // wallpaper picture, and the Data folder of an installed program): ~/.local/share/Quorix/Pictovance
    // Dazazizu/ on Linux, the application data folder of organisation "Quorix" and application "Pictovance
    // Dazazizu" as the profile is named. Created when missing; ends with a separator. A headless run gets
    // its scratch folder instead, so it never writes the user's.
    QString userDataFolder() const;
    // The user's documents folder (the home folder when the system names none), without a trailing
    // separator.
    QString documentsFolder() const;
    // The system temporary folder, with a trailing separator.
    static QString tempFolder();

    // A headless run's own folder, without a trailing separator; empty for the editor itself.
    const QString& scratchFolder() const { return scratchFolder_; }
    // Where this run writes the undo file: the folder that holds the Data folder, or the scratch folder.
    // No trailing separator.
    QString undoFileFolder() const;
    // Where this run writes the language file and the save hand-over: the Data folder (created when
    // missing), or the scratch folder. With a trailing separator.
    QString workingDataFolder() const;

private:
    // The folder that holds Data/ and the undo file, without a trailing separator.
    QString dataRoot() const;
    // The user's data folder whatever the run, with a trailing separator; not created.
    QString userRoot() const;

    QString programFolder_;
    QString userFolder_;
    DataPlace place_;
    QString scratchFolder_;
};

} // namespace platform
