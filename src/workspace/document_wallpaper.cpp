// The desktop wallpaper from the photo area.
#include "imaging/files/image_encoder.h"
#include "platform/wallpaper/desktop_wallpaper.h"
#include "workspace/document.h"

namespace workspace {

platform::WallpaperReport WorkspaceDocument::SetWallpaper(int action, platform::DesktopWallpaper& desktop,
                                                          const QString& picture) {
    if (action == 1)
        return desktop.takeOff(picture);
    if (action != 0)
        return {};
    // The wallpaper shows the photo area as edited; Undo brings the objects back. A composition that
    // could not be drawn leaves the desktop as it is (the listener has told why).
    if (!FlattenIntoPhoto(false))
        return {platform::WallpaperReport::Result::Failed, {}};
    const QImage bitmap(photo_.bgr.data(), photo_.width, photo_.height,
                        static_cast<qsizetype>(photo_.stride()), QImage::Format_BGR888);
    imaging::ImageEncoder encoder;
    encoder.Find(picture);
    encoder.SetQuality(90);
    // A picture that is not there must not be handed to the desktop.
    if (const imaging::EncoderStatus status = encoder.Save(bitmap, picture);
        status != imaging::EncoderStatus::Ok)
        return {platform::WallpaperReport::Result::Failed,
                QStringLiteral("The wallpaper picture could not be written to %1.\n%2")
                    .arg(picture, status == imaging::EncoderStatus::Win32Error
                                      ? QStringLiteral("The file or its folder cannot be written.")
                                      : QStringLiteral("The picture could not be encoded."))};
    return desktop.show(picture);
}

} // namespace workspace
