#pragma once
// A scratch program folder for the resource fuzz targets: its Data folder lives in memory when the
// system has /dev/shm, so that the importer's syncs cost nothing.

#include "platform/folders.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

namespace fuzz_support {

// Never destroyed: at exit Qt's own globals are gone before a static destructor would run.
inline QGuiApplication* application = nullptr;
inline QTemporaryDir* scratch = nullptr;

inline void ignoreMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

inline void startScratchLibrary(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(ignoreMessage);
    application = std::make_unique<QGuiApplication>(*argc, *argv).release();
    const QString base =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    scratch = std::make_unique<QTemporaryDir>(base + QStringLiteral("/pictovance-fuzz-XXXXXX")).release();
    if (!scratch->isValid())
        std::abort();
}

inline platform::Folders scratchFolders() {
    return platform::Folders(scratch->path());
}

// Empties the Data folder.
inline void clearData() {
    QDir data(scratchFolders().GetDataFolder());
    for (const QString& name : data.entryList(QDir::Files | QDir::Hidden))
        data.remove(name);
}

inline void writeFile(const QString& path, std::span<const std::uint8_t> bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()))
        std::abort();
}

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace fuzz_support
