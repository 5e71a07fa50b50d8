#include "recorded_document.h"
#include "support/temp_folder.h"
#include "workspace/document.h"

#include <gtest/gtest.h>

using namespace workspace;
using testing_support::TempFolder;

namespace {

struct TypingBurst : ::testing::Test, RecordedDocument {
    void SetUp() override {
        document->SetTool(ToolText);
        type("Sea");
        document->textTemplate().font = text::makeLogFont(u"DejaVu Sans", 40);
        document->PlaceText(60, 60);
    }

    // What the main window does for each change of the text box.
    void type(const QString& value) {
        text::setText(document->textTemplate(), value);
        document->UpdateActiveText();
    }
    QString shown() const {
        const text::TextObject* object = document->objects().get<text::TextObject>(document->activeText());
        return object ? text::textOf(*object) : QString();
    }
    int steps() const { return document->history().stepCount(); }
};

} // namespace

TEST_F(TypingBurst, RecordsOneStepForAWholeBurstAndUndoTakesItBack) {
    const int placed = steps();
    for (const char* typed : {"Sea ", "Sea s", "Sea si", "Sea sid", "Sea side"})
        type(typed);
    EXPECT_EQ(steps(), placed); // nothing while typing
    document->EndTypingBurst();
    EXPECT_EQ(steps(), placed + 1);
    document->EndTypingBurst(); // nothing typed since: nothing more to record
    EXPECT_EQ(steps(), placed + 1);

    type("Sea side!");
    document->EndTypingBurst();
    EXPECT_EQ(steps(), placed + 2);

    document->undo();
    EXPECT_EQ(shown(), "Sea side");
    document->undo();
    EXPECT_EQ(shown(), "Sea");
    document->redo();
    EXPECT_EQ(shown(), "Sea side");
}

TEST_F(TypingBurst, TypingAfterUndoReplacesTheRedoSteps) {
    type("Sea breeze");
    document->EndTypingBurst();
    document->undo();
    ASSERT_TRUE(document->canRedo());
    document->EndTypingBurst(); // back at a recorded state: nothing typed
    EXPECT_TRUE(document->canRedo());
    type("Sea wind");
    document->EndTypingBurst();
    EXPECT_FALSE(document->canRedo());
    EXPECT_EQ(shown(), "Sea wind");
}

TEST_F(TypingBurst, NothingIsRecordedWithoutAnActiveText) {
    document->FlattenIntoPhoto(false); // the text becomes pixels
    const int flattened = steps();
    type("Gone");
    document->EndTypingBurst();
    EXPECT_EQ(steps(), flattened);
}
