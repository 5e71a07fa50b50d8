#include "app/command_line.h"

#include <QDir>
#include <QUrl>

namespace app {

QString windowsStyleCommandLine(const QString& programPath, const QStringList& arguments) {
    QString line = QLatin1Char('"') + programPath + QLatin1Char('"');
    for (const QString& argument : arguments)
        line += QLatin1Char(' ') + argument;
    return line;
}

std::optional<QString> pifArgument(const QString& commandLine) {
    if (!commandLine.endsWith(QLatin1String("PIF"), Qt::CaseSensitive))
        return std::nullopt;
    // lastIndexOf gives -1 without a quote, so the skip of two characters starts at index 1.
    const qsizetype start = commandLine.lastIndexOf(QLatin1Char('"')) + 2;
    return commandLine.mid(std::min(start, commandLine.size()));
}

QStringList picturesToOpen(const QString& programPath, const QStringList& arguments,
                           const QString& currentFolder) {
    if (pifArgument(windowsStyleCommandLine(programPath, arguments)))
        return {};
    QStringList pictures;
    const QDir current(currentFolder);
    for (const QString& argument : arguments) {
        if (argument.isEmpty())
            continue;
        QString path = argument;
        if (argument.startsWith(QLatin1String("file:"))) {
            if (const QUrl url(argument); url.isLocalFile())
                path = url.toLocalFile();
        }
        pictures << QDir::cleanPath(current.absoluteFilePath(path));
    }
    return pictures;
}

} // namespace app
