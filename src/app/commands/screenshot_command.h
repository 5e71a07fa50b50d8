#pragma once

#include <QStringList>

namespace app {

// "pictovance --screenshot FILE [--open PICTURE] [--size WxH]": starts the editor offscreen through the
// normal start-up, optionally opens a picture, renders the main window to a PNG and exits. It neither
// hands over to nor blocks a running editor, and writes nothing back on exit.
bool isScreenshotCommand(const QStringList& arguments);
int runScreenshotCommand(int argc, char** argv, const QStringList& arguments);

} // namespace app
