#pragma once
// Pictures for looking the starter library over: one contact sheet of every entry in use, and full-size
// previews of frames around a photo with close-ups of the hole's edge.

#include "starter_model.h"

#include <QImage>
#include <QString>

namespace starter {

QImage contactSheet(const StarterLibrary& library);

// Writes into the folder, for a 1600 × 1200 photo composed as the workspace does: "frame-NN.png" with
// "frame-NN-corner.png" (the top-left corner of its hole at full size), "mask-NN.png" and
// "decoration-NN.png". False with `reason` set when a file cannot be written.
bool writePreviews(const StarterLibrary& library, const QString& folder, QString& reason);

} // namespace starter
