#pragma once
// The record players behind decodeMetafile, and what they share.

#include "imaging/codecs/metafile/gdi_canvas.h"
#include "imaging/codecs/raster.h"

#include <QImage>
#include <QRectF>
#include <cstdint>
#include <optional>
#include <span>

namespace imaging::codecs {

// Records beyond this count are not played; a metafile that needs more is not clip art.
inline constexpr std::size_t kMaxMetafileRecords = 1'000'000;
// Object table slots (WMF indices are 16-bit; EMF tables beyond this are refused slot by slot).
inline constexpr std::size_t kMaxMetafileObjects = 65'536;

// How a play ended: every record read, or the first record whose size does not fit the data.
enum class PlayEnd { Complete, Truncated, Corrupt };

// The window (origin and extent) of a plain WMF's records: the first SetWindowOrg and SetWindowExt.
std::optional<QRectF> wmfWindow(std::span<const std::uint8_t> records);

// Plays the records that follow the WMF header on `canvas`.
PlayEnd playWmf(std::span<const std::uint8_t> records, GdiCanvas& canvas);

// Plays a whole EMF (header record first) on `canvas`.
PlayEnd playEmf(std::span<const std::uint8_t> file, GdiCanvas& canvas);

// A device-independent bitmap from an info header (with palette or masks) and its rows (or a packed
// block when `bits` is empty); null when the bitmap cannot be read. `premultiplied` for AlphaBlend sources,
// whose colours are premultiplied.
QImage dibImage(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits, bool premultiplied);

// A 0x00BBGGRR colour value.
QColor colorRef(std::uint32_t value);

} // namespace imaging::codecs
