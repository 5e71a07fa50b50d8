#pragma once
// The save paths the crash-safety program kills. Each keeps its files in a folder of its own under the
// run's root and is used from two processes: the child carries saves out over and over until it is
// killed, the parent puts the old files in place before each child and checks what a kill left.

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace crash {

// What one kill left behind.
struct Verdict {
    bool torn = false;     // neither the old nor the new file whole, or the next start could not read it
    QString outcome;       // what was found, counted per path in the report ("old", "new", ...)
    QString detail;        // for a torn file: what is wrong with it
    QStringList leftovers; // files the kill left beside the saved ones (temporary copies)
};

class SavePath {
public:
    explicit SavePath(QString folder) : folder_(std::move(folder)) {}
    virtual ~SavePath() = default;
    SavePath(const SavePath&) = delete;
    SavePath& operator=(const SavePath&) = delete;

    virtual const char* name() const = 0;
    const QString& folder() const { return folder_; }

    // Parent, once: the fixtures the children read and the reference files the checks compare with.
    virtual void setUp() {}
    // Parent, before each child: the folder as it is before the saves, with the old files in place.
    virtual void prepare() = 0;
    // Child, before it reports ready: what the saves need (loaded pictures, an undo history).
    virtual void ready() {}
    // Child: save number `i`; the child calls 0, 1, 2 ... until it is killed.
    virtual void cycle(int i) = 0;
    // Parent, after the kill: the files, and the next start reading them.
    virtual Verdict check() = 0;

private:
    QString folder_;
};

// Every path, each with its folder under `root`.
std::vector<std::unique_ptr<SavePath>> makeSavePaths(const QString& root);

// The paths kept in files of their own.
std::unique_ptr<SavePath> makePhotoListStorePath(const QString& folder);
std::unique_ptr<SavePath> makeExportPath(const QString& folder);
std::unique_ptr<SavePath> makeBatchOutputPath(const QString& folder);
std::unique_ptr<SavePath> makeLanguageFilePath(const QString& folder);
std::unique_ptr<SavePath> makeUndoFilePath(const QString& folder);
std::unique_ptr<SavePath> makePackageImportPath(const QString& folder);

} // namespace crash
