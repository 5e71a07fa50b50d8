#include "app/profile.h"

#include <QSettings>

namespace app {

namespace {
QSettings openProfile() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quorix"),
                     QStringLiteral("Pictovance Dazazizu"));
}
} // namespace

QString profilePath() {
    return openProfile().fileName();
}

bool writeProfileString(const QString& section, const QString& key, const QString& value) {
    QSettings profile = openProfile();
    profile.setValue(section + QLatin1Char('/') + key, value);
    profile.sync();
    return profile.status() == QSettings::NoError;
}

QString readProfileString(const QString& section, const QString& key) {
    return openProfile().value(section + QLatin1Char('/') + key).toString();
}

} // namespace app
