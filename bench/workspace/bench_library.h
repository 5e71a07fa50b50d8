#pragma once
// The library the decorated benchmarks place from: a 1200 × 900 frame, a 1024 × 768 mask, 20 cliparts of
// about 180 × 180 and a 1600 × 1200 decoration, written as the library's list files.

#include <QImage>
#include <QString>

// Writes the list files into the Data folder `dataFolder` (with its trailing separator).
void writeBenchLibrary(const QString& dataFolder);
// A 64 × 64 soft round brush tip.
QImage benchBrushTip();
