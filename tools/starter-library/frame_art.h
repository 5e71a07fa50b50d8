#pragma once
// The starter frames. Each returns its picture with the photo hole cut: transparent exactly inside the
// hole, opaque on the ring of pixels around it, the hole centred (the photo is drawn about the frame's
// centre).

#include "starter_model.h"

#include <vector>

namespace starter {

std::vector<EntryRecipe> frameRecipes();

// Frames that are shaded mouldings.
StarterEntry carvedWoodFrame();
StarterEntry gildedFrame();
StarterEntry brushedSilverFrame();
StarterEntry passePartoutFrame();
StarterEntry chalkboardFrame();
// Frames of paper and card.
StarterEntry instantPhotoFrame();
StarterEntry roundedCardFrame();
StarterEntry tornPaperFrame();
StarterEntry stampFrame();
StarterEntry vintageFrame();
// Frames with printed or scattered decoration.
StarterEntry filmStripFrame();
StarterEntry confettiFrame();

// The finished entry: straight alpha, the hole made fully transparent.
StarterEntry finishedFrame(const QString& name, const QImage& canvas, const QRect& hole);

// A hole of the given border widths centred in a picture.
QRect centredHole(int width, int height, int borderX, int borderY);

} // namespace starter
