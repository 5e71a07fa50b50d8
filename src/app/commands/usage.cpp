#include "app/commands/usage.h"

#include "app/product.h"

#include <cstdio>

namespace app {

namespace {

struct ModeUsage {
    ProgramMode mode;
    const char* arguments;   // after "pictovance"
    const char* description; // lines of the --help text, each indented and ending with a line break
};

constexpr ModeUsage kModes[] = {
    {ProgramMode::Editor, "[PICTURE...]",
     "      Starts the editor. Each PICTURE is added to the photo list, as File > Import Photo adds it,\n"
     "      and the first of them is opened. When the editor is already running, it comes to the front\n"
     "      and takes the pictures instead; no second window opens.\n"},
    {ProgramMode::Convert, "--convert FORMAT --out DIR [--jobs N] FILE...",
     "      Converts each picture FILE into DIR as FORMAT (jpg, bmp, gif, png, pnm, tga, tif or pcx),\n"
     "      keeping its name. N workers convert at once (one per processor core by default); one line\n"
     "      per file is printed in the command line's order. Exit status: 0 when every file was\n"
     "      written, 1 when some were skipped, 2 for a bad command line.\n"},
    {ProgramMode::Recipe,
     "--recipe RECIPE.json --out DIR [--format jpg|bmp|gif|png|pnm|tga|tif|pcx] [--size original|working] "
     "PHOTO...",
     "      Decorates each PHOTO with the recipe's steps and exports it into DIR, at the photo's own\n"
     "      size (original, the default) or at the size the editor works on it (working, at most\n"
     "      1600 x 1200); --size wins over the recipe's \"size\".\n"},
    {ProgramMode::ImportResources, "--import-resources FILE.irs...",
     "      Imports editing-resource packages into the library, one line per package.\n"},
    {ProgramMode::Screenshot,
     "--screenshot FILE [--open PICTURE] [--steps RECIPE.json] [--size WxH] [--tab NAME] "
     "[--add-text WORDS] [--colour-popup 1|2] [--dialog NAME] [--save-recipe OUT.json]",
     "      Renders the main window to the PNG FILE without a display: with PICTURE listed and open,\n"
     "      edited by the steps of RECIPE.json, at WxH pixels, showing the tool panel NAME (frame,\n"
     "      mask, clipart, decoration, crop, tuning, text or brush), with WORDS added as a text\n"
     "      through the text panel, and with the palette of the text panel's first or second colour\n"
     "      open. With --dialog, renders the dialog NAME alone instead (batch, calendar, about or\n"
     "      import). With --save-recipe, also writes the edits as File > Save Edits as Recipe does.\n"},
};

void printHelp() {
    std::printf("%s %s, a photo decorating editor.\n\nUsage:\n", kProductName, kProductVersion);
    for (const ModeUsage& usage : kModes)
        std::printf("  pictovance %s\n%s\n", usage.arguments, usage.description);
    std::printf("  pictovance --help      Shows this text.\n"
                "  pictovance --version   Shows the version.\n"
                "\n"
                "The modes other than the editor itself need no display and leave a running editor alone.\n");
}

} // namespace

bool isUsageRequest(const QStringList& arguments) {
    return arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("--version"));
}

int runUsageRequest(const QStringList& arguments) {
    if (arguments.contains(QLatin1String("--help")))
        printHelp();
    else
        std::printf("%s %s\n", kProductName, kProductVersion);
    return 0;
}

void printUsageLine() {
    std::fprintf(stderr, "usage: pictovance [PICTURE... | --help | --version");
    for (const ModeUsage& usage : kModes) {
        if (usage.mode != ProgramMode::Editor)
            std::fprintf(stderr, " | %s", usage.arguments);
    }
    std::fprintf(stderr, "]\n");
}

void printUsageLine(ProgramMode mode) {
    for (const ModeUsage& usage : kModes) {
        if (usage.mode == mode)
            std::fprintf(stderr, "usage: pictovance %s\n", usage.arguments);
    }
}

} // namespace app
