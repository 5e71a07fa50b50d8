#pragma once

#include <QStringList>

namespace app {

// True when the command line asks for a recipe run: "--recipe" anywhere among the arguments.
bool isRecipeCommand(const QStringList& arguments);

// pictovance --recipe RECIPE.json --out DIR [--format jpg|bmp|gif|png|pnm|tga|tif|pcx] PHOTO...
// Runs the recipe on each photo and writes the result into DIR, named as the converter names its output,
// printing one line per photo ("written: …" or "skipped: …: reason"). Needs no display and no running
// editor, and touches none of the editor's files. Returns 0 when every photo was written, 1 when any was
// skipped, 2 for a bad command line or recipe (which writes nothing).
int runRecipeCommand(int argc, char** argv, const QStringList& arguments);

} // namespace app
