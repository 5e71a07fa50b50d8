#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace app {

// The command line as Windows would hand it over: the program path in double quotes, then each
// argument after one blank.
QString windowsStyleCommandLine(const QString& programPath, const QStringList& arguments);

// A second start passes its command line on only when it ends in exactly "PIF": the text after the last
// double quote, skipping that quote and the blank after it. Without any quote, everything but the first
// character. Nothing for any other line.
std::optional<QString> pifArgument(const QString& commandLine);

// The pictures a start of the editor is asked to open: every argument as an absolute path, resolved
// against `currentFolder` (a "file:" URL, as file managers may pass, as its local path). None for a
// command line the "PIF" rule takes.
QStringList picturesToOpen(const QString& programPath, const QStringList& arguments,
                           const QString& currentFolder);

} // namespace app
