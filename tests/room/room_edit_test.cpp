// Edit tools, masks, move numbers, display transforms and the variation tree.
#include <gtest/gtest.h>

#include <algorithm>

#include "recording_host.h"
#include "room/game_room.h"
#include "room/move_numbers.h"
#include "room/variation_tree.h"

namespace tessera {
namespace {

using test::lineRecord;
using test::pointOf;
using test::RecordingHost;

std::map<int32_t, std::string> labelsByPoint(const std::vector<Label>& labels) {
    std::map<int32_t, std::string> out;
    for (const Label& label : labels)
        out[label.point] = label.text;
    return out;
}

struct EditFixture : ::testing::Test {
    RecordingHost host;
    GameRoom room{&host};
    void SetUp() override { room.openRecord(lineRecord({"D4", "Q16", "D16"}), kRoomStudy); }
};

TEST_F(EditFixture, MarkToolsToggleAndAreStoredInTheNode) {
    room.goLast();
    room.setClickMode(kClickTriangle);
    room.clickPoint(pointOf("D16"));
    room.setClickMode(kClickCircle);
    room.clickPoint(pointOf("D16"));  // a mark is there: removed, nothing added
    EXPECT_TRUE(room.currentNode()->marks.empty());
    room.clickPoint(pointOf("K10"));
    room.setClickMode(kClickNextLetter);
    room.clickPoint(pointOf("A1"));
    room.clickPoint(pointOf("A2"));
    const GameNode& node = *room.currentNode();
    ASSERT_EQ(node.marks.size(), 1u);
    EXPECT_EQ(node.marks[0], (Mark{kMarkCircle, pointOf("K10")}));
    ASSERT_EQ(node.labels.size(), 2u);
    EXPECT_EQ(node.labels[1], (Label{pointOf("A2"), 0xFF0000, "b"}));
    // Move numbers are shown but never stored with the markup.
    EXPECT_EQ(room.display().moveNumbers.size(), 1u);

    room.setClickMode(kClickRemoveMark);
    room.clickPoint(pointOf("A1"));
    EXPECT_EQ(room.currentNode()->labels.size(), 1u);
    room.setClickMode(kClickNextLetter);
    room.clickPoint(pointOf("A3"));  // the furthest letter in use is b: c follows
    EXPECT_EQ(room.currentNode()->labels.back().text, "c");

    host.answers = {"好手!", "toolong", "好手"};
    room.setClickMode(kClickFreeLabel);
    host.messages.clear();
    room.clickPoint(pointOf("B2"));  // "好手!" is 5 bytes in GB form: cut to "好手", and said so
    EXPECT_EQ(room.currentNode()->labels.back(), (Label{pointOf("B2"), 0, "好手"}));
    room.clickPoint(pointOf("B3"));  // 7 bytes
    EXPECT_EQ(room.currentNode()->labels.back(), (Label{pointOf("B3"), 0, "tool"}));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_NE(host.messages[0].find("“好手!”"), std::string::npos) << host.messages[0];
    EXPECT_NE(host.messages[1].find("“tool”"), std::string::npos) << host.messages[1];
    room.clickPoint(pointOf("B5"));  // exactly 4 bytes: placed without a word
    EXPECT_EQ(room.currentNode()->labels.back().text, "好手");
    EXPECT_EQ(host.messages.size(), 2u);
    host.answers = {"AB?"};
    room.clickPoint(pointOf("B4"));
    EXPECT_EQ(room.currentNode()->labels.back(), (Label{pointOf("B4"), 0xFF0000, "AB?"}));

    room.clearAllMarks();
    EXPECT_TRUE(room.currentNode()->marks.empty());
    EXPECT_TRUE(room.currentNode()->labels.empty());
}

TEST_F(EditFixture, MarkupEditWithTheMarkupPanelOffKeepsTheNodesMarks) {
    room.goLast();
    room.setClickMode(kClickSquare);
    room.clickPoint(pointOf("A1"));
    room.toggleInfoPanel(0);
    room.clickPoint(pointOf("A2"));
    EXPECT_EQ(room.currentNode()->marks.size(), 2u);
    EXPECT_TRUE(room.infoPanels() & kPanelComments);
}

TEST_F(EditFixture, DeadStoneToolMarksAndUnmarksWholeGroups) {
    room.openRecord(lineRecord({"D4", "Q16", "D5", "Q15"}), kRoomStudy);
    room.goLast();
    room.setClickMode(kClickDeadStones);
    room.clickPoint(pointOf("K10"));  // empty point: nothing
    EXPECT_TRUE(room.currentNode()->marks.empty());
    room.clickPoint(pointOf("D4"));
    EXPECT_EQ(room.deadPoints().size(), 2u);
    EXPECT_EQ(room.currentNode()->marks.size(), 2u);
    room.clickPoint(pointOf("D5"));
    EXPECT_TRUE(room.deadPoints().empty());
}

TEST_F(EditFixture, MasksAreStoredAsTheShownPoints) {
    room.goLast();
    room.maskAll();
    EXPECT_EQ(room.currentNode()->hasMask, 1u);
    EXPECT_TRUE(room.currentNode()->maskPoints.empty());
    room.invertMask();
    EXPECT_EQ(room.currentNode()->hasMask, 0u);
    EXPECT_TRUE(room.currentNode()->maskPoints.empty());
    room.setClickMode(kClickMask);
    room.clickPoint(pointOf("A1"));
    EXPECT_EQ(room.currentNode()->hasMask, 1u);
    EXPECT_EQ(room.currentNode()->maskPoints.size(), 360u);
    room.goPrev();
    EXPECT_TRUE(room.display().mask.allMarked());
    room.goNext();
    EXPECT_EQ(room.display().mask.get(pointOf("A1")), 0);
    room.toggleRectSelect();
    EXPECT_TRUE(room.rectSelect());
    room.setClickMode(kClickCircle);
    EXPECT_FALSE(room.rectSelect());
}

TEST_F(EditFixture, ARubberBandTogglesTheMaskOfThePointsInsideIt) {
    room.goLast();
    room.setClickMode(kClickMask);
    room.toggleRectSelect();
    EXPECT_TRUE(room.display().rectSelect);  // the board widget reads the selection mode here
    room.toggleMaskPoints({pointOf("A19"), pointOf("B19"), pointOf("A18"), pointOf("B18")});
    EXPECT_EQ(room.display().mask.countValue(0), 4);
    EXPECT_EQ(room.currentNode()->maskPoints.size(), 361u - 4u);
    EXPECT_EQ(room.display().mask.get(pointOf("B18")), 0);
    EXPECT_EQ(room.display().cursor, pointOf("D16"));  // the last move keeps the cursor
    room.moveCursor(-1, 0);
    EXPECT_EQ(room.display().cursor, pointOf("C16"));
}

TEST(MoveNumbers, OnlyTheLatestStoneOnAPointIsNumberedAndCapturedStonesAreSkipped) {
    // Black A2, white A1, black B1 captures A1, white C5, black A1 again on the captured point.
    GameRecord record = lineRecord({"A2", "A1", "B1", "C5", "A1"});
    const GameNode* last = record.tree.find(5);
    auto labels = labelsByPoint(moveNumberLabels(record.tree, 5, last->position, 2));
    EXPECT_EQ(labels, (std::map<int32_t, std::string>{
                          {pointOf("A1"), "5"}, {pointOf("C5"), "4"}, {pointOf("B1"), "3"}, {pointOf("A2"), "1"}}));
    // At move 3 the captured white stone at A1 gets no number.
    labels = labelsByPoint(moveNumberLabels(record.tree, 3, record.tree.find(3)->position, 4));
    EXPECT_EQ(labels, (std::map<int32_t, std::string>{{pointOf("B1"), "3"}, {pointOf("A2"), "1"}}));
    EXPECT_EQ(moveNumberLabels(record.tree, 5, last->position, 1).size(), 1u);
    EXPECT_TRUE(moveNumberLabels(record.tree, 5, last->position, 0).empty());
    const auto colours = moveNumberLabels(record.tree, 5, last->position, 2);
    EXPECT_EQ(colours[0].colour, 0xFFFFFFu);  // A1 black stone: white text
    EXPECT_EQ(colours[1].colour, 0u);         // C5 white stone
}

TEST_F(EditFixture, TrialPlayNumbersItsOwnLineInGrey) {
    room.goToNode(1);
    room.setMoveNumberMode(0);
    room.clickPoint(pointOf("K10"));  // white, at a node with children: trial play
    room.clickPoint(pointOf("K12"));
    const auto labels = room.display().moveNumbers;
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labelsByPoint(labels), (std::map<int32_t, std::string>{{pointOf("K12"), "2"}, {pointOf("K10"), "1"}}));
    EXPECT_EQ(labels[0].colour, 0xC0C0C0u);  // K12 is black
    EXPECT_EQ(labels[1].colour, 0x808080u);
    room.endTrial();
    EXPECT_TRUE(room.display().moveNumbers.empty());
}

TEST_F(EditFixture, TransformCommandsChangeOnlyTheViewNotTheRecord) {
    room.goLast();
    const BoardGrid before = room.currentNode()->position;
    room.rotateClockwise();
    EXPECT_TRUE(room.canResetTransform());
    room.toggleFlipX();
    room.resetTransform();
    EXPECT_FALSE(room.canResetTransform());
    EXPECT_TRUE(room.currentNode()->position.equals(before));
}

TEST(VariationTree, BranchesNestTheirLinesAndTextsCarryAnnotations) {
    GameRecord record = lineRecord({"D4", "Q16"});
    GameNode variation;
    variation.parentId = 1;
    variation.move = Move{2, test::pointOf("C3")};
    variation.name = "变化";
    record.tree.addNode(variation);  // id 3, second child of 1
    GameNode tagged;
    tagged.parentId = 2;
    tagged.move = Move{1, test::pointOf("K10")};
    tagged.evaluation = 0.7;
    tagged.moveTag = 14;
    tagged.setComment("正解");
    record.tree.addNode(tagged);  // id 4
    GameNode setup;
    setup.parentId = 3;
    setup.addWhite = {0};
    setup.comments.push_back(Comment{"", "说明"});
    record.tree.addNode(setup);  // id 5
    record.recomputePositions();
    const auto items = buildVariationTree(record.tree, record.geometry());
    ASSERT_EQ(items.size(), 4u);  // root, D4, two branch items
    EXPECT_EQ(items[0].text, "无信息( 0 )");
    EXPECT_EQ(items[1].text, "D4( 1 )");
    EXPECT_EQ(items[1].image, kImageBlackMove);
    EXPECT_TRUE(items[2].branch);
    EXPECT_EQ(items[2].text, "分枝1( 1 )");
    EXPECT_EQ(items[2].nodeId, 1);
    EXPECT_EQ(items[2].image, kImageBranch);
    EXPECT_EQ(items[3].text, "变化");
    ASSERT_EQ(items[2].children.size(), 2u);
    EXPECT_EQ(items[2].children[0].text, "Q16( 2 )");
    EXPECT_EQ(items[2].children[0].image, kImageWhiteMove);
    EXPECT_EQ(items[2].children[1].text, "K10解说( 4, 0.7, 14 )");
    ASSERT_EQ(items[3].children.size(), 2u);
    EXPECT_EQ(items[3].children[0].text, "C3 变化( 3 )");
    EXPECT_EQ(items[3].children[1].text, "添加白子解说( 5 )");
    EXPECT_EQ(items[3].children[1].image, kImageOther);
    EXPECT_EQ(findVariationItem(items, 4), (std::vector<int>{2, 1}));
    EXPECT_EQ(findVariationItem(items, 5), (std::vector<int>{3, 1}));
    EXPECT_TRUE(findVariationItem(items, 42).empty());
}

TEST(VariationTree, BranchesNestNoDeeperThanTheLimit) {
    // Every node has a side line: 1,000 nested variations, shown at most kMaxNestedBranches deep.
    GameRecord record = lineRecord({});
    int32_t parent = 0;
    for (int i = 0; i < 1000; ++i) {
        GameNode next, side;
        next.parentId = side.parentId = parent;
        next.move = Move{kBlack, 0};
        side.move = Move{kWhite, 1};
        parent = record.tree.addNode(next)->id;
        record.tree.addNode(side);
    }
    const auto items = buildVariationTree(record.tree, record.geometry());
    int depth = 0, nodes = 0;
    std::vector<std::pair<const std::vector<VariationItem>*, int>> pending{{&items, 1}};
    while (!pending.empty()) {
        auto [list, level] = pending.back();
        pending.pop_back();
        depth = std::max(depth, level);
        for (const VariationItem& item : *list) {
            nodes += item.branch ? 0 : 1;
            if (!item.children.empty())
                pending.push_back({&item.children, level + 1});
        }
    }
    EXPECT_EQ(depth, kMaxNestedBranches + 1);
    EXPECT_EQ(nodes, 2001);  // every node once
    EXPECT_FALSE(findVariationItem(items, parent).empty());
}

TEST_F(EditFixture, TheRoomsRulesChooseTheCountAndIngRulesAreRefused) {
    room.goLast();
    room.setRules(RuleSettings{kRulesChinese, 3.75});
    const CountResult area = room.count();
    EXPECT_TRUE(area.counted && area.areaCount);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].rfind("结果:\r\n黑: ", 0), 0u) << host.messages[0];
    EXPECT_FALSE(room.countSummary().empty());
    room.setRules(RuleSettings{kRulesKorean, 6.5});
    EXPECT_FALSE(room.count().areaCount);
    room.setRules(RuleSettings{kRulesIng, 8});
    EXPECT_FALSE(room.count().counted);
    EXPECT_EQ(host.messages.back(), "只有中国规则, 韩国规则, 日本规则 才支持点算胜负! 请先修改规则类型.");
    EXPECT_EQ(room.display().marks.size(), 0u);  // the ownership marks are gone after each report
}

}  // namespace
}  // namespace tessera
