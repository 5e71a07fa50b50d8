#include "platform/leftover_files.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using testing_support::TempFolder;

namespace {

void touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
}

} // namespace

TEST(LeftoverFiles, OnlyTheTemporaryFilesOfAKilledRunGo) {
    TempFolder data;
    const QStringList leftovers{"Pictovance_tmp-a1B2c3.bmp", "ZorvathMedia.Xy12zQ", "EnglishLang_src.000aaa"};
    const QStringList kept{"ZorvathMedia",          "EnglishLang_src",     "photoframes",
                           "Res_Info",              "Res_Journal",         "photoframes.Ab12Cd",
                           "Pictovance_tmp.bmp",    "ZorvathMedia.backup1", "Pictovance_tmp-abc.bmp",
                           "holiday.jpg"};
    for (const QString& name : leftovers + kept)
        touch(data.file(name));
    QDir(data.path()).mkdir(QStringLiteral("ZorvathMedia.aaaaaa")); // a folder is never removed

    EXPECT_EQ(platform::removeLeftoverFiles(data.path()), 3);
    for (const QString& name : leftovers)
        EXPECT_FALSE(QFile::exists(data.file(name))) << name.toStdString();
    for (const QString& name : kept)
        EXPECT_TRUE(QFile::exists(data.file(name))) << name.toStdString();
    EXPECT_TRUE(QDir(data.file(QStringLiteral("ZorvathMedia.aaaaaa"))).exists());
    // A missing Data folder is nothing to clean.
    EXPECT_EQ(platform::removeLeftoverFiles(data.file(QStringLiteral("missing"))), 0);
}
