#pragma once
// The drawing library's picture encoders, chosen by file name or MIME type.

#include <QImage>
#include <QString>
#include <QUuid>

namespace imaging {

// Status codes of a save, numbered as the platform's drawing library numbers them.
enum class EncoderStatus : int {
    Ok = 0,
    GenericError = 1, // no encoder was chosen, or it could not encode the picture
    Win32Error = 7,   // the file could not be written
};

// One per save. Encoders, in the order they are searched: BMP, JPEG, GIF, TIFF, PNG.
class ImageEncoder {
public:
    // Chooses the encoder for a file name (by the text from its last ".", lower-cased: Photo.JPG looks
    // for "*.jpg" in the encoders' extension lists) or for a MIME type ("image/jpeg", matched exactly).
    // Resets the quality to 90. valid() tells whether an encoder was found.
    void Find(const QString& nameOrMimeType);
    void SetQuality(int quality) { quality_ = quality; }
    // Encodes the picture (JPEG with the quality, the others without parameters) and puts the file in
    // place of any earlier one; a failure leaves the earlier file as it was.
    EncoderStatus Save(const QImage& picture, const QString& path) const;

    bool valid() const { return valid_; }
    const QUuid& classId() const { return classId_; }
    const QString& mimeType() const { return mimeType_; }
    int quality() const { return quality_; }

private:
    QUuid classId_;
    bool valid_ = false;
    QString mimeType_;
    int quality_ = 90;
};

} // namespace imaging
