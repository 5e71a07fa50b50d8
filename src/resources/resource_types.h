#pragma once
// The vocabulary shared by the resource files, the packages and the browser lists.

#include <QString>
#include <cmath>
#include <cstdint>
#include <optional>

namespace resources {

// The categories as packages number them.
enum class ResourceCategory : std::int32_t {
    Frames = 0,
    Masks = 1,
    Cliparts = 2,
    Decorations = 3,
    Brushes = 4,
};

// A category code from a file, or none when it names no category.
constexpr std::optional<ResourceCategory> categoryFromCode(std::int32_t code) {
    if (code < 0 || code > 4)
        return std::nullopt;
    return static_cast<ResourceCategory>(code);
}

// The opening of a frame where the photo shows through, as fractions of the frame picture's width (left,
// right) and height (top, bottom), measured from its top-left corner.
struct PhotoHole {
    float left = 0.0f;
    float top = 0.0f;
    float right = 1.0f;
    float bottom = 1.0f;

    bool operator==(const PhotoHole&) const = default;
    // Inside the picture and not empty, so the photo always has a size to be cropped to.
    bool valid() const {
        return std::isfinite(left) && std::isfinite(top) && std::isfinite(right) && std::isfinite(bottom) &&
               left >= 0.0f && top >= 0.0f && right <= 1.0f && bottom <= 1.0f && left < right && top < bottom;
    }
};

// The files of the Data folder.
namespace files {
inline const QString kFrames = QStringLiteral("photoframes");
inline const QString kFrameThumbnails = QStringLiteral("photoframes_t");
inline const QString kMasks = QStringLiteral("photomasks");
inline const QString kMaskThumbnails = QStringLiteral("photomasks_t");
inline const QString kDecorations = QStringLiteral("decorate");
inline const QString kDecorationThumbnails = QStringLiteral("decorate_t");
inline const QString kCliparts = QStringLiteral("cliparts");
inline const QString kBrushTips = QStringLiteral("brushs");
inline const QString kPackageRegister = QStringLiteral("Res_Info");
} // namespace files

// Where a category's pictures are kept: the raw list the browser shows and, for frames, masks and
// decorations, the file of full-size encoded pictures (empty for cliparts and brush tips, whose raw
// entry is the resource itself).
struct CategoryFiles {
    QString rawList;
    QString pictures;
};

inline CategoryFiles filesOf(ResourceCategory category) {
    switch (category) {
    case ResourceCategory::Frames:
        return {files::kFrameThumbnails, files::kFrames};
    case ResourceCategory::Masks:
        return {files::kMaskThumbnails, files::kMasks};
    case ResourceCategory::Cliparts:
        return {files::kCliparts, {}};
    case ResourceCategory::Decorations:
        return {files::kDecorationThumbnails, files::kDecorations};
    case ResourceCategory::Brushes:
        return {files::kBrushTips, {}};
    }
    return {};
}

// Only frames carry a photo hole; only these three categories keep full-size pictures.
constexpr bool carriesHole(ResourceCategory category) {
    return category == ResourceCategory::Frames;
}
constexpr bool keepsPictures(ResourceCategory category) {
    return category == ResourceCategory::Frames || category == ResourceCategory::Masks ||
           category == ResourceCategory::Decorations;
}

// Limits every reader and the importer hold a file to, so a damaged or hostile file never makes the
// editor allocate more than a few hundred megabytes. A resource is drawn at every composition, so its
// pictures are also held to the sizes a decoration needs: raw entries (cliparts, brush tips and every
// thumbnail) to kMaxRawSide on a side, the full-size pictures of frames, masks and decorations to
// kMaxPictureSide.
inline constexpr std::int32_t kMaxRawSide = 4096;
inline constexpr std::int32_t kMaxPictureSide = 8192;
// Entries of one list file that are ever read; the browser keeps every one of them in memory.
inline constexpr std::int32_t kMaxListEntries = 100'000;
inline constexpr std::int64_t kMaxEncodedBytes = std::int64_t{256} << 20;

// True when a raw entry of this size is acceptable (sides of 1 to kMaxRawSide).
constexpr bool rawSizeAcceptable(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= kMaxRawSide && height <= kMaxRawSide;
}

// True when a full-size picture of this size is acceptable (sides of 1 to kMaxPictureSide).
constexpr bool pictureSizeAcceptable(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide;
}

} // namespace resources
