#include "stats/position_index.h"

#include "go/board_transform.h"

namespace tessera {

std::string serializeBucket(const PositionBucket& bucket) {
    std::string out;
    out.reserve(8 + 24 * bucket.entries.size());
    appendI32(out, bucket.number);
    appendI32(out, static_cast<int32_t>(bucket.entries.size()));
    for (const BucketEntry& entry : bucket.entries) {
        for (uint16_t value : entry.key)
            appendU16(out, value);
        appendI32(out, entry.id);
        appendI32(out, entry.ref.offset);
        appendI32(out, entry.ref.capacity);
        appendI32(out, entry.ref.length);
    }
    return out;
}

std::optional<PositionBucket> parseBucket(const std::string& bytes) {
    if (bytes.size() < 8)
        return std::nullopt;
    PositionBucket bucket;
    bucket.number = loadI32(bytes.data());
    const int32_t count = loadI32(bytes.data() + 4);
    if (count < 0 || static_cast<size_t>(count) > (bytes.size() - 8) / 24)
        return std::nullopt;
    bucket.entries.resize(static_cast<size_t>(count));
    const char* p = bytes.data() + 8;
    for (BucketEntry& entry : bucket.entries) {
        for (int k = 0; k < 4; ++k)
            entry.key[static_cast<size_t>(k)] = loadU16(p + 2 * k);
        entry.id = loadI32(p + 8);
        entry.ref = SlotRef{loadI32(p + 12), loadI32(p + 16), loadI32(p + 20)};
        p += 24;
    }
    return bucket;
}

std::optional<PositionBucket> PositionIndex::readBucket(int b) const {
    if (b < 0 || b >= kBucketCount)
        return std::nullopt;
    const auto bytes = file_.readSlotRecord(kMaxPositionIds + b);
    return bytes ? parseBucket(*bytes) : std::nullopt;
}

std::optional<PatternPosition> PositionIndex::readPosition(int32_t id) const {
    if (id < 0 || id >= kMaxPositionIds)
        return std::nullopt;
    const auto bytes = file_.readSlotRecord(id);
    return bytes ? parsePosition(*bytes) : std::nullopt;
}

bool PositionIndex::findPosition(PatternPosition& position) const {
    if (position.grid.width() != 19 || position.grid.height() != 19 || !position.grid.isUsable())
        return false;
    const int b = bucketOf(position);
    const auto bucket = readBucket(b);
    if (!bucket)
        return false;
    const QuickKey key = quickKeyOf(position.grid);
    for (const BucketEntry& entry : bucket->entries) {
        if (entry.key != key)
            continue;
        const auto bytes = file_.readRecord(entry.ref);
        if (!bytes)
            continue;
        const auto stored = parsePosition(*bytes);
        if (stored && stored->sameAs(position)) {
            position.colour = stored->colour;
            position.id = stored->id;
            return true;
        }
    }
    return false;
}

bool PositionIndex::findPositionAnySymmetry(PatternPosition& position, int& transform) const {
    transform = -1;
    if (findPosition(position))
        return true;
    if (position.grid.width() != 19 || position.grid.height() != 19)
        return false;
    const BoardGrid original = position.grid;
    bool found = false;
    for (int t = 0; t < 7 && !found; ++t) {
        position.grid = BoardTransform(t, original).mapGrid(original);
        if (findPosition(position)) {
            transform = t;
            found = true;
        }
    }
    position.grid = original;
    return found;
}

}  // namespace tessera
