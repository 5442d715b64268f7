#pragma once
// Real positions for the board-picture tests: professional games of the shared corpus at a
// few moves, and smaller boards cut from their corners.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "go/board_grid.h"
#include "record/record_file.h"
#include "support/test_support.h"
#include "view/record_node_view.h"

namespace tessera::test {

struct SamplePosition {
    std::string name;  // record file and move, for failure messages
    BoardGrid position;
};

// The top-left size x size corner of a position.
inline BoardGrid cornerOf(const BoardGrid& position, int size) {
    BoardGrid corner(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            corner.set(y * size + x, position.get(y * position.width() + x));
    return corner;
}

// `records` games of the corpus's professional folder, spread over it, each after `move`
// moves (the final position when the game is shorter); empty without the corpus.
inline std::vector<SamplePosition> samplePositions(int records, int move) {
    std::vector<SamplePosition> samples;
    const auto root = sharedDir();
    if (root.empty() || !std::filesystem::is_directory(root / "corpus" / "pro"))
        return samples;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root / "corpus" / "pro"))
        if (entry.path().extension() == ".sgf")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    const size_t step = std::max<size_t>(1, files.size() / static_cast<size_t>(records));
    for (size_t i = 0; i < files.size() && samples.size() < static_cast<size_t>(records); i += step) {
        GameRecord record;
        std::string error;
        if (!loadRecordFile(files[i], record, error) || record.info.boardWidth != 19 || record.info.boardHeight != 19)
            continue;
        const GameNode* node = mainLineNodeAtMove(record, move);
        if (!node)
            node = mainLineNodeAtMove(record, -1);
        if (node && node->position.isUsable())
            samples.push_back(
                {files[i].lexically_relative(root).string() + " move " + std::to_string(move), node->position});
    }
    return samples;
}

// Where two positions differ.
inline int differingPoints(const BoardGrid& a, const BoardGrid& b) {
    if (!a.isUsable() || !b.isUsable() || a.width() != b.width() || a.height() != b.height())
        return a.isUsable() ? a.width() * a.height() : b.width() * b.height();
    int count = 0;
    for (int p = 0; p < a.width() * a.height(); ++p)
        count += a.get(p) != b.get(p) ? 1 : 0;
    return count;
}

}  // namespace tessera::test
