#pragma once
// The Batch Convert window: picture files in, one output format, one output folder. The conversion runs
// on a worker thread with the batch converter's code (imaging/batch_convert.h), so the window stays
// responsive and can be stopped; at the end it says how many files were converted and which were
// skipped, and why.

#include "controls/worker_dialog.h"
#include "imaging/batch_convert.h"

#include <QStringList>
#include <atomic>
#include <memory>
#include <vector>

namespace controls {
class CDezListBox;
class CSkinButton;
} // namespace controls

namespace platform {
class Dialogs;
}

namespace imaging {

class BatchConvertDialog : public controls::WorkerDialog {
    Q_OBJECT
public:
    enum Command : int {
        ID_ADD_PICTURE_FILE = 10750,
        ID_CONVERT = 10751,
        ID_BROWSE = 10752,
        ID_CLOSE = 10010,
    };

    // The client area, in pixels.
    static constexpr int kWidth = 560;
    static constexpr int kHeight = 370;

    // `documentsFolder` is where the default output folder is made.
    BatchConvertDialog(QWidget* parent, platform::Dialogs& dialogs, QString dataFolder,
                       const QString& documentsFolder);
    ~BatchConvertDialog() override;

    void onCommand(int id);

    const QStringList& files() const { return files_; }
    // Always ends with a separator.
    const QString& outputFolder() const { return outputFolder_; }
    int converted() const { return converted_.load(); }
    controls::CDezListBox* fileList() const { return fileList_.get(); }
    controls::CDezListBox* formatList() const { return formatList_.get(); }
    controls::CSkinButton* button(int id) const;

    // The filled length of the progress bar: converted × 520 ÷ files, 0 without files.
    static int progressLength(int converted, int files);
    // What the end of a run says: the count, then each skipped file with its reason.
    static QString endReport(int converted, int files, const std::vector<BatchFileReport>& skipped);

signals:
    // A run ended (finished or stopped) and the window is idle again.
    void runEnded();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void addPictureFiles();
    void browse();
    void convert();
    std::function<void()> work(const BatchJob& job);
    void runFinished(BatchSummary summary, std::vector<BatchFileReport> skipped);

    QString dataFolder_;
    QStringList files_;
    QString outputFolder_;

    std::unique_ptr<controls::CSkinButton> closeButton_;
    std::unique_ptr<controls::CSkinButton> addButton_;
    std::unique_ptr<controls::CSkinButton> convertButton_;
    std::unique_ptr<controls::CSkinButton> browseButton_;
    std::unique_ptr<controls::CDezListBox> fileList_;
    std::unique_ptr<controls::CDezListBox> formatList_;

    // Shared with the worker: the worker writes them, the window reads them to paint.
    std::atomic<int> converted_{0};
    std::atomic<int> runFiles_{0};
};

} // namespace imaging
