// Reading recipes: a good one in full, and what each kind of bad one is told.
#include "recipe/recipe.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace recipe;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

std::string problemOf(const QByteArray& json) {
    const ReadRecipe read = readRecipe(json);
    EXPECT_FALSE(read.recipe) << json.toStdString();
    return read.problem.toStdString();
}

// A recipe with these steps and nothing else.
QByteArray withSteps(const QByteArray& steps) {
    return R"({"recipe": 1, "steps": [)" + steps + "]}";
}

} // namespace

TEST(RecipeReader, ReadsEveryPartOfAGoodRecipe) {
    const ReadRecipe read = readRecipe(R"({"recipe": 1, "view": [1024, 700],
        "export": {"extent": "whole", "format": "PNG"},
        "steps": [{"op": "background", "colour": "#336699"},
                  {"op": "text", "text": "Grüße", "face": "DejaVu Sans", "height": 48, "style": 4,
                   "colour1": "#FF0000", "colour2": "#ffff00", "transparency": 0.25, "at": [400, 300]},
                  {"op": "undo"}, {"op": "redo"}]})");
    ASSERT_TRUE(read.recipe) << read.problem.toStdString();
    const Recipe& recipe = *read.recipe;
    EXPECT_EQ(recipe.view, QSize(1024, 700));
    EXPECT_TRUE(recipe.wholeImage);
    EXPECT_EQ(recipe.format, "png");
    ASSERT_EQ(recipe.steps.size(), 4u);
    EXPECT_STREQ(recipe.steps[0].kind->op, "background");
    EXPECT_EQ(recipe.steps[0].fields.colour("colour", 0), text::rgb(0x33, 0x66, 0x99));
    const StepFields& text = recipe.steps[1].fields;
    EXPECT_EQ(text.text("text", {}), QStringLiteral("Grüße"));
    EXPECT_EQ(text.integer("height", 0), 48);
    EXPECT_EQ(text.colour("colour2", 0), text::rgb(255, 255, 0));
    EXPECT_DOUBLE_EQ(text.number("transparency", 1), 0.25);
    EXPECT_EQ(text.point("at", {}), QPoint(400, 300));
    EXPECT_FALSE(text.has("moved"));
    EXPECT_STREQ(recipe.steps[3].kind->op, "redo");
}

TEST(RecipeReader, LeavesWhatARecipeOmitsToTheEditorsDefaults) {
    const ReadRecipe read = readRecipe(withSteps(R"({"op": "text"})"));
    ASSERT_TRUE(read.recipe) << read.problem.toStdString();
    EXPECT_EQ(read.recipe->view, QSize(1280, 800));
    EXPECT_FALSE(read.recipe->wholeImage);
    EXPECT_TRUE(read.recipe->format.isEmpty());
    EXPECT_TRUE(readRecipe(withSteps("")).recipe); // no steps: the photo is exported as it is
}

TEST(RecipeReader, NamesWhatIsWrongWithTheFileAsAWhole) {
    EXPECT_THAT(problemOf(R"({"recipe": 1, "steps": [)"), StartsWith("not a JSON file: "));
    EXPECT_THAT(problemOf(""), StartsWith("not a JSON file: "));
    EXPECT_THAT(problemOf("[1, 2]"), StartsWith("a recipe must be a JSON object"));
    EXPECT_THAT(problemOf(R"({"steps": []})"), StartsWith("missing \"recipe\""));
    EXPECT_THAT(problemOf(R"({"recipe": 2, "steps": []})"), StartsWith("\"recipe\" must be 1"));
    EXPECT_EQ(problemOf(R"({"recipe": 1, "steps": [], "stpes": []})"),
              "unknown field \"stpes\"; a recipe takes recipe, view, units, export, steps");
    EXPECT_EQ(problemOf(R"({"recipe": 1})"), "missing \"steps\", the list of steps");
    EXPECT_THAT(problemOf(R"({"recipe": 1, "steps": {"op": "undo"}})"),
                StartsWith("\"steps\" must be a list"));
    EXPECT_EQ(problemOf(R"({"recipe": 1, "view": [50, 800], "steps": []})"),
              "\"view\" must be [width, height], each a whole number from 100 to 4096");
    EXPECT_THAT(problemOf(R"({"recipe": 1, "view": [1280], "steps": []})"), StartsWith("\"view\" must be"));
    EXPECT_EQ(problemOf(R"({"recipe": 1, "export": {"extent": "all"}, "steps": []})"),
              "export: \"extent\" must be one of photo, whole");
    EXPECT_EQ(problemOf(R"({"recipe": 1, "export": {"format": "../../x"}, "steps": []})"),
              "export: \"format\" must be one of jpg, bmp, gif, png, pnm, tga, tif, pcx");
    EXPECT_EQ(problemOf(R"({"recipe": 1, "export": {"path": "/tmp/x.jpg"}, "steps": []})"),
              "export: unknown field \"path\"; it takes extent, format, size");
    EXPECT_EQ(problemOf(R"({"recipe": 1, "export": {"size": "large"}, "steps": []})"),
              "export: \"size\" must be one of original, working");
    EXPECT_THAT(problemOf(R"({"recipe": 1, "export": "jpg", "steps": []})"),
                StartsWith("\"export\" must be an object"));

    QByteArray many = R"({"op": "undo"})";
    for (int i = 1; i <= kMaxSteps; ++i)
        many += R"(, {"op": "undo"})";
    EXPECT_EQ(problemOf(withSteps(many)), "\"steps\" holds 257 steps; a recipe may have at most 256");
}

TEST(RecipeReader, NamesTheStepAndTheFieldOfABadStep) {
    EXPECT_EQ(problemOf(withSteps("5")), "step 1: a step must be an object such as {\"op\": \"undo\"}");
    EXPECT_EQ(problemOf(withSteps(R"({"op": "undo"}, {})")), "step 2: missing \"op\", the operation");
    EXPECT_THAT(
        problemOf(withSteps(R"({"op": "undo"}, {"op": "blur"})")),
        StartsWith("step 2: unknown operation \"blur\"; the operations are background, text, undo, redo"));
    EXPECT_THAT(problemOf(withSteps(R"({"op": 7})")), StartsWith("step 1: unknown operation (not a text)"));
    EXPECT_EQ(
        problemOf(withSteps(R"({"op": "text", "color": "#FF0000"})")),
        "step 1 (text): unknown field \"color\"; this operation takes text, face, height, style, colour1, "
        "colour2, transparency, at, centre");
    EXPECT_EQ(problemOf(withSteps(R"({"op": "undo", "times": 2})")),
              "step 1 (undo): unknown field \"times\"; this operation takes no fields");
    EXPECT_EQ(problemOf(withSteps(R"({"op": "background"})")), "step 1 (background): missing \"colour\"");
}

TEST(RecipeReader, RefusesValuesOutsideTheirFields) {
    const auto fieldProblem = [](const QByteArray& fields) {
        return problemOf(withSteps(R"({"op": "text", )" + fields + "}"));
    };
    const std::string height = "step 1 (text): \"height\" must be a whole number from 4 to 1200";
    EXPECT_EQ(fieldProblem(R"("height": 0)"), height);
    EXPECT_EQ(fieldProblem(R"("height": 12.5)"), height);
    EXPECT_EQ(fieldProblem(R"("height": "36")"), height);
    EXPECT_EQ(fieldProblem(R"("height": 1e300)"), height);
    EXPECT_EQ(fieldProblem(R"("style": 8)"), "step 1 (text): \"style\" must be a whole number from 0 to 7");
    EXPECT_EQ(fieldProblem(R"("transparency": 1.5)"),
              "step 1 (text): \"transparency\" must be a number from 0 to 1");
    const std::string at = "step 1 (text): \"at\" must be two whole numbers [x, y], each from 0 to 65535";
    EXPECT_EQ(fieldProblem(R"("at": [-1, 0])"), at);
    EXPECT_EQ(fieldProblem(R"("at": [1])"), at);
    EXPECT_EQ(fieldProblem(R"("at": "10,10")"), at);
    const std::string colour = "step 1 (text): \"colour1\" must be a colour written \"#RRGGBB\"";
    for (const char* bad : {R"("#12345")", R"("#12345G")", R"("336699")", R"("# 12345")", R"(3368601)"})
        EXPECT_EQ(fieldProblem(QByteArray(R"("colour1": )") + bad), colour) << bad;
    EXPECT_EQ(fieldProblem(R"("text": ")" + QByteArray(1000, 'x') + "\""),
              "step 1 (text): \"text\" must be a text of 0 to 999 bytes (UTF-8)");
    // Bytes, not characters: 500 two-byte letters do not fit the 1000-byte field with its terminator.
    EXPECT_THAT(fieldProblem(R"("text": ")" + QString(500, QChar(0xE9)).toUtf8() + "\""),
                HasSubstr("\"text\" must be"));
    EXPECT_THAT(fieldProblem(R"("face": ")" + QByteArray(32, 'F') + "\""), HasSubstr("\"face\" must be"));
    EXPECT_THAT(fieldProblem(R"("face": "")"), HasSubstr("\"face\" must be"));
}
