#pragma once
// The position files (GFP.dat, GLP.dat, GFP2.dat): slots 0 .. 999 999 hold the position of
// that id, slots 1 000 000 + b the bucket b, a list of (quick key, id, record reference).
// A lookup reads one bucket and, in the usual case, one record; under symmetry it tries the
// position as it stands and then each of the seven transforms, at most eight bucket reads.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "stats/pattern_position.h"
#include "stats/slot_file.h"

namespace tessera {

constexpr int32_t kMaxPositionIds = 1000000;
constexpr int32_t kPositionIndexSlots = kMaxPositionIds + kBucketCount;

struct BucketEntry {
    QuickKey key{};
    int32_t id = -1;
    SlotRef ref;
};

struct PositionBucket {
    int32_t number = -1;
    std::vector<BucketEntry> entries;
};

// The record forms of a bucket (i32 number, i32 count, 24 bytes per entry).
std::string serializeBucket(const PositionBucket& bucket);
// nullopt when the record is shorter than its count says (trailing bytes are ignored).
std::optional<PositionBucket> parseBucket(const std::string& bytes);

class PositionIndex {
public:
    bool open(const std::string& path, int mode = 0) { return file_.open(path, mode); }
    bool openBytes(std::string bytes) { return file_.openBytes(std::move(bytes)); }
    void close() { file_.close(); }
    bool isOpen() const { return file_.isOpen(); }

    // Bucket b (0 .. 723); nullopt when outside, empty or unreadable.
    std::optional<PositionBucket> readBucket(int b) const;
    // The position stored under id; nullopt outside 0 .. 999 999, empty or unreadable.
    std::optional<PatternPosition> readPosition(int32_t id) const;
    // Exact match of colour and grid; on success position.id (and colour) are the stored ones.
    bool findPosition(PatternPosition& position) const;
    // findPosition as it stands (transform -1), then under transform codes 0 .. 6 applied
    // forward; the matching code in transform. The caller's grid is unchanged afterwards.
    bool findPositionAnySymmetry(PatternPosition& position, int& transform) const;

private:
    SlotFile file_;
};

}  // namespace tessera
