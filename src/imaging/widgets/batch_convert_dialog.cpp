#include "imaging/widgets/batch_convert_dialog.h"

#include "controls/buttons/skin_button.h"
#include "controls/dez_list_box.h"
#include "controls/numbered_images.h"
#include "imaging/batch_naming.h"
#include "imaging/files/file_dialog_filters.h"
#include "platform/dialogs.h"

#include <QDir>
#include <QPainter>

namespace imaging {

namespace {

constexpr const char* kFormatTexts[] = {"JPG", "BMP", "GIF", "PNG", "PNM", "TGA", "TIF", "PCX"};
constexpr int kProgressSpan = 520;

QString withSeparator(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace

BatchConvertDialog::BatchConvertDialog(QWidget* parent, platform::Dialogs& dialogs, QString dataFolder,
                                       const QString& documentsFolder)
    : WorkerDialog(parent, dialogs, QStringLiteral("Are you sure to stop converting?")),
      dataFolder_(std::move(dataFolder)) {
    setWindowTitle(QStringLiteral("Batch Convert"));
    setFixedSize(kWidth, kHeight);

    namespace img = controls::image;
    closeButton_ = std::make_unique<controls::CSkinButton>(ID_CLOSE, QString(), this);
    closeButton_->setImages(img::CloseButton, img::CloseHover, img::ClosePressed, img::CloseButton);
    addButton_ = std::make_unique<controls::CSkinButton>(ID_ADD_PICTURE_FILE,
                                                         QStringLiteral("Add Picture File"), this);
    convertButton_ = std::make_unique<controls::CSkinButton>(ID_CONVERT, QStringLiteral("Convert"), this);
    browseButton_ = std::make_unique<controls::CSkinButton>(ID_BROWSE, QStringLiteral("Browse..."), this);
    for (controls::CSkinButton* button :
         {closeButton_.get(), addButton_.get(), convertButton_.get(), browseButton_.get()})
        connect(button, &controls::CSkinButton::command, this, &BatchConvertDialog::onCommand);
    fileList_ = std::make_unique<controls::CDezListBox>(this);
    formatList_ = std::make_unique<controls::CDezListBox>(this);
    for (const char* format : kFormatTexts)
        formatList_->addString(QLatin1String(format));
    formatList_->setCurSel(0);

    closeButton_->setGeometry(kWidth - 40, 7, 26, 17);
    addButton_->setGeometry(QRect(QPoint(20, 320), QPoint(140, 340)));
    convertButton_->setGeometry(QRect(QPoint(145, 320), QPoint(265, 340)));
    browseButton_->setGeometry(QRect(QPoint(470, 320), QPoint(540, 340)));
    fileList_->setGeometry(QRect(QPoint(20, 50), QPoint(405, 310)));
    formatList_->setGeometry(QRect(QPoint(410, 50), QPoint(540, 310)));

    outputFolder_ = defaultBatchOutputFolder(documentsFolder);

    if (parent)
        move(parent->geometry().center() - rect().center());
}

BatchConvertDialog::~BatchConvertDialog() {
    // A window torn down mid-run (the program ends) still lets the file in hand finish.
    stopAndJoin();
}

controls::CSkinButton* BatchConvertDialog::button(int id) const {
    for (controls::CSkinButton* button :
         {closeButton_.get(), addButton_.get(), convertButton_.get(), browseButton_.get()})
        if (button->commandId() == id)
            return button;
    return nullptr;
}

void BatchConvertDialog::onCommand(int id) {
    switch (id) {
    case ID_ADD_PICTURE_FILE:
        addPictureFiles();
        break;
    case ID_CONVERT:
        convert();
        break;
    case ID_BROWSE:
        browse();
        break;
    case ID_CLOSE:
        reject();
        break;
    default:
        break;
    }
}

void BatchConvertDialog::addPictureFiles() {
    const QStringList chosen = dialogs_.openFiles(this, QString::fromLatin1(kPictureOpenFilter), true);
    for (const QString& path : chosen) {
        files_ << path;
        fileList_->addString(QDir::toNativeSeparators(path));
    }
}

void BatchConvertDialog::browse() {
    const auto chosen = dialogs_.chooseFolder(this, QStringLiteral("Select Output Directory"),
                                              QStringLiteral("Output Directory"), outputFolder_);
    if (!chosen)
        return;
    outputFolder_ = withSeparator(*chosen);
    update();
}

void BatchConvertDialog::convert() {
    if (busy() || files_.isEmpty() || formatList_->curSel() < 0)
        return;
    BatchJob job{files_, outputFolder_, formatList_->text(formatList_->curSel()).toLower(), dataFolder_};
    QDir().mkpath(outputFolder_);
    converted_ = 0;
    runFiles_ = static_cast<int>(files_.size());
    startRun([this, job = std::move(job)] { return work(job); });
}

// On the worker thread.
std::function<void()> BatchConvertDialog::work(const BatchJob& job) {
    std::vector<BatchFileReport> skipped;
    BatchOptions options;
    options.workers = 1;
    options.pauseAfterFile = std::chrono::milliseconds(50);
    options.stop = &stopEvent();
    const BatchSummary summary = RunBatch(job, options, [&](const BatchFileReport& file) {
        if (file.outcome)
            ++converted_;
        else
            skipped.push_back(file);
        QMetaObject::invokeMethod(this, qOverload<>(&QWidget::update), Qt::QueuedConnection);
    });
    converted_ = 0;
    return
        [this, summary, skipped = std::move(skipped)]() mutable { runFinished(summary, std::move(skipped)); };
}

void BatchConvertDialog::runFinished(BatchSummary summary, std::vector<BatchFileReport> skipped) {
    update();
    // A run stopped by closing the window ends without a report: the user asked for it to stop.
    if (!summary.stopped && !closing())
        dialogs_.inform(this, endReport(summary.converted, summary.converted + summary.skipped, skipped));
    emit runEnded();
}

QString BatchConvertDialog::endReport(int converted, int files, const std::vector<BatchFileReport>& skipped) {
    if (skipped.empty())
        return converted == 1 ? QStringLiteral("1 file was converted.")
                              : QStringLiteral("%1 files were converted.").arg(converted);
    return QStringLiteral("%1 of %2 files were converted.\n\n").arg(converted).arg(files) +
           skippedListing(skipped);
}

int BatchConvertDialog::progressLength(int converted, int files) {
    if (files <= 0)
        return 0;
    return static_cast<int>(std::int64_t{converted} * kProgressSpan / files);
}

void BatchConvertDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintSkin(painter);
    paintLabel(painter, QRect(QPoint(20, 35), QPoint(200, 50)), QStringLiteral("Picture Files"));
    paintLabel(painter, QRect(QPoint(410, 35), QPoint(540, 50)), QStringLiteral("Output Format"));
    paintLabel(painter, QRect(QPoint(280, 323), QPoint(310, 340)), QStringLiteral("Path"));
    paintTextBox(painter, QRect(QPoint(310, 320), QPoint(470, 340)), QDir::toNativeSeparators(outputFolder_));
    const int files = busy() ? runFiles_.load() : static_cast<int>(files_.size());
    paintProgressBar(painter, QRect(QPoint(20, 345), QPoint(540, 355)), progressLength(converted_, files));
}

} // namespace imaging
