// Any bytes as one segment of the search index (games table, compact trees, position keys):
// opening checks the tables, and the searches then read every tree and key through the
// bounds-checked reader, so no input may crash, hang or read past a buffer. The first six
// bytes give the lengths of the games, trees and packed bit set parts; the rest is the keys.
#include <algorithm>
#include <cstdint>
#include <string>

#include "library/library_store.h"
#include "library/search_index.h"
#include "stats/indexed_search.h"
#include "stats/search_results.h"

namespace {

using namespace tessera;

// A position after a few moves in one corner, and the same as a 7 x 7 corner region.
SearchPattern cornerPattern(int width, int height, bool region) {
    SearchPattern pattern;
    pattern.position = BoardGrid(width, height);
    pattern.position.set(3 * width + 3, 1);
    pattern.position.set(2 * width + 5, 2);
    pattern.colourToMove = 1;
    if (region) {
        pattern.regionMode = true;
        pattern.region = BoardGrid(width, height);
        for (int y = 0; y < std::min(7, height); ++y)
            for (int x = 0; x < std::min(7, width); ++x)
                pattern.region.set(y * width + x, 1);
    }
    return pattern;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 6)
        return 0;
    std::string parts[3];
    size_t at = 6;
    for (int k = 0; k < 3; ++k) {
        const size_t length = std::min<size_t>(size - at, size_t(data[2 * k]) | size_t(data[2 * k + 1]) << 8);
        parts[k].assign(reinterpret_cast<const char*>(data + at), length);
        at += length;
    }
    const std::string keys(reinterpret_cast<const char*>(data + at), size - at);
    SearchIndex index;
    if (!index.openBytes(parts[0], parts[1], keys, parts[2]))
        return 0;
    // Every game the index holds, read node by node.
    std::vector<int32_t> ids;
    for (int32_t id = 0; id < 4096 && ids.size() < 64; ++id) {
        int segment = -1;
        const IndexedGame* game = index.findGame(id, &segment);
        if (!game)
            continue;
        ids.push_back(id);
        CompactTreeReader tree = index.treeOf(*game, segment);
        CompactNode node;
        while (tree.next(node))
            tree.nodeId(0);
    }
    // Both kinds of search over them (games that are not indexed are not in the empty store).
    static LibraryStore store("/nonexistent-tessera-fuzz/");
    for (const bool region : {false, true})
        for (const int side : {19, 9}) {
            SearchResults results;
            SearchProgress progress;
            runIndexedSearch(store, index, ids, cornerPattern(side, side, region), results, progress, {});
        }
    return 0;
}
