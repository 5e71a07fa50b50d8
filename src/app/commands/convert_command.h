#pragma once

#include <QStringList>

namespace app {

// True when the command line asks for the converter: "--convert" anywhere among the arguments.
bool isConvertCommand(const QStringList& arguments);

// pictovance --convert FORMAT --out DIR [--jobs N] FILE...
// Converts each file with the batch converter's code into DIR on N workers (one per core by default),
// printing one line per file in the command line's order ("written: …" or "skipped: …: reason"). Needs
// no display and no running editor. Returns 0 when every file was written, 1 when any was skipped, 2 for
// a bad command line.
int runConvertCommand(int argc, char** argv, const QStringList& arguments);

} // namespace app
