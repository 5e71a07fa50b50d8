#pragma once
// Putting a picture on the Linux desktop and taking it off again, through the desktop's own settings
// tools: GNOME and its derivatives (gsettings, light and dark picture keys), Cinnamon and MATE (their
// gsettings schemas), XFCE (xfconf-query) and KDE Plasma (its scripting interface on the session bus,
// reached with dbus-send). The desktop in use is recognised from the session's environment.

#include "platform/wallpaper/tool_runner.h"

#include <QJsonObject>
#include <QProcessEnvironment>
#include <QString>
#include <memory>
#include <optional>

namespace platform {

// The wallpaper picture, in the user's data folder, and the note of the wallpaper shown before it.
inline constexpr char kWallpaperFileName[] = "Quorix Pictovance Wallpaper.bmp";
inline constexpr char kWallpaperMemoryFileName[] = "Quorix Pictovance Wallpaper.previous";

enum class DesktopKind { Unknown, Gnome, Cinnamon, Mate, Xfce, Kde };

// From XDG_CURRENT_DESKTOP (its first recognised entry), then XDG_SESSION_DESKTOP and DESKTOP_SESSION,
// then the desktops' own session variables.
DesktopKind detectDesktop(const QProcessEnvironment& environment);
// For messages: "GNOME", "KDE Plasma", ...
QString desktopName(DesktopKind desktop);

// The desktop session the program runs in: its environment and the way its tools are run. Tests put a
// recording runner and an environment of their choosing here.
struct DesktopSession {
    std::unique_ptr<ToolRunner> tools;
    QProcessEnvironment environment;

    // The real session: QProcess and this process's environment.
    static DesktopSession current();
    DesktopKind kind() const { return detectDesktop(environment); }
};

struct WallpaperReport {
    enum class Result {
        Done,   // the desktop did what was asked (a message may still tell something)
        ByHand, // the desktop is not one we can reach: the message tells the user what to do
        Failed, // nothing or not all was done: the message says why
    };
    Result result = Result::Done;
    QString message; // for the user; empty when there is nothing to say
};

class WallpaperBackend;

class DesktopWallpaper {
public:
    // `memoryFile` keeps the wallpaper that was shown before ours, from show() to takeOff(), also across
    // runs.
    DesktopWallpaper(DesktopKind desktop, ToolRunner& tools, QString memoryFile);
    ~DesktopWallpaper();
    DesktopWallpaper(const DesktopWallpaper&) = delete;
    DesktopWallpaper& operator=(const DesktopWallpaper&) = delete;

    // Shows `picture` as the wallpaper, remembering the wallpaper shown until now unless it is already
    // ours.
    WallpaperReport show(const QString& picture);
    // Takes `picture` off the desktop: the remembered wallpaper comes back, or, when none was remembered,
    // the desktop is left without a picture. A desktop that shows something else now is left alone.
    WallpaperReport takeOff(const QString& picture);

private:
    // Reads the desktop again: true when it shows `picture` exactly when `expected` says so.
    bool showsNow(const QString& picture, bool expected, QString& error);
    bool remember(const QJsonObject& state);
    std::optional<QJsonObject> remembered() const;

    DesktopKind desktop_;
    std::unique_ptr<WallpaperBackend> backend_;
    QString memoryFile_;
};

} // namespace platform
