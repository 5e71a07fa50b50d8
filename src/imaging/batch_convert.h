#pragma once
// The batch converter's work, shared by the Batch Convert dialog and `pictovance --convert`: one file
// converted at its own size, and a list of files converted in order by one or more workers.

#include "imaging/outcome.h"

#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <vector>

namespace platform {
class ManualResetEvent;
}

namespace imaging {

// Probes the picture, decodes it at its own size in the batch layout and saves it to `target` through
// SavePicture with `format` (a lower-case extension). An earlier file at `target` is replaced only once
// the new one is complete, so converting a file onto itself never loses it.
Outcome ConvertPictureFile(const QString& source, const QString& target, const QString& format,
                           const QString& dataFolder);

struct BatchJob {
    QStringList files;
    QString outputFolder; // ends with a separator
    QString format;       // lower-case: jpg, bmp, gif, png, pnm, tga, tif or pcx
    QString dataFolder;   // for the image library's hand-over, ends with a separator
};

struct BatchFileReport {
    int index = 0;
    QString source;
    QString target;
    Outcome outcome;
};

// The end of a run's report: "Skipped:", then each skipped file with its reason, at most 15 of them so
// the report still fits a message box, and how many more there were.
QString skippedListing(const std::vector<BatchFileReport>& skipped);

struct BatchOptions {
    int workers = 1;
    // Rest after each converted file (the dialog's, so that a slow machine can repaint).
    std::chrono::milliseconds pauseAfterFile{0};
    // Checked before each file is started; the file in hand is always finished.
    const platform::ManualResetEvent* stop = nullptr;
};

struct BatchSummary {
    int converted = 0;
    int skipped = 0;
    bool stopped = false;
};

// Converts the job's files with `options.workers` threads. `report` is called once for every file that
// was started, in the order of the list and on the calling thread, as soon as that file and all before
// it are done. A file whose output would replace one of the job's files or the output of an earlier file
// is skipped with the reason. The files on disk end up exactly as one worker would leave them: files that
// read the same path are converted one after the other in list order.
BatchSummary RunBatch(const BatchJob& job, const BatchOptions& options,
                      const std::function<void(const BatchFileReport&)>& report);

} // namespace imaging
