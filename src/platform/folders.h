#pragma once

#include <QString>

namespace platform {

// The places the editor keeps its files. Everything lives beside the executable (the program folder),
// so the editor works from any installation folder and ignores the current directory.
class Folders {
public:
    explicit Folders(QString programFolder);
    // The folder of the running executable (needs a QCoreApplication).
    static Folders forRunningProgram();

    // Without a trailing separator.
    const QString& programFolder() const { return programFolder_; }
    // Program folder + "Data/", created when missing; computed afresh at every call, never cached.
    // The trailing separator is always there, so names can be appended directly.
    QString GetDataFolder() const;
    // True when the Data folder exists or could be created now.
    bool dataFolderAvailable() const;
    // The system temporary folder, with a trailing separator.
    static QString tempFolder();

private:
    QString programFolder_;
};

} // namespace platform
