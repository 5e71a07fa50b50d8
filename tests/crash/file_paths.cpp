// Saves that replace one whole file: the photo list store written at close, an export over an existing
// picture, the batch converter's output files, and the language file written at start-up. A kill must
// leave each file exactly as it was before the save or exactly as the save makes it.

#include "app/language_resource.h"
#include "app/language_table.h"
#include "app/photos/photo_list_store.h"
#include "fixtures.h"
#include "imaging/batch_convert.h"
#include "imaging/files/photo_loading.h"
#include "imaging/files/save_picture.h"
#include "save_paths.h"

#include <QDir>
#include <array>
#include <cstring>
#include <random>

namespace crash {

namespace {

// Which of the two known files `bytes` is; torn when it is neither.
Verdict oldOrNew(const QByteArray& bytes, const QByteArray& before, const QByteArray& after,
                 const QString& what) {
    if (bytes == before)
        return {false, QStringLiteral("old"), {}, {}};
    if (bytes == after)
        return {false, QStringLiteral("new"), {}, {}};
    return {true,
            QStringLiteral("torn"),
            QStringLiteral("%1 holds %2 bytes, neither the old %3 nor the new %4")
                .arg(what)
                .arg(bytes.size())
                .arg(before.size())
                .arg(after.size()),
            {}};
}

// Several files saved in turn: torn when any is, "new" when any was replaced.
void merge(Verdict& all, const Verdict& one) {
    if (all.torn)
        return;
    if (one.torn)
        all = one;
    else if (one.outcome == QLatin1String("new"))
        all.outcome = one.outcome;
}

QString readsBack(const QString& path) {
    imaging::LoadedPicture loaded;
    const imaging::Outcome outcome = imaging::LoadPhoto(path, loaded);
    return outcome ? QString()
                   : QStringLiteral("%1 does not load: %2").arg(path, QString::fromStdString(outcome.reason));
}

// --- the photo list store, written when the editor closes

app::PhotoList photoList(int photos, int seed) {
    std::mt19937 bytes(static_cast<std::uint32_t>(seed));
    app::PhotoList list;
    for (int i = 0; i < photos; ++i) {
        app::PhotoRecord record;
        if (!app::setRecordPath(
                record, QStringLiteral("/home/user/Pictures/holiday-%1-%2.jpg").arg(seed).arg(i), false))
            fail(QStringLiteral("a photo path does not fit its record"));
        record.listIndex = i;
        record.width = 1600 - i;
        record.height = 1200;
        list.records.push_back(record);
        // A thumbnail is a JPEG of a few kilobytes; its content does not matter to the store.
        QByteArray jpeg(4000 + i * 13, '\0');
        for (char& byte : jpeg)
            byte = static_cast<char>(bytes());
        list.thumbs.push_back({jpeg});
    }
    return list;
}

class PhotoListStorePath : public SavePath {
public:
    using SavePath::SavePath;
    const char* name() const override { return "photo list store on close"; }

    void setUp() override {
        wipe(folder());
        before_ = stored(photoList(40, 1));
        after_ = stored(photoList(60, 2));
    }
    void prepare() override {
        wipe(dataFolder());
        writeBytes(storePath(), before_);
    }
    void ready() override { lists_ = {photoList(60, 2), photoList(40, 1)}; }
    void cycle(int i) override {
        app::savePhotoListStore(storePath(), lists_[static_cast<std::size_t>(i % 2)]);
    }
    Verdict check() override {
        Verdict verdict = oldOrNew(readBytes(storePath()), before_, after_, QStringLiteral("the store"));
        verdict.leftovers = othersIn(dataFolder(), {QStringLiteral("ZorvathMedia")});
        const app::StoreLoadResult loaded = app::loadPhotoListStore(storePath());
        if (!verdict.torn && (loaded.damaged || loaded.unreadable || loaded.list.records.empty())) {
            verdict.torn = true;
            verdict.detail = QStringLiteral("the next start does not read the store whole");
        }
        return verdict;
    }

private:
    QString dataFolder() const { return folder() + QStringLiteral("/Data"); }
    QString storePath() const { return dataFolder() + QStringLiteral("/ZorvathMedia"); }
    QByteArray stored(const app::PhotoList& list) {
        wipe(dataFolder());
        if (!app::savePhotoListStore(storePath(), list))
            fail(QStringLiteral("cannot write the reference store"));
        return readBytes(storePath());
    }

    QByteArray before_;
    QByteArray after_;
    std::array<app::PhotoList, 2> lists_;
};

// --- an export over an existing picture, on both routes of the saver

constexpr std::array<const char*, 3> kExportFormats{"png", "tga", "jpg"};

class ExportPath : public SavePath {
public:
    using SavePath::SavePath;
    const char* name() const override { return "export over an existing file"; }

    void setUp() override {
        wipe(folder());
        wipe(dataFolder());
        const std::array<imaging::PhotoBuffer, 2> photos = pictures();
        for (std::size_t f = 0; f < kExportFormats.size(); ++f)
            for (std::size_t p = 0; p < photos.size(); ++p) {
                const QString path =
                    folder() + QStringLiteral("/reference.") + QLatin1String(kExportFormats[f]);
                save(photos[p], path, kExportFormats[f]);
                references_[f][p] = readBytes(path);
                QFile::remove(path);
            }
    }
    void prepare() override {
        wipe(dataFolder());
        wipe(outputFolder());
        for (std::size_t f = 0; f < kExportFormats.size(); ++f)
            writeBytes(target(f), references_[f][0]);
    }
    void ready() override { photos_ = pictures(); }
    // Each format in turn takes the new picture, then the old one again, and so on.
    void cycle(int i) override {
        const auto f = static_cast<std::size_t>(i) % kExportFormats.size();
        const std::size_t p = (static_cast<std::size_t>(i) / kExportFormats.size() + 1) % 2;
        save(photos_[p], target(f), kExportFormats[f]);
    }
    Verdict check() override {
        Verdict verdict{false, QStringLiteral("old"), {}, {}};
        QStringList targets;
        for (std::size_t f = 0; f < kExportFormats.size(); ++f) {
            merge(verdict, oldOrNew(readBytes(target(f)), references_[f][0], references_[f][1], target(f)));
            if (const QString problem = readsBack(target(f)); !verdict.torn && !problem.isEmpty())
                verdict = {true, QStringLiteral("torn"), problem, {}};
            targets << QFileInfo(target(f)).fileName();
        }
        verdict.leftovers = othersIn(outputFolder(), targets) + othersIn(dataFolder(), {});
        return verdict;
    }

private:
    QString dataFolder() const { return folder() + QStringLiteral("/Data"); }
    QString outputFolder() const { return folder() + QStringLiteral("/Pictures"); }
    QString target(std::size_t format) const {
        return outputFolder() + QStringLiteral("/holiday.") + QLatin1String(kExportFormats[format]);
    }
    static std::array<imaging::PhotoBuffer, 2> pictures() {
        return {patternPhoto(800, 600, 1), patternPhoto(800, 600, 2)};
    }
    void save(const imaging::PhotoBuffer& photo, const QString& path, const char* format) const {
        const imaging::Outcome saved =
            imaging::SavePicture(path, photo.bgr.data(), photo.width, photo.height, QLatin1String(format),
                                 dataFolder() + QLatin1Char('/'));
        if (!saved)
            fail(QStringLiteral("cannot export %1: %2").arg(path, QString::fromStdString(saved.reason)));
    }

    std::array<std::array<QByteArray, 2>, kExportFormats.size()> references_;
    std::array<imaging::PhotoBuffer, 2> photos_;
};

// --- the batch converter's output, over the files of an earlier run

constexpr std::array<const char*, 3> kBatchNames{"beach", "harbour", "hills"};
constexpr std::array<const char*, 2> kBatchFormats{"png", "pcx"};

class BatchOutputPath : public SavePath {
public:
    using SavePath::SavePath;
    const char* name() const override { return "batch output"; }

    void setUp() override {
        wipe(folder());
        wipe(dataFolder());
        for (int set = 0; set < 2; ++set) {
            wipe(sourceFolder(set));
            for (std::size_t n = 0; n < kBatchNames.size(); ++n) {
                const imaging::PhotoBuffer photo = patternPhoto(480, 360, set * 10 + static_cast<int>(n));
                const QString path = sourceFolder(set) + QLatin1Char('/') + QLatin1String(kBatchNames[n]) +
                                     QStringLiteral(".bmp");
                if (!imaging::SavePicture(path, photo.bgr.data(), photo.width, photo.height,
                                          QStringLiteral("bmp"), dataFolder() + QLatin1Char('/')))
                    fail(QStringLiteral("cannot write the batch source %1").arg(path));
            }
        }
        for (int set = 0; set < 2; ++set)
            for (std::size_t f = 0; f < kBatchFormats.size(); ++f) {
                wipe(outputFolder());
                convert(set, kBatchFormats[f]);
                for (std::size_t n = 0; n < kBatchNames.size(); ++n)
                    references_[n][f][static_cast<std::size_t>(set)] = readBytes(output(n, f));
            }
    }
    void prepare() override {
        wipe(dataFolder());
        wipe(outputFolder());
        for (std::size_t n = 0; n < kBatchNames.size(); ++n)
            for (std::size_t f = 0; f < kBatchFormats.size(); ++f)
                writeBytes(output(n, f), references_[n][f][0]);
    }
    // The new sources, then the old ones again, each time in both formats.
    void cycle(int i) override {
        convert((i / 2 + 1) % 2, kBatchFormats[static_cast<std::size_t>(i) % kBatchFormats.size()]);
    }
    Verdict check() override {
        Verdict verdict{false, QStringLiteral("old"), {}, {}};
        QStringList outputs;
        for (std::size_t n = 0; n < kBatchNames.size(); ++n)
            for (std::size_t f = 0; f < kBatchFormats.size(); ++f) {
                const auto& references = references_[n][f];
                merge(verdict, oldOrNew(readBytes(output(n, f)), references[0], references[1], output(n, f)));
                if (const QString problem = readsBack(output(n, f)); !verdict.torn && !problem.isEmpty())
                    verdict = {true, QStringLiteral("torn"), problem, {}};
                outputs << QFileInfo(output(n, f)).fileName();
            }
        verdict.leftovers = othersIn(outputFolder(), outputs) + othersIn(dataFolder(), {});
        return verdict;
    }

private:
    QString dataFolder() const { return folder() + QStringLiteral("/Data"); }
    QString outputFolder() const { return folder() + QStringLiteral("/Convert"); }
    QString sourceFolder(int set) const { return folder() + QStringLiteral("/photos-%1").arg(set); }
    QString output(std::size_t name, std::size_t format) const {
        return outputFolder() + QLatin1Char('/') + QLatin1String(kBatchNames[name]) + QLatin1Char('.') +
               QLatin1String(kBatchFormats[format]);
    }
    void convert(int set, const char* format) const {
        imaging::BatchJob job;
        for (const char* name : kBatchNames)
            job.files << sourceFolder(set) + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".bmp");
        job.outputFolder = outputFolder() + QLatin1Char('/');
        job.format = QLatin1String(format);
        job.dataFolder = dataFolder() + QLatin1Char('/');
        const imaging::BatchSummary summary =
            imaging::RunBatch(job, {}, [](const imaging::BatchFileReport&) {});
        if (summary.converted != static_cast<int>(kBatchNames.size()))
            fail(QStringLiteral("the batch converter converted %1 files").arg(summary.converted));
    }

    std::array<std::array<std::array<QByteArray, 2>, kBatchFormats.size()>, kBatchNames.size()> references_;
};

// --- the language file, written from the program's own table at every start

class LanguageFilePath : public SavePath {
public:
    using SavePath::SavePath;
    const char* name() const override { return "language file extraction"; }

    void setUp() override {
        wipe(folder());
        const auto resource = app::englishLanguageResource();
        after_ = QByteArray(reinterpret_cast<const char*>(resource.data()),
                            static_cast<qsizetype>(resource.size()));
        // The file an earlier version left: another table of another length.
        before_ = after_.left(after_.size() / 2);
        std::reverse(before_.begin(), before_.end());
        if (!expected_.loadFromFile(writeReference()))
            fail(QStringLiteral("cannot read the reference language file"));
    }
    void prepare() override {
        wipe(dataFolder());
        writeBytes(languagePath(), before_);
    }
    void cycle(int) override { app::extractLanguageFile(languagePath()); }
    Verdict check() override {
        Verdict verdict =
            oldOrNew(readBytes(languagePath()), before_, after_, QStringLiteral("the language file"));
        verdict.leftovers = othersIn(dataFolder(), {QStringLiteral("EnglishLang_src")});
        if (verdict.torn)
            return verdict;
        // The next start writes the file again, then reads it.
        app::extractLanguageFile(languagePath());
        app::LanguageTable table;
        if (!table.loadFromFile(languagePath()) ||
            std::memcmp(table.data(), expected_.data(), app::LanguageTable::kSize) != 0 ||
            table.text(23).isEmpty())
            return {true,
                    QStringLiteral("torn"),
                    QStringLiteral("the next start does not read its captions"),
                    {}};
        return verdict;
    }

private:
    QString dataFolder() const { return folder() + QStringLiteral("/Data"); }
    QString languagePath() const { return dataFolder() + QStringLiteral("/EnglishLang_src"); }
    QString writeReference() const {
        const QString path = folder() + QStringLiteral("/reference");
        writeBytes(path, after_);
        return path;
    }

    QByteArray before_;
    QByteArray after_;
    app::LanguageTable expected_;
};

} // namespace

std::unique_ptr<SavePath> makePhotoListStorePath(const QString& folder) {
    return std::make_unique<PhotoListStorePath>(folder);
}
std::unique_ptr<SavePath> makeExportPath(const QString& folder) {
    return std::make_unique<ExportPath>(folder);
}
std::unique_ptr<SavePath> makeBatchOutputPath(const QString& folder) {
    return std::make_unique<BatchOutputPath>(folder);
}
std::unique_ptr<SavePath> makeLanguageFilePath(const QString& folder) {
    return std::make_unique<LanguageFilePath>(folder);
}

} // namespace crash
