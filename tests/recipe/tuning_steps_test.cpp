// The adjust and filter steps: the colour panel's sliders and the Tool menu's filter entries in a recipe.
#include "imaging/filters/image_commands.h"
#include "recipe/recipe_runner.h"
#include "support/temp_folder.h"
#include "workspace/document.h"

#include <gtest/gtest.h>

using namespace recipe;
using testing_support::TempFolder;

namespace {

struct TuningSteps : ::testing::Test {
    TempFolder folder;
    workspace::UnwatchedDocument listener;
    workspace::WorkspaceDocument document{folder.path(), listener, QSize(1280, 800)};
    RunSettings settings{QStringLiteral("DejaVu Sans")};

    void load() {
        imaging::PhotoBuffer photo;
        photo.width = 320;
        photo.height = 240;
        photo.bgr.resize(320 * 240 * 3);
        for (std::size_t i = 0; i < photo.bgr.size(); ++i)
            photo.bgr[i] = static_cast<std::uint8_t>((i * 37 / 3) % 256);
        document.setLoadedPicture(std::move(photo), false, 0, QStringLiteral("photo.png"));
        document.keepLoadedPhoto();
    }

    ReadRecipe read(const QByteArray& steps) {
        return readRecipe(R"({"recipe": 1, "steps": [)" + steps + "]}");
    }

    imaging::Outcome run(const QByteArray& steps) {
        const ReadRecipe recipe = read(steps);
        EXPECT_TRUE(recipe.recipe) << recipe.problem.toStdString();
        return recipe.recipe ? runSteps(*recipe.recipe, settings, document) : imaging::Outcome{};
    }

    const imaging::ColourAdjustment* adjustment() const {
        for (int i = 0; i < document.objects().size(); ++i)
            if (const auto* values = document.objects().get<imaging::ColourAdjustment>(i))
                return values;
        return nullptr;
    }
};

} // namespace

TEST_F(TuningSteps, AdjustSetsTheSlidersItNamesAndLeavesTheOthersAtTheirStart) {
    load();
    ASSERT_TRUE(run(R"({"op": "adjust", "contrast": 150, "hue": 27000},
                      {"op": "adjust", "contrast": 150, "hue": 27000, "gamma": 220})"));
    ASSERT_NE(adjustment(), nullptr);
    EXPECT_EQ(*adjustment(), imaging::colourAdjustmentFromPositions({150, 100, 100, 27000, 220, 18000}));
    EXPECT_EQ(document.tool(), workspace::ToolTuning);
    EXPECT_EQ(document.history().stepCount(), 2); // as on the panel: the second movement adds no step

    EXPECT_EQ(read(R"({"op": "adjust", "contrast": 10})").problem,
              "step 1 (adjust): \"contrast\" must be a whole number from 20 to 400");
}

TEST_F(TuningSteps, FilterRunsTheEntryOfItsSubmenu) {
    load();
    ASSERT_TRUE(run(R"({"op": "filter", "menu": "linear", "name": "Edge"})"));
    const std::vector<std::uint8_t> linear = document.photo().bgr;
    EXPECT_EQ(document.history().stepCount(), 1);
    load();
    ASSERT_TRUE(document.ApplyImageCommand(imaging::kCommandLinearEdge)); // what the menu entry runs
    EXPECT_EQ(document.photo().bgr, linear);
    load();
    ASSERT_TRUE(run(R"({"op": "filter", "menu": "non-linear", "name": "Edge"})"));
    EXPECT_NE(document.photo().bgr, linear);

    EXPECT_EQ(run(R"({"op": "filter", "menu": "linear", "name": "Median"})").reason,
              "step 1 (filter): \"Median\" is a non-linear filter, not a linear one");
    EXPECT_FALSE(read(R"({"op": "filter", "menu": "linear", "name": "Sepia"})").recipe);
    EXPECT_FALSE(read(R"({"op": "filter", "name": "Blur"})").recipe); // the submenu is needed
}
