#pragma once
// The picture of the brush cursor, drawn from the chosen tip so the user sees where the paint will land.

#include <QImage>
#include <cstdint>

namespace workspace {

// Cursors larger than this are shown at this size: window systems refuse bigger ones.
inline constexpr int kMaxBrushCursorSide = 256;

// The tip's shape `width` screen pixels wide (its height in proportion), turned clockwise by `angle`
// degrees, filled half transparent with `colour` (0x00BBGGRR) and outlined dark inside light so it shows on
// any photo, with a small cross on its centre. The hot spot is the centre pixel (width / 2, height / 2).
// A null tip gives a null picture.
QImage brushCursorPicture(const QImage& tip, double width, int angle, std::uint32_t colour);

} // namespace workspace
