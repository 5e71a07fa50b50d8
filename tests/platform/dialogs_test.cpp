#include "platform/dialogs.h"
#include "platform/scripted_dialogs.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Dialogs, WindowsFiltersBecomeQtFilters) {
    EXPECT_EQ(toQtFilter("(*.jpg)|*.jpg|(*.jpeg)|*.jpeg||"), "(*.jpg) (*.jpg);;(*.jpeg) (*.jpeg)");
    EXPECT_EQ(toQtFilter("(all picture files)|*.jpg;*.gif|(*.irs)|*.irs||"),
              "(all picture files) (*.jpg *.gif);;(*.irs) (*.irs)");
    EXPECT_EQ(toQtFilter(""), "");
}

TEST(Dialogs, ScriptedAnswersInOrderAndCancelWhenNoneIsLeft) {
    ScriptedDialogs dialogs;
    dialogs.queueAnswer(true);
    dialogs.queueSaveFile(QString("/tmp/out.png"));
    EXPECT_TRUE(dialogs.askYesNo(nullptr, "Save?"));
    EXPECT_FALSE(dialogs.askYesNo(nullptr, "Again?"));
    EXPECT_EQ(dialogs.saveFile(nullptr, "(*.png)|*.png||", "a.jpg", "*.jpg"), QString("/tmp/out.png"));
    EXPECT_FALSE(dialogs.saveFile(nullptr, "", "", "").has_value());
    EXPECT_TRUE(dialogs.openFiles(nullptr, "", true).isEmpty());
    EXPECT_FALSE(dialogs.chooseColour(nullptr, Qt::white).has_value());
    EXPECT_EQ(dialogs.count("question"), 2);
    EXPECT_EQ(dialogs.shown()[2].detail, "a.jpg");
}
