#pragma once
// The font faces a text can be set in: the installed families, as fontconfig lists them.

#include <QStringList>

namespace text {

// The installed families with outline glyphs (bitmap and colour-bitmap fonts cannot be drawn as the
// path-based styles need), put through listableFaces.
QStringList installedFontFaces();

// The names worth listing, sorted without regard to case and without repeats: vertical faces (named
// with a leading "@") and names too long for a font record's face field are left out.
QStringList listableFaces(const QStringList& families);

} // namespace text
