#include "app/command_line.h"

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

} // namespace app
