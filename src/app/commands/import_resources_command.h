#pragma once

#include <QStringList>

namespace app {

// True when the command line asks to import packages: "--import-resources" anywhere among the arguments.
bool isImportResourcesCommand(const QStringList& arguments);

// pictovance --import-resources FILE.irs...
// Imports each package into the library of the Data folder beside the program, with the importer the
// editor uses, printing one line per package ("imported: …", "already in the library: …" or
// "refused: …: reason"). Needs no display and no running editor. Returns 0 when no package was refused,
// 1 when any was, 2 for a bad command line.
int runImportResourcesCommand(int argc, char** argv, const QStringList& arguments);

} // namespace app
