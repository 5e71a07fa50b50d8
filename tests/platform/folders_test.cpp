#include "platform/folders.h"
#include "platform/scratch_folder.h"
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

TEST(Folders, AHeadlessRunReadsTheProgramsFoldersAndWritesOnlyInItsScratchFolder) {
    TempFolder program;
    const Folders editor(program.path());
    EXPECT_EQ(editor.undoFileFolder(), program.path());
    EXPECT_EQ(editor.workingDataFolder(), editor.GetDataFolder());

    QString scratchPath;
    {
        const platform::ScratchFolder scratch;
        ASSERT_TRUE(scratch.isValid());
        scratchPath = scratch.path();
        EXPECT_TRUE(scratchPath.endsWith('/'));
        const Folders headless = scratch.folders(editor);
        EXPECT_EQ(headless.programFolder(), program.path());
        EXPECT_EQ(headless.GetDataFolder(), editor.GetDataFolder());
        EXPECT_EQ(headless.undoFileFolder() + '/', scratchPath);
        EXPECT_EQ(headless.workingDataFolder(), scratchPath);
        ASSERT_TRUE(QFile(scratchPath + "written").open(QIODevice::WriteOnly));
    }
    EXPECT_FALSE(QFileInfo::exists(scratchPath)); // gone with what was written in it
}

TEST(Folders, AHeadlessRunKeepsTheUsersDataFolderInItsScratchFolder) {
    TempFolder program;
    TempFolder user;
    const Folders editor(program.path(), user.path());
    const platform::ScratchFolder scratch;
    ASSERT_TRUE(scratch.isValid());
    const Folders headless = scratch.folders(editor);
    // What the editor keeps for the user (the wallpaper picture) is written in the scratch folder only.
    EXPECT_EQ(headless.userDataFolder(), scratch.path());
    EXPECT_EQ(headless.documentsFolder(), editor.documentsFolder());
    EXPECT_TRUE(QDir(user.path()).isEmpty());
    EXPECT_EQ(editor.userDataFolder(), user.path() + "/share/Quorix/Pictovance Dazazizu/");
    EXPECT_TRUE(QFileInfo(editor.userDataFolder()).isDir());
}
