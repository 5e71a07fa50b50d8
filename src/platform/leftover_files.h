#pragma once
// What an editor that was killed can leave in its Data folder: the picture handed to the encoder during a
// save ("Pictovance_tmp-XXXXXX.bmp", a full-size bitmap each) and the temporary twins of the photo list
// store and the language file written beside them. No run ever reads them, so the next editor removes
// them at its start, while it holds the instance lock: no other editor can be writing them then, and the
// headless modes write theirs into a scratch folder of their own.

#include <QString>

namespace platform {

// Removes those files from `dataFolder` (with or without a trailing separator); returns how many went.
int removeLeftoverFiles(const QString& dataFolder);

} // namespace platform
