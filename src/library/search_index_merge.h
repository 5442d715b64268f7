#pragma once
// Folding segments of the search index together, so that a library imported in many small
// batches keeps few segments (a whole-board search looks its position up in every segment).
//
// The policy keeps the segments' sizes (bytes on disk, oldest first) falling by more than half
// from each segment to the next: whenever a segment is no larger than all newer ones together,
// it and every newer one become one segment. An index then holds at most
// log2(largest / smallest) + 1 segments, and a game is rewritten only when the segment holding
// it at least doubles: at most log2(index size / segment size) times in all, whatever the batch
// sizes (a 70,000-game library imported one game at a time rewrites each game about 17 times;
// ten batches of 100 games added to it never rewrite its large segment).
//
// A merge streams: the games tables are read whole (32 bytes a game), compact trees are copied
// one at a time and the keys files are merged through small buffers, so it needs a few
// megabytes on any index. Of a game held by several merged segments only the newest copy is
// kept (a "read it instead" entry too: it still hides older segments' copies). The merged
// segment replaces the merged ones in the segments list by the same atomic rewrite that adds
// segments; their files are unlinked after that (readers that mapped them keep working). A
// crash leaves the old list, and the files of the unfinished merge, which a later merge
// removes once their writer's process is gone. One merge runs at a time per index (a lock
// file); an importer that finds one running leaves the work to it.

#include <cstdint>
#include <string>
#include <vector>

namespace tessera {

// The most segments merged at once (each takes two open files and a read buffer).
constexpr size_t kMaxMergedSegments = 32;

// Given the segments' sizes oldest first, the first of the newest segments to merge (all from
// it on), or sizes.size() when the index needs no merge.
size_t firstSegmentToMerge(const std::vector<uint64_t>& sizes);

// Merges segments of the index of programFolder until the policy above is met. False with a
// reason in error when a merge failed: the index is then as it was, and a later call tries again.
bool mergeSearchIndexSegments(const std::string& programFolder, std::string& error);

}  // namespace tessera
