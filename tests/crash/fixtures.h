#pragma once
// Small helpers of the crash-safety program: whole files, folders and made-up pictures. A helper that
// cannot do its work ends the program: the run would measure nothing.

#include "imaging/photo_buffer.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace crash {

[[noreturn]] void fail(const QString& what);

// The file's bytes; `exists` false (and nothing) when there is no file.
QByteArray readBytes(const QString& path, bool* exists = nullptr);
void writeBytes(const QString& path, const QByteArray& bytes);
// Empties the folder (making it when missing).
void wipe(const QString& folder);
void copyFolder(const QString& from, const QString& to);
// The names of the files in the folder, sorted.
QStringList filesIn(const QString& folder);
// The files of the folder other than `expected`.
QStringList othersIn(const QString& folder, const QStringList& expected);

// A picture of smooth gradients and some noise, different for each `seed`, so that encoders take a
// realistic time and two seeds never give the same file.
imaging::PhotoBuffer patternPhoto(int width, int height, int seed);

} // namespace crash
