#include "app/command_line.h"

#include <gtest/gtest.h>

using app::pifArgument;
using app::windowsStyleCommandLine;

TEST(CommandLine, FormedAsWindowsHandsItOver) {
    EXPECT_EQ(windowsStyleCommandLine("/opt/p/pictovance", {"/tmp/a.PIF"}),
              "\"/opt/p/pictovance\" /tmp/a.PIF");
    EXPECT_EQ(windowsStyleCommandLine("/p", {}), "\"/p\"");
    EXPECT_EQ(windowsStyleCommandLine("/p", {"a", "b"}), "\"/p\" a b");
}

TEST(CommandLine, PifRule) {
    // Quoted program path plus argument: the text after the quote and the blank.
    EXPECT_EQ(pifArgument("\"C:\\Prog\\editor.exe\" D:\\pics\\card.PIF"), QString("D:\\pics\\card.PIF"));
    EXPECT_EQ(pifArgument(windowsStyleCommandLine("/usr/bin/pictovance", {"/tmp/a.PIF"})),
              QString("/tmp/a.PIF"));
    // No quote at all: everything but the first character.
    EXPECT_EQ(pifArgument("editor.exe x.PIF"), QString("ditor.exe x.PIF"));
    // The check is case-sensitive and looks only at the last three characters.
    EXPECT_FALSE(pifArgument("\"/p\" /tmp/a.pif").has_value());
    EXPECT_FALSE(pifArgument("\"/p\" /tmp/a.Pif").has_value());
    EXPECT_FALSE(pifArgument("\"/p\" /tmp/a.PIF.jpg").has_value());
    EXPECT_FALSE(pifArgument("\"/p\"").has_value());
    // The last quote counts, even inside the argument.
    EXPECT_EQ(pifArgument("\"/p\" \"/my pics/a.PIF\" xPIF"), QString("xPIF"));
    // A quote right before "PIF" leaves only what follows the skipped character.
    EXPECT_EQ(pifArgument("\"/p\"PIF"), QString("IF"));
}

TEST(CommandLine, PicturesToOpenAreAbsoluteAndLeaveThePifHandOverAlone) {
    using app::picturesToOpen;
    EXPECT_EQ(picturesToOpen("/usr/bin/pictovance", {"photo.jpg", "../b/c.png", "/abs/d e.tif"}, "/home/u/a"),
              QStringList({"/home/u/a/photo.jpg", "/home/u/b/c.png", "/abs/d e.tif"}));
    // What a file manager may pass, escapes and all; an empty argument names nothing.
    EXPECT_EQ(picturesToOpen("/p", {"file:///home/u/My%20Pictures/%C3%A9t%C3%A9.jpg", ""}, "/"),
              QStringList({QString::fromUtf8("/home/u/My Pictures/été.jpg")}));
    EXPECT_TRUE(picturesToOpen("/p", {}, "/home").isEmpty());
    // A line the "PIF" rule takes is that rule's, and opens nothing.
    EXPECT_TRUE(picturesToOpen("/p", {"photo.jpg", "card.PIF"}, "/home").isEmpty());
    EXPECT_EQ(picturesToOpen("/p", {"card.pif"}, "/home"), QStringList({"/home/card.pif"}));
}
