// Rooms over the real records of the shared corpus: every record opens, replays to its end,
// and trial play leaves it exactly as read.
#include <algorithm>

#include <gtest/gtest.h>

#include "recording_host.h"
#include "room/game_room.h"
#include "support/test_support.h"

namespace tessera {
namespace {

// Counts the node items of the variation tree.
size_t nodeItems(const std::vector<VariationItem>& items) {
    size_t count = 0;
    for (const VariationItem& item : items)
        count += (item.branch ? 0 : 1) + nodeItems(item.children);
    return count;
}

TEST(RoomCorpus, RecordsReplayToTheEndAndTrialPlayLeavesThemIntact) {
    TESSERA_REQUIRE_SHARED();
    std::vector<std::filesystem::path> files;
    for (const char* folder : {"annotated", "pro", "problems", "sgf-edge"}) {
        const auto some = test::corpusFiles({folder});
        files.insert(files.end(), some.begin(), some.begin() + static_cast<long>(std::min<size_t>(some.size(), 40)));
    }
    ASSERT_FALSE(files.empty());
    int opened = 0;
    for (const auto& file : files) {
        SCOPED_TRACE(file.string());
        test::RecordingHost host;
        GameRoom room(&host);
        std::string error;
        if (!room.openFile(file, error)) {
            continue;  // the reader refuses broken edge cases; the room stays usable
        }
        ++opened;
        const size_t nodes = room.record().tree.size();
        EXPECT_EQ(nodeItems(room.variationTree()), nodes);
        int steps = 0;
        while (room.canGoForward() && steps < 2000) {
            room.goNext();
            ++steps;
        }
        room.goToMoveNumber(room.record().tree.countMainLineMoves() / 2);
        // Trial play at the cursor: three stones where the board is free, then the end.
        room.toggleTrial();
        for (int32_t p = 0, played = 0; p < room.display().position.area() && played < 3; ++p)
            if (room.display().position.get(p) == kEmpty && room.playStone(p))
                ++played;
        room.endTrial();
        EXPECT_EQ(room.record().tree.size(), nodes);
        EXPECT_FALSE(room.trialActive());
    }
    EXPECT_GT(opened, static_cast<int>(files.size()) / 2);
    RecordProperty("opened", opened);
    RecordProperty("files", static_cast<int>(files.size()));
}

}  // namespace
}  // namespace tessera
