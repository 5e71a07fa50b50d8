#include "recipe/widgets/apply_recipe_dialog.h"

#include "controls/buttons/skin_button.h"
#include "controls/dez_list_box.h"
#include "controls/numbered_images.h"
#include "imaging/batch_naming.h"
#include "imaging/files/file_dialog_filters.h"
#include "platform/dialogs.h"
#include "platform/scratch_folder.h"
#include "recipe/recipe_plan.h"
#include "recipe/recipe_runner.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QThread>

namespace recipe {

namespace {

constexpr const char* kFormatTexts[] = {"JPG", "BMP", "GIF", "PNG", "PNM", "TGA", "TIF", "PCX"};
constexpr const char* kRecipeFilter = "Recipes|*.json|All files|*||";
constexpr int kProgressSpan = 520;

QString withSeparator(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

// Everything one run reads, owned by the worker thread while it runs.
struct ApplyRecipeDialog::Run {
    Recipe recipe;
    RunSettings settings;
    std::vector<BatchPhoto> photos;
    platform::ScratchFolder scratch;
};

ApplyRecipeDialog::ApplyRecipeDialog(QWidget* parent, platform::Dialogs& dialogs,
                                     const platform::Folders& folders, EditorPhotos editor)
    : WorkerDialog(parent, dialogs, QStringLiteral("Are you sure to stop applying the recipe?")),
      folders_(folders), editor_(std::move(editor)) {
    setWindowTitle(QStringLiteral("Apply Recipe to Photos"));
    setFixedSize(kWidth, kHeight);

    const auto addButton = [this](int id, const char* text, QPoint from, QPoint to) {
        auto button = std::make_unique<controls::CSkinButton>(id, QLatin1String(text), this);
        button->setGeometry(QRect(from, to));
        connect(button.get(), &controls::CSkinButton::command, this, &ApplyRecipeDialog::onCommand);
        buttons_.push_back(std::move(button));
    };
    namespace img = controls::image;
    addButton(ID_CLOSE, "", {kWidth - 40, 7}, {kWidth - 15, 23});
    buttons_.back()->setImages(img::CloseButton, img::CloseHover, img::ClosePressed, img::CloseButton);
    addButton(ID_CHOOSE_RECIPE, "Choose...", {470, 38}, {540, 58});
    addButton(ID_SELECTED_PHOTOS, "Selected Photos", {20, 291}, {120, 311});
    addButton(ID_ALL_PHOTOS, "All Photos", {125, 291}, {205, 311});
    addButton(ID_ADD_PICTURE_FILE, "Add Picture File", {210, 291}, {320, 311});
    addButton(ID_CLEAR_PHOTOS, "Clear", {325, 291}, {405, 311});
    addButton(ID_APPLY, "Apply", {20, 320}, {140, 340});
    addButton(ID_STOP, "Stop", {145, 320}, {265, 340});
    addButton(ID_BROWSE, "Browse...", {470, 320}, {540, 340});

    photoList_ = std::make_unique<controls::CDezListBox>(this);
    photoList_->setGeometry(QRect(QPoint(20, 81), QPoint(405, 286)));
    formatList_ = std::make_unique<controls::CDezListBox>(this);
    for (const char* format : kFormatTexts)
        formatList_->addString(QLatin1String(format));
    formatList_->setCurSel(0);
    formatList_->setGeometry(QRect(QPoint(410, 81), QPoint(540, 245)));
    sizeList_ = std::make_unique<controls::CDezListBox>(this);
    sizeList_->addString(QStringLiteral("Full size"));
    sizeList_->addString(QStringLiteral("Working size"));
    sizeList_->setCurSel(0);
    sizeList_->setGeometry(QRect(QPoint(410, 266), QPoint(540, 311)));

    // Made only when a run writes into it.
    outputFolder_ =
        QDir::cleanPath(folders.documentsFolder()) + QStringLiteral("/Quorix Pictovnce Dazazizu/Recipe/");

    showButtons();
    if (parent)
        move(parent->geometry().center() - rect().center());
}

ApplyRecipeDialog::~ApplyRecipeDialog() {
    // A window torn down mid-run (the program ends) still lets the photos in hand finish whole.
    stopAndJoin();
}

controls::CSkinButton* ApplyRecipeDialog::button(int id) const {
    for (const auto& button : buttons_)
        if (button->commandId() == id)
            return button.get();
    return nullptr;
}

void ApplyRecipeDialog::onCommand(int id) {
    switch (id) {
    case ID_CHOOSE_RECIPE:
        chooseRecipe();
        break;
    case ID_SELECTED_PHOTOS:
    case ID_ALL_PHOTOS:
        setPhotos(editor_.listed(id == ID_SELECTED_PHOTOS));
        break;
    case ID_ADD_PICTURE_FILE:
        addPictureFiles();
        break;
    case ID_CLEAR_PHOTOS:
        setPhotos({});
        break;
    case ID_APPLY:
        apply();
        break;
    case ID_STOP:
        stopEvent().set();
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

void ApplyRecipeDialog::chooseRecipe() {
    const QStringList chosen = dialogs_.openFiles(this, QString::fromLatin1(kRecipeFilter), false);
    if (chosen.isEmpty())
        return;
    if (const QString problem = useRecipe(chosen.first()); !problem.isEmpty())
        dialogs_.inform(this, problem);
}

QString ApplyRecipeDialog::useRecipe(const QString& path) {
    const ReadRecipe read = readRecipeFile(path);
    if (!read.recipe)
        return QStringLiteral("%1: %2").arg(native(path), read.problem);
    recipeFile_ = path;
    // The recipe's own export choices are where the window starts; the user may still change them.
    for (int i = 0; i < formatList_->count(); ++i)
        if (formatList_->text(i).toLower() == read.recipe->format)
            formatList_->setCurSel(i);
    sizeList_->setCurSel(read.recipe->workingSize ? 1 : 0);
    update();
    return {};
}

void ApplyRecipeDialog::setPhotos(const QStringList& paths) {
    photos_.clear();
    photoList_->resetContent();
    for (const QString& path : paths) {
        photos_ << path;
        photoList_->addString(native(path));
    }
    update();
}

void ApplyRecipeDialog::addPictureFiles() {
    const QStringList chosen =
        dialogs_.openFiles(this, QString::fromLatin1(imaging::kPictureOpenFilter), true);
    setPhotos(photos_ + chosen);
}

void ApplyRecipeDialog::browse() {
    // The output folder is made only by a run: until then the browser starts at its nearest existing parent.
    QString start = QDir::cleanPath(outputFolder_);
    while (!QFileInfo(start).isDir() && QFileInfo(start).path() != start)
        start = QFileInfo(start).path();
    const auto chosen = dialogs_.chooseFolder(this, QStringLiteral("Select Output Directory"),
                                              QStringLiteral("Output Directory"), start);
    if (!chosen)
        return;
    outputFolder_ = withSeparator(*chosen);
    update();
}

void ApplyRecipeDialog::apply() {
    if (busy())
        return;
    if (recipeFile_.isEmpty() || photos_.isEmpty()) {
        dialogs_.inform(this, QStringLiteral("Choose a recipe and the photos to apply it to first."));
        return;
    }
    // Read again: the file may have been mended since it was chosen. Nothing is made before the recipe,
    // and every picture its steps name, have been found sound.
    ReadRecipe read = readRecipeFile(recipeFile_);
    if (!read.recipe) {
        dialogs_.inform(this, QStringLiteral("%1: %2").arg(native(recipeFile_), read.problem));
        return;
    }
    auto run = std::make_shared<Run>();
    run->recipe = std::move(*read.recipe);
    run->settings = findRunSettings(folders_);
    if (const QString problem = libraryProblem(run->recipe, run->settings.library); !problem.isEmpty()) {
        dialogs_.inform(this, QStringLiteral("%1: %2").arg(native(recipeFile_), problem));
        return;
    }
    run->recipe.workingSize = sizeList_->curSel() == 1;
    QDir output(outputFolder_);
    if (!output.mkpath(QStringLiteral("."))) {
        dialogs_.inform(this,
                        QStringLiteral("cannot create the output folder %1").arg(native(outputFolder_)));
        return;
    }
    if (!run->scratch.isValid()) {
        dialogs_.inform(this, QStringLiteral("cannot create a temporary folder"));
        return;
    }
    // The run reads the chosen photos and the recipe; the open photo's file is the editor's. None of them
    // may be replaced by a result.
    QStringList kept{recipeFile_};
    if (const QString open = editor_.openPhoto(); !open.isEmpty())
        kept << open;
    run->photos = planRecipePhotos(photos_, output.canonicalPath() + QLatin1Char('/'),
                                   formatList_->text(formatList_->curSel()).toLower(), kept,
                                   QStringLiteral("a chosen photo, the recipe or the open photo"));

    finished_ = 0;
    runPhotos_ = static_cast<int>(run->photos.size());
    // The run moves on into work(), which lets its scratch files go before the window hears of the end.
    startRun([this, run = std::move(run)]() mutable { return work(std::move(run)); });
    showButtons();
}

// On the worker thread.
std::function<void()> ApplyRecipeDialog::work(std::shared_ptr<Run> run) {
    std::vector<imaging::BatchFileReport> skipped;
    int index = 0;
    const BatchSummary summary = runRecipeBatch(
        run->recipe, run->settings, run->photos, run->scratch.path(), QThread::idealThreadCount(),
        [&](const BatchPhoto& photo, const imaging::Outcome& outcome) {
            if (!outcome)
                skipped.push_back({index, photo.task.photo, photo.task.target, outcome});
            ++index;
            ++finished_;
            QMetaObject::invokeMethod(this, qOverload<>(&QWidget::update), Qt::QueuedConnection);
        },
        &stopEvent());
    // The documents' scratch files go before the window hears that the run is over.
    run.reset();
    return
        [this, summary, skipped = std::move(skipped)]() mutable { runFinished(summary, std::move(skipped)); };
}

void ApplyRecipeDialog::runFinished(BatchSummary summary, std::vector<imaging::BatchFileReport> skipped) {
    showButtons();
    update();
    // A run stopped by closing the window ends without a report: the user asked for it to stop.
    if (!closing())
        dialogs_.inform(this, endReport(summary, runPhotos_, skipped));
    emit runEnded();
}

QString ApplyRecipeDialog::endReport(const BatchSummary& summary, int photos,
                                     const std::vector<imaging::BatchFileReport>& skipped) {
    QString text;
    if (summary.stopped)
        text = QStringLiteral("Stopped: %1 of %2 photos were written.").arg(summary.written).arg(photos);
    else if (skipped.empty())
        text = summary.written == 1 ? QStringLiteral("1 photo was written.")
                                    : QStringLiteral("%1 photos were written.").arg(summary.written);
    else
        text = QStringLiteral("%1 of %2 photos were written.").arg(summary.written).arg(photos);
    if (!skipped.empty())
        text += QStringLiteral("\n\n") + imaging::skippedListing(skipped);
    return text;
}

void ApplyRecipeDialog::showButtons() {
    button(ID_APPLY)->setEnabled(!busy());
    button(ID_STOP)->setEnabled(busy());
}

void ApplyRecipeDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintSkin(painter);
    paintLabel(painter, QRect(QPoint(20, 38), QPoint(65, 58)), QStringLiteral("Recipe"));
    paintTextBox(painter, QRect(QPoint(70, 38), QPoint(465, 58)), native(recipeFile_));
    paintLabel(painter, QRect(QPoint(20, 63), QPoint(400, 80)),
               QStringLiteral("Photos (%1)").arg(photos_.size()));
    paintLabel(painter, QRect(QPoint(410, 63), QPoint(540, 80)), QStringLiteral("Output Format"));
    paintLabel(painter, QRect(QPoint(410, 248), QPoint(540, 265)), QStringLiteral("Size"));
    paintLabel(painter, QRect(QPoint(280, 323), QPoint(310, 340)), QStringLiteral("Path"));
    paintTextBox(painter, QRect(QPoint(310, 320), QPoint(465, 340)), native(outputFolder_));

    const int photos = runPhotos_.load();
    const int finished = finished_.load();
    paintProgressBar(painter, QRect(QPoint(20, 345), QPoint(540, 355)),
                     photos > 0 ? static_cast<int>(std::int64_t{finished} * kProgressSpan / photos) : 0);
    if (busy())
        paintLabel(painter, QRect(QPoint(20, 357), QPoint(540, 374)),
                   QStringLiteral("Applying the recipe: %1 of %2 photos done").arg(finished).arg(photos));
}

} // namespace recipe
