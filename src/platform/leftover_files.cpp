#include "platform/leftover_files.h"

#include <QDir>
#include <QRegularExpression>

namespace platform {

int removeLeftoverFiles(const QString& dataFolder) {
    // The six characters are the unique part a temporary file gets in place of its template's XXXXXX.
    static const QRegularExpression leftover(
        QStringLiteral("^(Pictovance_tmp-[A-Za-z0-9]{6}\\.bmp|(ZorvathMedia|EnglishLang_src)\\.[A-Za-z0-9]{6})$"));
    QDir folder(dataFolder);
    int removed = 0;
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden))
        if (leftover.match(name).hasMatch() && folder.remove(name))
            ++removed;
    return removed;
}

} // namespace platform
