#include "platform/folders.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using platform::Folders;
using testing_support::TempFolder;

TEST(Folders, DataFolderIsCreatedAtEveryLookupAndEndsInASeparator) {
    TempFolder program;
    const Folders folders(program.path());
    const QString data = folders.GetDataFolder();
    EXPECT_EQ(data, program.path() + "/Data/");
    EXPECT_TRUE(QFileInfo(data).isDir());

    ASSERT_TRUE(QDir(data).removeRecursively());
    EXPECT_FALSE(QFileInfo::exists(data));
    EXPECT_EQ(folders.GetDataFolder(), data); // nothing cached: the folder comes back
    EXPECT_TRUE(QFileInfo(data).isDir());
    EXPECT_TRUE(folders.dataFolderAvailable());
}

TEST(Folders, DataFolderBlockedByAFileIsReportedUnavailable) {
    TempFolder program;
    ASSERT_TRUE(program.write("Data", "not a folder"));
    const Folders folders(program.path());
    EXPECT_FALSE(folders.dataFolderAvailable());
}

TEST(Folders, TempFolderEndsInASeparator) {
    EXPECT_TRUE(Folders::tempFolder().endsWith('/'));
}
