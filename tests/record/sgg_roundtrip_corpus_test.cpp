// Every professional game of the shared corpus goes SGF -> SGG -> SGF: the SGG step keeps
// every node field and the game information exactly, the SGG bytes are a fixed point of
// reading and writing, and the SGF written from the SGG record reads back to the same tree,
// node properties and game information.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "record/record_file.h"
#include "record/sgf_file.h"
#include "record/sgg_file.h"
#include "support/test_support.h"

namespace tessera {
namespace {

// Pre-order walk of every tree, children in order: the shape and the nodes to compare.
std::vector<const GameNode*> preorder(const GameTree& tree, std::vector<size_t>* childCounts) {
    std::vector<const GameNode*> order;
    std::vector<const GameNode*> stack;
    std::vector<const GameNode*> roots;
    for (const auto& node : tree.nodes())
        if (node->parentId < 0)
            roots.push_back(node.get());
    stack.assign(roots.rbegin(), roots.rend());
    while (!stack.empty() && order.size() <= tree.size()) {
        const GameNode* node = stack.back();
        stack.pop_back();
        order.push_back(node);
        if (childCounts)
            childCounts->push_back(node->childIds.size());
        for (auto it = node->childIds.rbegin(); it != node->childIds.rend(); ++it)
            if (const GameNode* child = tree.find(*it))
                stack.push_back(child);
    }
    return order;
}

// The first difference between two records in what both formats carry, or empty.
// `exact` compares every stored node field (the SGG step), otherwise the SGF properties.
std::string difference(const GameRecord& a, const GameRecord& b, bool exact) {
    std::ostringstream out;
    if (exact ? !(a.info == b.info) : false)
        return "game information differs";
    const GameInfo& x = a.info;
    const GameInfo& y = b.info;
    if (x.boardWidth != y.boardWidth || x.boardHeight != y.boardHeight || x.event != y.event ||
        x.gameName != y.gameName || x.date != y.date || x.place != y.place || x.rulesText != y.rulesText ||
        x.ruleType != y.ruleType || x.komi != y.komi || x.handicap != y.handicap || x.blackName != y.blackName ||
        x.blackRank != y.blackRank || x.whiteName != y.whiteName || x.whiteRank != y.whiteRank ||
        x.resultText != y.resultText || x.resultType != y.resultType || x.writer != y.writer || x.source != y.source)
        return "game information differs";
    if (exact && a.tags != b.tags)
        return "tags differ";
    std::vector<size_t> shapeA, shapeB;
    const auto nodesA = preorder(a.tree, &shapeA);
    const auto nodesB = preorder(b.tree, &shapeB);
    if (shapeA != shapeB)
        return "tree shape differs (" + std::to_string(nodesA.size()) + " vs " + std::to_string(nodesB.size()) +
               " nodes)";
    for (size_t i = 0; i < nodesA.size(); ++i) {
        const GameNode& n = *nodesA[i];
        const GameNode& m = *nodesB[i];
        const std::string at = " at node " + std::to_string(i) + " of the pre-order walk";
        if (n.move != m.move || n.addBlack != m.addBlack || n.addWhite != m.addWhite || n.clearPoints != m.clearPoints)
            return "moves or setup differ" + at;
        if (n.comment() != m.comment() || n.name != m.name)
            return "comment or name differs" + at;
        if (n.labels != m.labels)
            return "labels differ" + at;
        if (n.position != m.position)
            return "position differs" + at;
        if (!exact) {
            auto visible = [](const GameNode& node) {
                std::vector<Mark> marks;
                for (const Mark& mark : node.marks)
                    if (mark.kind <= kMarkTriangle)
                        marks.push_back(mark);
                return marks;
            };
            if (visible(n) != visible(m))
                return "marks differ" + at;
            continue;
        }
        if (n.id != m.id || n.parentId != m.parentId || n.childIds != m.childIds || n.fullSetup != m.fullSetup ||
            n.moveTag != m.moveTag || n.evaluation != m.evaluation || n.hasMask != m.hasMask ||
            n.maskPoints != m.maskPoints || n.sideToMove != m.sideToMove || n.marks != m.marks ||
            n.drawRecords != m.drawRecords || n.comments != m.comments || n.blackCaptured != m.blackCaptured ||
            n.whiteCaptured != m.whiteCaptured)
            return "node fields differ" + at;
    }
    return {};
}

TEST(SggRoundTripCorpus, ProfessionalGamesSurviveSgfSggSgf) {
    TESSERA_REQUIRE_SHARED();
    const auto files = test::corpusFiles({"pro", "pro-big5", "pro-fox", "pro-gbk"});
    ASSERT_GT(files.size(), 3000u);
    std::vector<std::string> failures;
    for (const auto& file : files) {
        std::string error;
        GameRecord fromSgf;
        if (!loadSgfFile(file, fromSgf, error)) {
            failures.push_back(file.string() + ": SGF: " + error);
            continue;
        }
        std::string bytes, again;
        GameRecord fromSgg;
        if (!writeSggBytes(fromSgf, bytes, error) || !readSggBytes(bytes, fromSgg, error)) {
            failures.push_back(file.string() + ": SGG: " + error);
            continue;
        }
        if (const auto diff = difference(fromSgf, fromSgg, true); !diff.empty()) {
            failures.push_back(file.string() + ": SGG: " + diff);
            continue;
        }
        if (!writeSggBytes(fromSgg, again, error) || again != bytes) {
            failures.push_back(file.string() + ": SGG bytes change when read and written again");
            continue;
        }
        GameRecord back;
        std::string sgf;
        if (!writeSgfBytes(fromSgg, sgf, error) || !readSgfBytes(sgf, back, error)) {
            failures.push_back(file.string() + ": SGF again: " + error);
            continue;
        }
        if (const auto diff = difference(fromSgf, back, false); !diff.empty())
            failures.push_back(file.string() + ": SGF again: " + diff);
    }
    std::string list;
    for (const auto& failure : failures)
        list += failure + "\n";
    EXPECT_TRUE(failures.empty()) << failures.size() << " of " << files.size() << " games do not survive:\n" << list;
}

}  // namespace
}  // namespace tessera
