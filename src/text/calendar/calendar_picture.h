#pragma once
// Drawing the month calendar in engraved lettering, and turning the drawing into the picture with alpha
// that is placed on the photo: white becomes transparent, the two engraving greys opaque and the
// anti-aliased fringes between them half transparent.

#include "text/calendar/month_calendar.h"

#include <QImage>
#include <cstdint>
#include <span>
#include <vector>

namespace text {

// The engraving: each text is drawn dark, then light one pixel down and right.
inline constexpr QRgb kEngraveDark = 0xFF0A0A0A;
inline constexpr QRgb kEngraveLight = 0xFFDCDCDC;

// Draws the month into `target` (the calendar's back buffer; its size is the client size): white
// ground, the centred title, the weekday labels and the days of the month right-aligned in their cells.
// With `scale`, the calendar of target's size / scale drawn that many times larger: the same layout, its
// lettering drawn at the larger size rather than enlarged.
void drawMonthCalendar(QImage& target, CalendarMonth shown, double scale = 1);

// Alpha of one exported pixel by the sum of its red, green and blue: 255 for the two engraving greys,
// 0 for white, 128 for every other colour.
std::uint8_t calendarAlpha(int red, int green, int blue);

// Writes the width × height picture into `out` (4 bytes a pixel: blue, green, red, alpha; rows top down)
// from the back buffer's pixels; a position outside the back buffer counts as white. False, writing
// nothing, when `out` is smaller than width × height × 4 bytes or a side is not positive.
bool exportCalendarPicture(const QImage& backBuffer, int width, int height, std::span<std::uint8_t> out);

// The picture the calendar dialog's OK gives for this month: 260 × 260 from a calendar of that size cut
// to whole columns. Empty when no back buffer could be had.
std::vector<std::uint8_t> calendarPictureOf(CalendarMonth shown);

// The same picture drawn `scale` times larger, round(260 × scale) pixels square (at least one), as a
// 32-bit picture with straight alpha (QImage::Format_ARGB32). Null when no picture could be had.
QImage scaledCalendarPicture(CalendarMonth shown, double scale);

} // namespace text
