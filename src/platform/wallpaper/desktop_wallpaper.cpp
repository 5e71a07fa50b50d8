#include "platform/wallpaper/desktop_wallpaper.h"

#include "platform/wallpaper/wallpaper_backends.h"

#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>

namespace platform {

namespace {

DesktopKind desktopFromName(const QString& name) {
    const QString lower = name.trimmed().toLower();
    if (lower == QLatin1String("kde") || lower.startsWith(QLatin1String("plasma")))
        return DesktopKind::Kde;
    if (lower == QLatin1String("x-cinnamon") || lower == QLatin1String("cinnamon"))
        return DesktopKind::Cinnamon;
    if (lower == QLatin1String("mate"))
        return DesktopKind::Mate;
    if (lower.startsWith(QLatin1String("xfce")))
        return DesktopKind::Xfce;
    // GNOME and the desktops built on its settings: Unity, Budgie, Pantheon and the distributions' own
    // names for a GNOME session.
    for (const char* gnome : {"gnome", "unity", "budgie", "pantheon", "ubuntu", "pop"})
        if (lower.startsWith(QLatin1String(gnome)))
            return DesktopKind::Gnome;
    return DesktopKind::Unknown;
}

const QString kDesktopField = QStringLiteral("desktop");
const QString kStateField = QStringLiteral("state");

QString failure(const QString& what, const QString& why) {
    return what + QLatin1Char('\n') + why;
}

} // namespace

DesktopKind detectDesktop(const QProcessEnvironment& environment) {
    for (const QString& name :
         environment.value(QStringLiteral("XDG_CURRENT_DESKTOP")).split(QLatin1Char(':')))
        if (const DesktopKind desktop = desktopFromName(name); desktop != DesktopKind::Unknown)
            return desktop;
    for (const char* variable : {"XDG_SESSION_DESKTOP", "DESKTOP_SESSION"})
        if (const DesktopKind desktop = desktopFromName(environment.value(QLatin1String(variable)));
            desktop != DesktopKind::Unknown)
            return desktop;
    if (environment.value(QStringLiteral("KDE_FULL_SESSION")) == QLatin1String("true"))
        return DesktopKind::Kde;
    if (environment.contains(QStringLiteral("MATE_DESKTOP_SESSION_ID")))
        return DesktopKind::Mate;
    if (environment.contains(QStringLiteral("GNOME_DESKTOP_SESSION_ID")))
        return DesktopKind::Gnome;
    return DesktopKind::Unknown;
}

DesktopSession DesktopSession::current() {
    return {std::make_unique<ProcessToolRunner>(), QProcessEnvironment::systemEnvironment()};
}

QString desktopName(DesktopKind desktop) {
    switch (desktop) {
    case DesktopKind::Gnome:
        return QStringLiteral("GNOME");
    case DesktopKind::Cinnamon:
        return QStringLiteral("Cinnamon");
    case DesktopKind::Mate:
        return QStringLiteral("MATE");
    case DesktopKind::Xfce:
        return QStringLiteral("Xfce");
    case DesktopKind::Kde:
        return QStringLiteral("KDE Plasma");
    case DesktopKind::Unknown:
        break;
    }
    return QStringLiteral("unknown");
}

DesktopWallpaper::DesktopWallpaper(DesktopKind desktop, ToolRunner& tools, QString memoryFile)
    : desktop_(desktop), backend_(makeWallpaperBackend(desktop, tools)), memoryFile_(std::move(memoryFile)) {}

DesktopWallpaper::~DesktopWallpaper() = default;

WallpaperReport DesktopWallpaper::show(const QString& picture) {
    using Result = WallpaperReport::Result;
    if (!backend_)
        return {Result::ByHand,
                QStringLiteral("Your desktop was not recognised, so the wallpaper could not be set for you.\n"
                               "The picture is saved as:\n%1\n"
                               "Choose it as the wallpaper in your desktop's settings.")
                    .arg(picture)};
    const QString what = QStringLiteral("The wallpaper could not be set.");
    QJsonObject current;
    QString error;
    if (!backend_->read(current, error))
        return {Result::Failed, failure(what, error)};
    // Setting it a second time must not remember our own picture as the one to come back to.
    const bool keptPrevious = backend_->shows(current, picture) || remember(current);
    if (!backend_->show(picture, error))
        return {Result::Failed, failure(what, error)};
    // The tools report success when a request was only passed on: believe what the desktop shows.
    if (!showsNow(picture, true, error))
        return {Result::Failed, failure(what, error)};
    if (!keptPrevious)
        return {Result::Done,
                QStringLiteral("The wallpaper is set, but the one shown before could not be noted "
                               "in %1, so removing it will leave the desktop without a picture.")
                    .arg(memoryFile_)};
    return {};
}

WallpaperReport DesktopWallpaper::takeOff(const QString& picture) {
    using Result = WallpaperReport::Result;
    if (!backend_)
        return {
            Result::ByHand,
            QStringLiteral("Your desktop was not recognised, so the wallpaper could not be removed for you.\n"
                           "If it shows %1, choose another wallpaper in your desktop's settings.")
                .arg(picture)};
    const QString what = QStringLiteral("The wallpaper could not be removed.");
    QJsonObject current;
    QString error;
    if (!backend_->read(current, error))
        return {Result::Failed, failure(what, error)};
    if (!backend_->shows(current, picture)) {
        // The user chose another wallpaper since: that choice stays, and ours is forgotten.
        QFile::remove(memoryFile_);
        return {
            Result::Done,
            QStringLiteral("The desktop does not show the program's wallpaper, so it was left as it is.")};
    }
    const std::optional<QJsonObject> previous = remembered();
    const bool done = previous ? backend_->restore(*previous, error) : backend_->clear(error);
    if (!done || !showsNow(picture, false, error))
        return {Result::Failed, failure(what, error)};
    QFile::remove(memoryFile_);
    return {};
}

bool DesktopWallpaper::showsNow(const QString& picture, bool expected, QString& error) {
    QJsonObject state;
    if (!backend_->read(state, error))
        return false;
    if (backend_->shows(state, picture) == expected)
        return true;
    error = expected ? QStringLiteral("The desktop did not take the new picture.")
                     : QStringLiteral("The desktop still shows the program's picture.");
    return false;
}

bool DesktopWallpaper::remember(const QJsonObject& state) {
    QSaveFile file(memoryFile_);
    const QJsonObject memory{{kDesktopField, desktopName(desktop_)}, {kStateField, state}};
    return file.open(QIODevice::WriteOnly) && file.write(QJsonDocument(memory).toJson()) >= 0 &&
           file.commit();
}

std::optional<QJsonObject> DesktopWallpaper::remembered() const {
    QFile file(memoryFile_);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // A note from another desktop (the user switched sessions) does not fit this one.
    const QJsonObject memory = QJsonDocument::fromJson(file.read(1 << 20)).object();
    if (memory.value(kDesktopField).toString() != desktopName(desktop_) ||
        !memory.value(kStateField).isObject())
        return std::nullopt;
    return memory.value(kStateField).toObject();
}

} // namespace platform
