#include "imaging/save_picture.h"

#include "imaging/codecs/raster.h"
#include "imaging/format_codes.h"
#include "imaging/image_encoder.h"
#include "imaging/image_holder.h"

#include <QFile>
#include <QImage>
#include <array>

namespace imaging {

namespace {

bool encoderRoute(const QString& extension) {
    static const std::array<QLatin1String, 5> extensions{QLatin1String("jpg"), QLatin1String("jpeg"),
                                                         QLatin1String("gif"), QLatin1String("bmp"),
                                                         QLatin1String("png")};
    return std::find(extensions.begin(), extensions.end(), extension) != extensions.end();
}

// Removes the hand-over bitmap however the save ends.
class TemporaryFile {
public:
    explicit TemporaryFile(QString path) : path_(std::move(path)) {}
    ~TemporaryFile() { QFile::remove(path_); }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const QString& path() const { return path_; }

private:
    QString path_;
};

} // namespace

Outcome SavePicture(const QString& path, const std::uint8_t* pixels, int width, int height,
                    const QString& extension, const QString& dataFolder) {
    if (pixels == nullptr || !pixelCountAcceptable(width, height))
        return Outcome::failure("no picture to save");
    // The caller's buffer is the bitmap's memory: no copy is made.
    const QImage bitmap(pixels, width, height, static_cast<qsizetype>(width) * 3, QImage::Format_BGR888);
    ImageEncoder encoder;
    if (encoderRoute(extension)) {
        encoder.Find(path);
        encoder.SetQuality(90);
        const EncoderStatus status = encoder.Save(bitmap, path);
        if (status != EncoderStatus::Ok)
            return Outcome::failure(status == EncoderStatus::Win32Error ? "cannot write the file"
                                                                        : "the encoder refused the picture");
        return Outcome::success();
    }

    const int formatCode = ImageTypeFromExtension(extension);
    if (formatCode == kFormatUnknown)
        return Outcome::failure("unknown picture format ." + extension.toStdString());
    TemporaryFile handOver(dataFolder + QLatin1String(kTempBitmapName));
    encoder.Find(handOver.path());
    if (encoder.Save(bitmap, handOver.path()) != EncoderStatus::Ok)
        return Outcome::failure("cannot write the temporary bitmap in the Data folder");
    ImageHolder holder;
    const Outcome loaded = holder.Load(handOver.path());
    if (!loaded)
        return loaded;
    return holder.Image()->save(path, formatCode);
}

} // namespace imaging
