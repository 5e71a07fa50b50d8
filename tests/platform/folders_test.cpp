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

TEST(Folders, AnInstalledProgramReadsItsShareFolderAndWritesOnlyInTheUsersDataFolder) {
    TempFolder prefix;
    TempFolder user;
    ASSERT_TRUE(QDir(prefix.path()).mkpath("bin"));
    ASSERT_TRUE(QDir(prefix.path()).mkpath("share/pictovance/Help"));
    ASSERT_TRUE(QDir(prefix.path()).mkpath("share/pictovance/Starter"));
    const Folders installed = Folders::forProgramFolder(prefix.file("bin"), user.path());
    EXPECT_EQ(installed.dataPlace(), platform::DataPlace::UserDataFolder);
    EXPECT_EQ(installed.shippedFolder("Help"), prefix.file("share/pictovance/Help"));
    EXPECT_EQ(installed.shippedFolder("Starter"), prefix.file("share/pictovance/Starter"));

    const QString userData = user.path() + "/share/Quorix/Pictovance Dazazizu";
    // Named without being made, for a run that only reads.
    EXPECT_EQ(installed.dataFolderPath(), userData + "/Data/");
    EXPECT_TRUE(QDir(user.path()).isEmpty());
    EXPECT_EQ(installed.GetDataFolder(), userData + "/Data/");
    EXPECT_TRUE(QFileInfo(userData + "/Data").isDir());
    EXPECT_EQ(installed.undoFileFolder(), userData);
    EXPECT_EQ(installed.workingDataFolder(), userData + "/Data/");
    EXPECT_EQ(installed.userDataFolder(), userData + "/");
    EXPECT_TRUE(QDir(prefix.file("bin")).isEmpty());

    // A headless run of the installed program reads the user's library and writes in its scratch folder.
    const platform::ScratchFolder scratch;
    const Folders headless = scratch.folders(installed);
    EXPECT_EQ(headless.GetDataFolder(), userData + "/Data/");
    EXPECT_EQ(headless.undoFileFolder() + '/', scratch.path());
    EXPECT_EQ(headless.workingDataFolder(), scratch.path());
}

TEST(Folders, APortableCopyKeepsEverythingBesideItsExecutableWhereverItSits) {
    TempFolder prefix;
    TempFolder user;
    // Unpacked next to an installation's share folder, the copy still reads and writes its own folders.
    ASSERT_TRUE(QDir(prefix.path()).mkpath("bin/Help"));
    ASSERT_TRUE(QDir(prefix.path()).mkpath("share/pictovance/Help"));
    ASSERT_TRUE(QDir(prefix.path()).mkpath("share/pictovance/Starter"));
    const Folders portable = Folders::forProgramFolder(prefix.file("bin"), user.path());
    EXPECT_EQ(portable.dataPlace(), platform::DataPlace::ProgramFolder);
    EXPECT_EQ(portable.shippedFolder("Help"), prefix.file("bin/Help"));
    EXPECT_EQ(portable.GetDataFolder(), prefix.file("bin/Data/"));
    EXPECT_EQ(portable.undoFileFolder(), prefix.file("bin"));
    // A folder that is shipped nowhere is named where it was first looked for.
    EXPECT_EQ(portable.shippedFolder("Nowhere"), prefix.file("bin/Nowhere"));
    // Something of its own beside the executable makes it portable; so does a plain writable folder.
    ASSERT_TRUE(QDir(prefix.file("bin/Help")).removeRecursively());
    ASSERT_TRUE(QDir(prefix.path()).mkpath("bin/Data"));
    EXPECT_EQ(Folders::choosePlace(prefix.file("bin")), platform::DataPlace::ProgramFolder);
    TempFolder plain;
    EXPECT_EQ(Folders::choosePlace(plain.path()), platform::DataPlace::ProgramFolder);
}
