#include "support/temp_folder.h"

#include <QFile>

namespace testing_support {

TempFolder::TempFolder() : dir_(QDir::tempPath() + QStringLiteral("/pictovance-test-XXXXXX")) {}

bool TempFolder::write(const QString& name, const QByteArray& bytes) const {
    QFile file(this->file(name));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray TempFolder::read(const QString& name) const {
    QFile file(this->file(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace testing_support
