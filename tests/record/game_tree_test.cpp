#include <gtest/gtest.h>

#include <limits>

#include "go/board_transform.h"
#include "record/game_tree.h"
#include "record/node_transform.h"

namespace tessera {
namespace {

GameNode nodeWith(int32_t id, int32_t parent, Move move = {}) {
    GameNode n;
    n.id = id;
    n.parentId = parent;
    n.move = move;
    return n;
}

std::vector<int32_t> idsOf(const std::vector<GameNode*>& nodes) {
    std::vector<int32_t> ids;
    for (const GameNode* n : nodes)
        ids.push_back(n->id);
    return ids;
}

TEST(GameTreeTest, IdsAreAssignedAndDuplicatesRefused) {
    GameTree tree;
    EXPECT_EQ(tree.largestId(), -1);
    GameNode* root = tree.addNode(GameNode());
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->id, 0);
    EXPECT_NE(tree.addNode(nodeWith(7, 0)), nullptr);
    EXPECT_EQ(tree.addNode(nodeWith(-1, 7))->id, 8);
    EXPECT_EQ(tree.addNode(nodeWith(7, 0)), nullptr);
    EXPECT_EQ(tree.size(), 3u);
    EXPECT_EQ(tree.find(0)->childIds, (std::vector<int32_t>{7}));
    EXPECT_EQ(tree.find(-3), nullptr);
}

// Ids far above the node count (a record may carry any id) are found, walked, copied and
// removed like dense ones, and ids freed by a removal are not found any more.
TEST(GameTreeTest, IdsFarApartAndAtTheIntegerLimit) {
    const int32_t top = std::numeric_limits<int32_t>::max();
    GameTree tree;
    tree.addNode(nodeWith(0, -1));
    tree.addNode(nodeWith(top, 0));
    tree.addNode(nodeWith(1'000'000, top));
    tree.addNode(nodeWith(3, 1'000'000));
    EXPECT_EQ(tree.addNode(nodeWith(top, 3)), nullptr);
    EXPECT_EQ(idsOf(tree.mainLine()), (std::vector<int32_t>{0, top, 1'000'000, 3}));
    EXPECT_EQ(idsOf(tree.subtree(*tree.find(0))), (std::vector<int32_t>{0, top, 1'000'000, 3}));
    const GameTree copy = tree;
    EXPECT_EQ(copy.find(1'000'000)->parentId, top);
    ASSERT_TRUE(tree.removeSubtree(top));
    EXPECT_EQ(tree.find(top), nullptr);
    EXPECT_EQ(tree.find(3), nullptr);
    EXPECT_EQ(tree.largestId(), 0);
    EXPECT_NE(copy.find(3), nullptr);
}

TEST(GameTreeTest, ANodeUnderAMissingParentIsIndexedButUnreachable) {
    GameTree tree;
    tree.addNode(nodeWith(0, -1));
    tree.addNode(nodeWith(1, 0));
    ASSERT_NE(tree.addNode(nodeWith(5, 42)), nullptr);
    EXPECT_NE(tree.find(5), nullptr);
    EXPECT_EQ(idsOf(tree.roots()), (std::vector<int32_t>{0}));
    EXPECT_EQ(idsOf(tree.mainLine()), (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(tree.subtree(*tree.find(0)).size(), 2u);
}

TEST(GameTreeTest, TraversalsFollowFirstChildren) {
    GameTree tree;
    tree.addNode(nodeWith(0, -1));
    tree.addNode(nodeWith(1, 0, {kBlack, 3}));
    tree.addNode(nodeWith(2, 0, {kBlack, 4}));
    tree.addNode(nodeWith(3, 1, {kWhite, 5}));
    tree.addNode(nodeWith(4, 3, {kWhite, -1}));  // a pass is not a move
    EXPECT_EQ(idsOf(tree.mainLine()), (std::vector<int32_t>{0, 1, 3, 4}));
    EXPECT_EQ(idsOf(tree.lineBelow(*tree.find(1))), (std::vector<int32_t>{3, 4}));
    EXPECT_EQ(idsOf(tree.ancestors(*tree.find(4))), (std::vector<int32_t>{3, 1, 0}));
    EXPECT_EQ(idsOf(tree.subtree(*tree.find(0))), (std::vector<int32_t>{0, 1, 3, 4, 2}));
    EXPECT_EQ(tree.countMainLineMoves(), 2);
}

TEST(GameTreeTest, RemovingANodeHandsItsChildrenToItsParent) {
    GameTree tree;
    tree.addNode(nodeWith(0, -1));
    for (int id : {1, 2, 3})
        tree.addNode(nodeWith(id, 0));
    tree.addNode(nodeWith(4, 2));
    tree.addNode(nodeWith(5, 2));
    ASSERT_TRUE(tree.removeNodeKeepChildren(2));
    EXPECT_EQ(tree.find(2), nullptr);
    EXPECT_EQ(tree.find(0)->childIds, (std::vector<int32_t>{1, 3, 4, 5}));
    EXPECT_EQ(tree.find(4)->parentId, 0);
    // Removing a root makes its children roots.
    ASSERT_TRUE(tree.removeNodeKeepChildren(0));
    EXPECT_EQ(idsOf(tree.roots()), (std::vector<int32_t>{1, 3, 4, 5}));
    EXPECT_FALSE(tree.removeNodeKeepChildren(0));
}

TEST(GameTreeTest, RemovingASubtreeTakesEveryDescendant) {
    GameTree tree;
    tree.addNode(nodeWith(0, -1));
    tree.addNode(nodeWith(1, 0));
    tree.addNode(nodeWith(2, 1));
    tree.addNode(nodeWith(3, 2));
    tree.addNode(nodeWith(4, 0));
    ASSERT_TRUE(tree.removeSubtree(1));
    EXPECT_EQ(tree.size(), 2u);
    EXPECT_EQ(tree.find(0)->childIds, (std::vector<int32_t>{4}));
    EXPECT_EQ(tree.largestId(), 4);
    ASSERT_TRUE(tree.removeSubtree(4));
    EXPECT_EQ(tree.largestId(), 0);
    EXPECT_EQ(tree.addNode(GameNode())->id, 1);
}

TEST(GameTreeTest, DeepLinesAreWalkedWithoutRecursion) {
    GameTree tree;
    tree.addNode(nodeWith(0, -1));
    for (int id = 1; id < 100000; ++id)
        tree.addNode(nodeWith(id, id - 1, {id % 2 ? uint32_t(kBlack) : uint32_t(kWhite), -1}));
    tree.recomputePositions(BoardGeometry(9, 9));
    EXPECT_EQ(tree.mainLine().size(), 100000u);
    EXPECT_TRUE(tree.removeSubtree(0));
    EXPECT_TRUE(tree.empty());
}

TEST(RecomputeTest, PositionsPrisonersAndSideToMove) {
    const BoardGeometry g(5, 5);
    GameTree tree;
    GameNode root = nodeWith(0, -1);
    root.addWhite = {g.pointAt(1, 0)};
    root.addBlack = {g.pointAt(0, 0), g.pointAt(2, 0)};
    tree.addNode(root);
    tree.addNode(nodeWith(1, 0, {kBlack, g.pointAt(1, 1)}));  // captures the white stone
    tree.addNode(nodeWith(2, 1, {kWhite, g.pointAt(4, 4)}));
    tree.recomputePositions(g);
    const GameNode* capture = tree.find(1);
    EXPECT_EQ(capture->captured, (PointList{g.pointAt(1, 0)}));
    EXPECT_EQ(capture->whiteCaptured, 1u);
    EXPECT_EQ(capture->position.get(g.pointAt(1, 0)), kEmpty);
    EXPECT_EQ(capture->sideToMove, kWhite);
    EXPECT_EQ(tree.find(2)->whiteCaptured, 1u);
    EXPECT_EQ(tree.find(2)->sideToMove, kBlack);
    EXPECT_EQ(tree.find(0)->sideToMove, kBlack);  // repaired from its first child's move
}

TEST(RecomputeTest, SideToMoveComesFromTheFirstChildWithAStone) {
    GameTree tree;
    tree.addNode(nodeWith(0, -1));
    tree.addNode(nodeWith(1, 0));                // empty node
    tree.addNode(nodeWith(2, 0, {kWhite, 10}));  // handicap game: white starts
    tree.recomputePositions(BoardGeometry(19, 19));
    EXPECT_EQ(tree.find(0)->sideToMove, kWhite);
    EXPECT_EQ(tree.find(1)->sideToMove, kBlack);  // no child: black
}

TEST(RecomputeTest, FullSetupAndSetupAfterTheMove) {
    const BoardGeometry g(5, 5);
    GameTree tree;
    GameNode root = nodeWith(0, -1);
    root.addBlack = {0, 1, 2};
    tree.addNode(root);
    GameNode setup = nodeWith(1, 0);
    setup.fullSetup = 1;
    setup.addWhite = {12};
    tree.addNode(setup);
    GameNode both = nodeWith(2, 1, {kBlack, 6});
    both.addWhite = {6};  // overwrites the stone just played
    both.clearPoints = {12};
    tree.addNode(both);
    tree.recomputePositions(g);
    PointList stones;
    tree.find(1)->position.stones(stones);
    EXPECT_EQ(stones, (PointList{12}));
    EXPECT_EQ(tree.find(2)->position.get(6), kWhite);
    EXPECT_EQ(tree.find(2)->position.get(12), kEmpty);
}

TEST(TreeEditTest, PlayingAlwaysAddsANewLastChild) {
    const BoardGeometry g(9, 9);
    GameTree tree;
    tree.addNode(GameNode());
    tree.recomputePositions(g);
    GameNode* first = playMoveAtNode(tree, g, 0, {kBlack, 40});
    GameNode* again = playMoveAtNode(tree, g, 0, {kBlack, 40});
    ASSERT_TRUE(first && again);
    EXPECT_NE(first->id, again->id);
    EXPECT_EQ(tree.find(0)->childIds, (std::vector<int32_t>{first->id, again->id}));
    EXPECT_EQ(again->sideToMove, kWhite);
    EXPECT_EQ(playMoveAtNode(tree, g, first->id, {kWhite, 40}), nullptr);  // occupied
    EXPECT_EQ(tree.size(), 3u);
}

TEST(TreeEditTest, SetupStonesGoIntoOneFullSetupNode) {
    const BoardGeometry g(9, 9);
    GameTree tree;
    tree.addNode(GameNode());
    tree.recomputePositions(g);
    GameNode* moved = playMoveAtNode(tree, g, 0, {kBlack, 40});
    GameNode* setup = addSetupStone(tree, g, moved->id, 0, kWhite);
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(setup->parentId, moved->id);
    EXPECT_TRUE(setup->fullSetup);
    EXPECT_EQ(setup->sideToMove, kBlack);
    EXPECT_EQ(addSetupStone(tree, g, setup->id, 1, kBlack), setup);
    EXPECT_EQ(addSetupStone(tree, g, setup->id, 40, kWhite), setup);  // occupied: emptied
    EXPECT_EQ(setup->addBlack, (PointList{1}));
    EXPECT_EQ(setup->addWhite, (PointList{0}));
    // The stored lists reproduce the position on recomputation.
    const BoardGrid shown = setup->position;
    tree.recomputePositions(g);
    EXPECT_EQ(tree.find(setup->id)->position, shown);
}

TEST(NodeTest, LabelsAreLimitedToFourBytesInTheirFileForm) {
    GameNode node;
    EXPECT_FALSE(node.addLabel({3, 0, "ABCDE"}));
    EXPECT_TRUE(node.addLabel({3, 0, "ABCD"}));
    EXPECT_TRUE(node.addLabel({4, 0, "黑白"}));     // two characters, four bytes
    EXPECT_FALSE(node.addLabel({5, 0, "黑白子"}));  // six bytes
    EXPECT_FALSE(node.addLabel({5, 0, ""}));
    EXPECT_EQ(node.labels.size(), 2u);
}

TEST(NodeTest, MapNodeMovesEveryPointBearingField) {
    const BoardGeometry g(9, 13);
    GameNode node;
    node.position = BoardGrid(9, 13);
    node.position.set(g.pointAt(1, 2), kBlack);
    node.move = {kBlack, g.pointAt(1, 2)};
    node.addWhite = {g.pointAt(0, 0)};
    node.marks = {{kMarkTriangle, g.pointAt(8, 12)}};
    node.labels = {{g.pointAt(3, 4), 0, "A"}};
    node.blackCaptured = 3;
    const BoardTransform t(5, g);
    const GameNode mapped = mapNode(t, node);
    EXPECT_EQ(mapped.position.width(), 13);
    EXPECT_EQ(mapped.position.get(mapped.move.point), kBlack);
    EXPECT_EQ(mapped.move.point, t.mapPoint(g.pointAt(1, 2)));
    EXPECT_EQ(mapped.addWhite, (PointList{t.mapPoint(0)}));
    EXPECT_EQ(mapped.marks[0].point, t.mapPoint(g.pointAt(8, 12)));
    EXPECT_EQ(mapped.labels[0].point, t.mapPoint(g.pointAt(3, 4)));
    EXPECT_EQ(mapped.blackCaptured, 3u);
    BoardTransform back = t;
    back.inverse = true;
    const GameNode restored = mapNode(back, mapped);
    EXPECT_EQ(restored.position, node.position);
    EXPECT_EQ(restored.marks, node.marks);
}

}  // namespace
}  // namespace tessera
