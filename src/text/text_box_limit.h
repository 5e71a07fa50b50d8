#pragma once
// How much text the text panel's box takes: no more than a text record stores, 999 bytes of UTF-8 and
// the terminator, so that what the box shows is all that the canvas draws. That is 999 plain letters,
// fewer for letters that take more than one byte.

#include <QStringView>

namespace text {

// True when the whole text fits a text record.
bool fitsTextBox(QStringView text);

// How many UTF-16 units at the start of `inserted` can go between `before` and `after` (the text on
// either side of the insertion) with the whole still fitting a record. A surrogate pair is never split.
qsizetype fittingInsertion(QStringView before, QStringView inserted, QStringView after);

} // namespace text
