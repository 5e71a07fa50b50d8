#pragma once

#include <QStringList>

namespace app {

// The program's modes, as the usage text lists them.
enum class ProgramMode { Editor, Convert, Recipe, ImportResources, Screenshot };

// "pictovance --help" and "pictovance --version", wherever they stand on the command line.
bool isUsageRequest(const QStringList& arguments);
// Prints the whole command line's usage (or the version) to standard output; returns 0.
int runUsageRequest(const QStringList& arguments);

// One line on standard error for a command line the program cannot take: every mode's arguments after
// "usage: pictovance", or only `mode`'s when the mode is known.
void printUsageLine();
void printUsageLine(ProgramMode mode);

} // namespace app
