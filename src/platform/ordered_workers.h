#pragma once
// A list of items worked on by several threads and reported in list order: the batch converter's and the
// recipe runner's workers.

#include <QStringList>
#include <array>
#include <functional>
#include <vector>

namespace platform {

// One name for one file however its path is written: an existing file by its real path (so a link and
// its target meet), a file still to be made by its folder's real path and its own name.
QString fileKey(const QString& path);

// For each item, up to two earlier items that must be finished before it starts (-1: none).
using ItemOrder = std::vector<std::array<int, 2>>;

// The order that leaves the files on disk as one worker would: each item waits for the last earlier item
// that read or wrote its source, and for the last that read or wrote its target. Paths meet as the files
// they name (an existing file by its real path, so a link and its target meet). The lists are equally long.
ItemOrder orderBySharedPaths(const QStringList& sources, const QStringList& targets);

struct OrderedRun {
    int started = 0;      // items handed to `work`; every one of them was reported
    bool stopped = false; // `stop` ended the run with items left
};

// Works through items 0..count-1 on `workers` threads (at most one per item), handing them out in list
// order; item i starts only once the items order[i] names are done (an empty `order`: no waiting).
// `work(index, worker)` runs on a worker thread, `worker` being 0..workers-1 and never used by two items at
// once. `report(index)` runs on the calling thread for each started item, in list order, as soon as that
// item and all before it are done. `stop`, when given, is asked before each item is handed out: true
// leaves the rest unstarted, and the items in hand are finished. With one worker (or one item) the calling
// thread does the work itself, reporting each item before it starts the next.
OrderedRun runOrdered(int count, int workers, const ItemOrder& order,
                      const std::function<void(int index, int worker)>& work,
                      const std::function<void(int index)>& report, const std::function<bool()>& stop = {});

} // namespace platform
