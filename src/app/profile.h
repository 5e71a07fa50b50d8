#pragma once

#include <QString>

namespace app {

// The editor's INI profile (the user's configuration folder, "Quorix/Pictovance Dazazizu.ini").
QString profilePath();
bool writeProfileString(const QString& section, const QString& key, const QString& value);
QString readProfileString(const QString& section, const QString& key);

} // namespace app
