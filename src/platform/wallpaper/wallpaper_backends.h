#pragma once
// One desktop's way of reading, setting and restoring its wallpaper, through its own command-line tool.
// Used by DesktopWallpaper; each call says what went wrong in `error` when it returns false.

#include "platform/wallpaper/desktop_wallpaper.h"

#include <QJsonObject>
#include <QString>
#include <memory>

namespace platform {

class WallpaperBackend {
public:
    virtual ~WallpaperBackend() = default;
    // The wallpaper shown now, in the form restore() takes back.
    virtual bool read(QJsonObject& state, QString& error) = 0;
    // True when `state` (from read()) shows `picture`.
    virtual bool shows(const QJsonObject& state, const QString& picture) const = 0;
    virtual bool show(const QString& picture, QString& error) = 0;
    virtual bool restore(const QJsonObject& state, QString& error) = 0;
    // Leaves the desktop without a wallpaper picture.
    virtual bool clear(QString& error) = 0;
};

// Nothing for a desktop we cannot reach.
std::unique_ptr<WallpaperBackend> makeWallpaperBackend(DesktopKind desktop, ToolRunner& tools);

// A text in GVariant's text form, as gsettings reads and prints it: 'it\'s' for it's.
QString gvariantString(const QString& text);
// The text of a GVariant string as gsettings prints it ('...' or "..." with backslash escapes); empty
// for anything else.
QString gvariantStringValue(const QString& printed);

} // namespace platform
