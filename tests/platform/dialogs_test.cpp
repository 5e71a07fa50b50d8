#include "platform/dialogs.h"
#include "platform/qt_dialogs.h"
#include "platform/scripted_dialogs.h"
#include "support/temp_folder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <functional>

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
    EXPECT_EQ(dialogs.askYesNoCancel(nullptr, "Save?"), Answer::Yes);
    EXPECT_EQ(dialogs.askYesNoCancel(nullptr, "Again?"), Answer::Cancel);
    EXPECT_EQ(dialogs.saveFile(nullptr, "(*.png)|*.png||", "a.jpg", "*.jpg"), QString("/tmp/out.png"));
    EXPECT_FALSE(dialogs.saveFile(nullptr, "", "", "").has_value());
    EXPECT_TRUE(dialogs.openFiles(nullptr, "", true).isEmpty());
    EXPECT_FALSE(dialogs.chooseColour(nullptr, Qt::white).has_value());
    EXPECT_EQ(dialogs.count("question"), 2);
    EXPECT_EQ(dialogs.shown()[2].detail, "a.jpg");
}

namespace {

// Looks at the modal dialog once it is up, then lets `close` end it.
template <typename DialogType>
void whenShown(const std::function<void(DialogType&)>& look) {
    QTimer::singleShot(0, [look] {
        auto* dialog = qobject_cast<DialogType*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        look(*dialog);
    });
}

} // namespace

TEST(Dialogs, TheSaveQuestionHasTheInformationIconAndEscapeOrTheCloseButtonCancelsIt) {
    QtDialogs dialogs(QStringLiteral("Title"));
    whenShown<QMessageBox>([](QMessageBox& box) {
        EXPECT_EQ(box.icon(), QMessageBox::Information);
        EXPECT_EQ(box.windowTitle(), "Title");
        EXPECT_EQ(box.text(), "Save it?");
        EXPECT_EQ(box.standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.button(QMessageBox::No)->click();
    });
    EXPECT_EQ(dialogs.askYesNoCancel(nullptr, QStringLiteral("Save it?")), Answer::No);
    whenShown<QMessageBox>([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_EQ(dialogs.askYesNoCancel(nullptr, QStringLiteral("Save it?")), Answer::Cancel);
    whenShown<QMessageBox>([](QMessageBox& box) { box.close(); });
    EXPECT_EQ(dialogs.askYesNoCancel(nullptr, QStringLiteral("Save it?")), Answer::Cancel);
}

TEST(Dialogs, TheSaveDialogStartsInTheFolderOfTheDefaultName) {
    testing_support::TempFolder folder;
    QtDialogs dialogs(QStringLiteral("Title"));
    whenShown<QFileDialog>([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.directory().absolutePath(), QDir(folder.path()).absolutePath());
        dialog.reject();
    });
    EXPECT_FALSE(dialogs.saveFile(nullptr, "(*.jpg)|*.jpg||", folder.file("photo.jpg"), "*.jpg").has_value());
}
