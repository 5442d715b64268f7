#include "stats/knowledge_builder.h"

#include <unordered_map>

#include "go/board_transform.h"
#include "record/node_transform.h"
#include "record/record_file.h"
#include "record/sgg_node.h"
#include "stats/pattern_bases.h"
#include "stats/symmetry_key.h"

namespace tessera {
namespace {

struct Note {
    PatternPosition position;
    GameNode node;
};

// The note's node alone: its comment, markup and labels, with the position id as its id.
GameNode noteNode(const GameNode& source, int symmetry, int32_t id) {
    GameNode node;
    node.comments = source.comments;
    node.marks = source.marks;
    node.labels = source.labels;
    if (symmetry > 0)
        node = mapNode(BoardTransform(symmetry - 1, BoardGeometry(19, 19)), node);
    node.id = id;
    node.parentId = -1;
    node.childIds.clear();
    return node;
}

}  // namespace

bool buildKnowledge(const std::vector<std::string>& files, const std::string& outputFolder,
                    KnowledgeBuildSummary& summary, std::string& error, const KnowledgeBuildProgress& progress) {
    summary = KnowledgeBuildSummary();
    std::vector<Note> notes;
    std::unordered_map<uint64_t, size_t> byKey;
    for (size_t done = 0; done < files.size(); ++done) {
        if (progress && !progress(done, files.size())) {
            error = "cancelled";
            return false;
        }
        const std::string& file = files[done];
        GameRecord record;
        std::string reason;
        if (!loadRecordFile(file, record, reason)) {
            ++summary.refusedFiles;
            summary.refused.push_back(file + ": " + reason);
            continue;
        }
        ++summary.files;
        if (record.info.boardWidth != 19 || record.info.boardHeight != 19)
            continue;
        record.recomputePositions();
        for (const auto& owned : record.tree.nodes()) {
            const GameNode& node = *owned;
            if (node.comment().empty() || node.position.width() != 19 || !node.position.isUsable())
                continue;
            const int colour = node.sideToMove == 2 ? 2 : 1;
            int symmetry = 0;
            const uint64_t key = SymmetryKey(node.position).canonical(colour, symmetry);
            const auto known = byKey.find(key);
            if (known != byKey.end()) {
                Note& note = notes[known->second];
                note.node.comments.front().body += "\r\n\r\n" + node.comment();
                continue;
            }
            if (notes.size() >= static_cast<size_t>(kMaxPositionIds))
                break;
            Note note;
            note.position.grid = mapGridBySymmetry(node.position, symmetry);
            note.position.colour = static_cast<uint8_t>(colour);
            note.position.id = static_cast<int32_t>(notes.size());
            note.node = noteNode(node, symmetry, note.position.id);
            byKey.emplace(key, notes.size());
            notes.push_back(std::move(note));
        }
    }
    if (summary.files == 0) {
        error = "no record could be read";
        return false;
    }
    SlotFileWriter index, knowledge;
    if (!index.create(outputFolder + kKnowledgeIndexFile, kPositionIndexSlots, error) ||
        !knowledge.create(outputFolder + kKnowledgeNotesFile, kMaxPositionIds, error))
        return false;
    std::vector<PositionBucket> buckets(kBucketCount);
    for (const Note& note : notes) {
        std::string bytes;
        if (!writeNodeForm(note.node, bytes, error)) {
            summary.refused.push_back("note " + std::to_string(note.position.id) + ": " + error);
            bytes.clear();
            GameNode plain;
            plain.id = note.position.id;
            plain.comments = note.node.comments;
            if (!writeNodeForm(plain, bytes, error))
                continue;
        }
        SlotRef ref;
        if (!knowledge.put(note.position.id, bytes) ||
            !index.put(note.position.id, serializePosition(note.position), &ref)) {
            error = "cannot write " + index.temporaryPath();
            return false;
        }
        buckets[static_cast<size_t>(bucketOf(note.position))].entries.push_back(
            BucketEntry{quickKeyOf(note.position.grid), note.position.id, ref});
    }
    for (int b = 0; b < kBucketCount; ++b) {
        buckets[static_cast<size_t>(b)].number = b;
        if (!buckets[static_cast<size_t>(b)].entries.empty() &&
            !index.put(kMaxPositionIds + b, serializeBucket(buckets[static_cast<size_t>(b)]))) {
            error = "cannot write " + index.temporaryPath();
            return false;
        }
    }
    if (!index.finish(error) || !knowledge.finish(error) || !index.rename(error) || !knowledge.rename(error))
        return false;
    summary.notes = static_cast<int>(notes.size());
    return true;
}

}  // namespace tessera
