#include "stats/pattern_bases.h"

#include "go/board_transform.h"

namespace tessera {

int PatternBases::open(const std::string& programFolder) {
    int opened = 0;
    opened += globalIndex.open(programFolder + kGlobalIndexFile, 0) ? 1 : 0;
    opened += globalStats.open(programFolder + kGlobalStatsFile, 0) ? 1 : 0;
    opened += localIndex.open(programFolder + kLocalIndexFile, 0) ? 1 : 0;
    opened += localStats.open(programFolder + kLocalStatsFile, 0) ? 1 : 0;
    // Mode 1 as the knowledge base is meant to be editable; it is only read here.
    opened += knowledgeIndex.open(programFolder + kKnowledgeIndexFile, 1) ? 1 : 0;
    opened += knowledgeNotes.open(programFolder + kKnowledgeNotesFile, 1) ? 1 : 0;
    return opened;
}

void PatternBases::close() {
    globalIndex.close();
    globalStats.close();
    localIndex.close();
    localStats.close();
    knowledgeIndex.close();
    knowledgeNotes.close();
}

std::optional<FoundStats> lookUpStats(const PositionIndex& index, const PositionStatsStore& store,
                                      const BoardGrid& grid, int colourToMove) {
    if (grid.width() != 19 || grid.height() != 19 || !grid.isUsable())
        return std::nullopt;
    PatternPosition position;
    position.grid = grid;
    position.colour = static_cast<uint8_t>(colourToMove);
    int transform = -1;
    if (!index.findPositionAnySymmetry(position, transform))
        return std::nullopt;
    auto stats = store.readStats(position.id);
    if (!stats)
        return std::nullopt;
    return FoundStats{std::move(*stats), transform};
}

int32_t displayedPoint(int32_t storedPoint, int transform) {
    if (storedPoint < 0 || transform < 0)
        return storedPoint;
    BoardTransform map(transform, BoardGeometry(19, 19));
    map.inverse = true;
    return map.mapPoint(storedPoint);
}

}  // namespace tessera
