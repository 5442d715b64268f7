// Any bytes as a pattern file: the slot file header and table, buckets, positions,
// statistics and knowledge notes are all read through the same checks, so no input may crash,
// hang or read past a buffer.
#include <cstdint>
#include <string>

#include "go/board_grid.h"
#include "stats/knowledge_store.h"
#include "stats/position_index.h"
#include "stats/position_stats.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // The bytes as whole records.
    tessera::parsePosition(bytes);
    tessera::parseBucket(bytes);
    tessera::parseStats(bytes);
    // The bytes as whole files: every bucket, and the slots the buckets and a few ids name.
    tessera::PositionIndex index;
    if (index.openBytes(bytes)) {
        tessera::PatternPosition empty;
        int transform = -1;
        index.findPositionAnySymmetry(empty, transform);
        for (int b = 0; b < tessera::kBucketCount; ++b)
            if (const auto bucket = index.readBucket(b))
                for (const auto& entry : bucket->entries)
                    index.readPosition(entry.id);
    }
    tessera::PositionStatsStore stats;
    if (stats.openBytes(bytes))
        for (int32_t id = 0; id < 64; ++id)
            stats.readStats(id);
    tessera::KnowledgeStore notes;
    if (notes.openBytes(bytes))
        for (int32_t id = 0; id < 64; ++id)
            notes.readNote(id);
    return 0;
}
