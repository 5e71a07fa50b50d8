#include "imaging/files/save_picture.h"

#include "imaging/codecs/raster.h"
#include "imaging/files/format_codes.h"
#include "imaging/files/image_encoder.h"
#include "imaging/image_holder.h"

#include <QImage>
#include <QTemporaryFile>
#include <array>

namespace imaging {

namespace {

bool encoderRoute(const QString& extension) {
    static const std::array<QLatin1String, 5> extensions{QLatin1String("jpg"), QLatin1String("jpeg"),
                                                         QLatin1String("gif"), QLatin1String("bmp"),
                                                         QLatin1String("png")};
    return std::find(extensions.begin(), extensions.end(), extension) != extensions.end();
}

// A hand-over bitmap of this save's own: the name is reserved by creating the file, and the file is
// removed however the save ends.
class HandOverFile {
public:
    explicit HandOverFile(const QString& folder) : file_(folder + QLatin1String(kTempBitmapPattern)) {
        reserved_ = file_.open();
        file_.close();
    }
    bool reserved() const { return reserved_; }
    QString path() const { return file_.fileName(); }

private:
    QTemporaryFile file_;
    bool reserved_ = false;
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
    const HandOverFile handOver(dataFolder);
    encoder.Find(handOver.path());
    if (!handOver.reserved() || encoder.Save(bitmap, handOver.path()) != EncoderStatus::Ok)
        return Outcome::failure("cannot write the temporary bitmap in the Data folder");
    ImageHolder holder;
    const Outcome loaded = holder.Load(handOver.path());
    if (!loaded)
        return loaded;
    return holder.Image()->save(path, formatCode);
}

} // namespace imaging
