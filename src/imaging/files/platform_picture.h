#pragma once
// The drawing library's decoders: Qt's image readers, limited to the formats the platform's own
// picture library reads (BMP, GIF, JPEG, PNG, TIFF, ICO), recognised by their content. 16-bit bitmaps
// are read by our own bitmap decoder, which scales 5- and 6-bit channels to the full 0-255 range.

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QSize>
#include <QString>
#include <cstdint>
#include <span>

namespace imaging {

class PlatformPicture {
public:
    // Reads the file and asks the readers what it holds; nothing is decoded yet.
    explicit PlatformPicture(const QString& path);
    // Wraps bytes that stay alive as long as this object.
    explicit PlatformPicture(std::span<const std::uint8_t> bytes);
    PlatformPicture(const PlatformPicture&) = delete;
    PlatformPicture& operator=(const PlatformPicture&) = delete;

    // The drawing library recognised a picture of a format it reads, of a size within the decode limit.
    bool recognised() const { return recognised_; }
    QSize size() const { return size_; }
    // "jpeg", "png", "gif", "bmp", "tiff" or "ico" when recognised.
    const QByteArray& format() const { return format_; }
    // The file's bytes (empty for a missing file).
    std::span<const std::uint8_t> bytes() const;

    // Decodes the picture, without applying any EXIF orientation; a null image on failure.
    QImage read();

private:
    void inspect();
    QImage readOwnBitmap() const;

    QByteArray data_;
    QBuffer buffer_;
    QImageReader reader_;
    QByteArray format_;
    QSize size_;
    bool recognised_ = false;
    bool ownBitmap_ = false;
};

// The route rule: the drawing library decodes the file when it recognises it and the file is not
// named as a metafile (.wmf or .emf, any case); everything else goes to the image library. A guess of
// icon or cursor never claims a file named as a TGA, PCX or PNM picture: an uncompressed TGA starts
// with the same four bytes as a cursor file.
bool takesPlatformRoute(const PlatformPicture& picture, const QString& path);

} // namespace imaging
