#pragma once
// The Apply Recipe window: a recipe file, the photos (from the photo list or a file dialog), an output
// folder, a format and a size. The run is the command line's `--recipe` run (recipe/recipe_batch.h) on a
// thread of its own with a worker per core, so the editor stays usable; the window shows the progress,
// can stop the run, and at the end says how many photos were written and which were skipped, and why.
// It is modeless and never touches the open photo: every photo of the run gets a document of its own in
// a private scratch folder.

#include "controls/worker_dialog.h"
#include "imaging/batch_convert.h"
#include "platform/folders.h"
#include "recipe/recipe_batch.h"

#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

namespace controls {
class CDezListBox;
class CSkinButton;
} // namespace controls

namespace platform {
class Dialogs;
class ScratchFolder;
} // namespace platform

namespace recipe {

// What the window asks of the editor around it.
struct EditorPhotos {
    // The paths of the photo list's entries, in list order: the marked ones only, or all of them.
    std::function<QStringList(bool markedOnly)> listed;
    // The picture file of the photo open in the workspace (empty without one): no result may replace it.
    std::function<QString()> openPhoto;
};

class ApplyRecipeDialog : public controls::WorkerDialog {
    Q_OBJECT
public:
    enum Command : int {
        ID_CHOOSE_RECIPE = 10760,
        ID_SELECTED_PHOTOS = 10761,
        ID_ALL_PHOTOS = 10762,
        ID_ADD_PICTURE_FILE = 10763,
        ID_CLEAR_PHOTOS = 10764,
        ID_APPLY = 10765,
        ID_STOP = 10766,
        ID_BROWSE = 10767,
        ID_CLOSE = 10010,
    };

    // The client area, in pixels.
    static constexpr int kWidth = 560;
    static constexpr int kHeight = 390;

    // `folders` name the library the recipe's steps read and the documents folder the default output
    // folder is in.
    ApplyRecipeDialog(QWidget* parent, platform::Dialogs& dialogs, const platform::Folders& folders,
                      EditorPhotos editor);
    ~ApplyRecipeDialog() override;

    void onCommand(int id);

    const QString& recipeFile() const { return recipeFile_; }
    // Takes the recipe at `path` as Choose... takes it; why not, for people, or empty.
    QString useRecipe(const QString& path);
    const QStringList& photos() const { return photos_; }
    // Always ends with a separator.
    const QString& outputFolder() const { return outputFolder_; }
    // Photos of the current run done so far, written or skipped.
    int finished() const { return finished_.load(); }
    controls::CDezListBox* formatList() const { return formatList_.get(); }
    controls::CDezListBox* sizeList() const { return sizeList_.get(); }
    controls::CSkinButton* button(int id) const;

    // What the end of a run says: the count, whether it was stopped, then each skipped photo with its reason.
    static QString endReport(const BatchSummary& summary, int photos,
                             const std::vector<imaging::BatchFileReport>& skipped);

signals:
    // A run ended (finished or stopped) and the window is idle again.
    void runEnded();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Run;

    void chooseRecipe();
    void setPhotos(const QStringList& paths);
    void addPictureFiles();
    void browse();
    void apply();
    std::function<void()> work(std::shared_ptr<Run> run);
    void runFinished(BatchSummary summary, std::vector<imaging::BatchFileReport> skipped);
    void showButtons();

    platform::Folders folders_;
    EditorPhotos editor_;
    QString recipeFile_;
    QStringList photos_;
    QString outputFolder_;

    std::vector<std::unique_ptr<controls::CSkinButton>> buttons_;
    std::unique_ptr<controls::CDezListBox> photoList_;
    std::unique_ptr<controls::CDezListBox> formatList_;
    std::unique_ptr<controls::CDezListBox> sizeList_;

    // Shared with the worker: the worker writes them, the window reads them to paint.
    std::atomic<int> finished_{0};
    std::atomic<int> runPhotos_{0};
};

} // namespace recipe
