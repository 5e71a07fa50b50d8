#pragma once

#include <QStringList>

namespace app {

// "pictovance --screenshot FILE [--open PICTURE] [--steps RECIPE.json] [--size WxH] [--tab NAME]
// [--add-text WORDS] [--colour-popup 1|2] [--dialog NAME] [--save-recipe OUT.json]": starts the editor
// offscreen through the normal start-up, optionally lists and opens a picture, edits it by a recipe's
// steps, shows a tool panel, adds a text through the text panel and opens a text colour's palette, then
// renders the main window (with an open palette over it), or with --dialog one of its dialogs alone, to a
// PNG (and with --save-recipe the edits as a recipe, as File > Save Edits as Recipe writes them) and
// exits. It neither hands over to nor blocks a running editor; it reads the editor's photo list and
// library but writes nothing besides the PNG and the recipe outside a scratch folder of its own. An
// unknown "--" word is refused with the usage line and exit status 2.
bool isScreenshotCommand(const QStringList& arguments);
int runScreenshotCommand(int argc, char** argv, const QStringList& arguments);

} // namespace app
