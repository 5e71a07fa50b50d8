#include "starter_library.h"

#include "brush_art.h"
#include "clipart_art.h"
#include "decoration_art.h"
#include "frame_art.h"
#include "mask_art.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace starter {

namespace {

// Runs every recipe on a few worker threads; the results keep the recipes' order.
std::vector<StarterEntry> runRecipes(const std::vector<EntryRecipe>& recipes) {
    std::vector<StarterEntry> entries(recipes.size());
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i = next++; i < recipes.size(); i = next++)
            entries[i] = recipes[i]();
    };
    const unsigned helpers = std::clamp(std::thread::hardware_concurrency(), 1u, 8u) - 1;
    std::vector<std::jthread> threads;
    for (unsigned i = 0; i < helpers; ++i)
        threads.emplace_back(work);
    work();
    threads.clear();
    return entries;
}

} // namespace

std::optional<StarterLibrary> drawStarterLibrary(QString& reason) {
    const std::optional<std::vector<EntryRecipe>> emoji = emojiRecipes(reason);
    if (!emoji)
        return std::nullopt;
    std::vector<EntryRecipe> cliparts = *emoji;
    for (EntryRecipe& drawn : drawnClipartRecipes())
        cliparts.push_back(std::move(drawn));
    const std::vector<EntryRecipe> categories[] = {frameRecipes(), maskRecipes(), cliparts, decorationRecipes(),
                                                   brushTipRecipes()};
    // All recipes go to the workers together, the slow frames first, so the threads finish close together.
    std::vector<EntryRecipe> all;
    for (const auto& category : categories)
        all.insert(all.end(), category.begin(), category.end());
    std::vector<StarterEntry> drawn = runRecipes(all);
    StarterLibrary library;
    std::vector<StarterEntry>* targets[] = {&library.frames, &library.masks, &library.cliparts, &library.decorations,
                                            &library.brushTips};
    auto from = drawn.begin();
    for (std::size_t c = 0; c < 5; ++c) {
        targets[c]->assign(std::make_move_iterator(from), std::make_move_iterator(from + categories[c].size()));
        from += static_cast<std::ptrdiff_t>(categories[c].size());
    }
    return library;
}

} // namespace starter
