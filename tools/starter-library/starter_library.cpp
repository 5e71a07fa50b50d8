#include "starter_library.h"

#include "brush_art.h"
#include "clipart_art.h"
#include "decoration_art.h"
#include "frame_art.h"
#include "mask_art.h"
#include "work_pool.h"

namespace starter {

std::optional<StarterLibrary> drawStarterLibrary(QString& reason) {
    const std::optional<std::vector<EntryRecipe>> emoji = emojiRecipes(reason);
    if (!emoji)
        return std::nullopt;
    std::vector<EntryRecipe> cliparts = *emoji;
    for (EntryRecipe& drawn : drawnClipartRecipes())
        cliparts.push_back(std::move(drawn));
    const std::vector<EntryRecipe> categories[] = {frameRecipes(), maskRecipes(), cliparts,
                                                   decorationRecipes(), brushTipRecipes()};
    // All recipes go to the workers together, the slow frames first, so the threads finish close together.
    std::vector<EntryRecipe> all;
    for (const auto& category : categories)
        all.insert(all.end(), category.begin(), category.end());
    std::vector<StarterEntry> drawn(all.size());
    forEachIndex(all.size(), [&](std::size_t i) { drawn[i] = all[i](); });
    StarterLibrary library;
    std::vector<StarterEntry>* targets[] = {&library.frames, &library.masks, &library.cliparts,
                                            &library.decorations, &library.brushTips};
    auto from = drawn.begin();
    for (std::size_t c = 0; c < 5; ++c) {
        targets[c]->assign(std::make_move_iterator(from),
                           std::make_move_iterator(from + categories[c].size()));
        from += static_cast<std::ptrdiff_t>(categories[c].size());
    }
    return library;
}

} // namespace starter
