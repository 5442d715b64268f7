// GTP vertices and answers, the handicap table, and the referee between two people.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "engine/gtp_vertex.h"
#include "engine/human_player.h"
#include "engine/match_referee.h"

namespace tessera {
namespace {

TEST(GtpVertex, PointsAndAnswersRoundTripAndNonsenseIsRefused) {
    EXPECT_EQ(gtpVertex(0, 19, 19), "A19");
    EXPECT_EQ(gtpVertex(8, 19, 19), "J19");  // no letter I
    EXPECT_EQ(gtpVertex(18 * 19, 19, 19), "A1");
    EXPECT_EQ(gtpVertex(-1, 19, 19), "pass");
    EXPECT_EQ(gtpVertex(361, 19, 19), "pass");
    for (int p = 0; p < 81; ++p) {
        const GtpMove move = parseGtpMove(gtpVertex(p, 9, 9), 9, 9);
        ASSERT_EQ(move.kind, GtpMoveKind::Point);
        EXPECT_EQ(move.point, p);
    }
    EXPECT_EQ(parseGtpMove("Q16", 19, 19).point, 72);
    EXPECT_EQ(parseGtpMove(" q16 \n", 19, 19).point, 72);
    EXPECT_EQ(parseGtpMove("PASS", 19, 19).kind, GtpMoveKind::Pass);
    EXPECT_EQ(parseGtpMove("resign", 19, 19).kind, GtpMoveKind::Resign);
    for (const char* nonsense : {"T20", "Z1", "I5", "A0", "", "D", "4D", "D4 extra", "hello", "D-1", "D123"})
        EXPECT_EQ(parseGtpMove(nonsense, 19, 19).kind, GtpMoveKind::Invalid) << nonsense;
    BoardGrid position(19, 19);
    position.set(parseGtpMove("D4", 19, 19).point, kBlack);
    position.set(parseGtpMove("Q16", 19, 19).point, kBlack);
    position.set(parseGtpMove("K10", 19, 19).point, kWhite);
    EXPECT_EQ(gtpStoneList(position), "Q16 D4");  // ascending points: top row first
}

TEST(HandicapTable, StarPointsBySizeAndRefusedSizes) {
    const PointList nine = handicapPoints(19, 9);
    ASSERT_EQ(nine.size(), 9u);
    for (const int32_t p : nine) {
        EXPECT_TRUE(p % 19 == 3 || p % 19 == 9 || p % 19 == 15);
        EXPECT_TRUE(p / 19 == 3 || p / 19 == 9 || p / 19 == 15);
    }
    EXPECT_EQ(handicapPoints(13, 2), (PointList{3 * 13 + 3, 9 * 13 + 9}));
    EXPECT_EQ(handicapPoints(9, 3), (PointList{2 * 9 + 2, 4 * 9 + 4, 6 * 9 + 6}));
    EXPECT_EQ(handicapPoints(15, 4).size(), 4u);
    EXPECT_TRUE(handicapPoints(16, 4).empty());
    EXPECT_TRUE(handicapPoints(7, 2).empty());
    EXPECT_TRUE(handicapPoints(19, 1).empty());
    EXPECT_TRUE(handicapPoints(19, 10).empty());
}

// Records everything an observer is told.
struct Watcher : MatchObserver {
    std::vector<Move> moves;
    int started = 0;
    int ended = 0;
    int positions = 0;
    void gameStarted(const MatchParams&) override { ++started; }
    void gameEnded() override { ++ended; }
    void movePlayed(const Move& move) override { moves.push_back(move); }
    void positionSet(const BoardGrid&, int) override { ++positions; }
};

struct HumanMatch {
    std::vector<int> turns;
    HumanPlayer black{[this](int c) { turns.push_back(c); }};
    HumanPlayer white{[this](int c) { turns.push_back(c); }};
    MatchReferee referee;
    Watcher watcher;

    explicit HumanMatch(int size, int handicap = 0, int rule = kMatchChineseRules) {
        MatchSetup setup;
        setup.blackKind = setup.whiteKind = kPlayerHuman;
        setup.blackName = "黑";
        setup.whiteName = "白";
        setup.boardSize = size;
        setup.handicap = handicap;
        setup.rule = rule;
        EXPECT_TRUE(referee.setPlayers(setup, &black, &white));
        EXPECT_TRUE(referee.addObserver(&watcher));
        EXPECT_FALSE(referee.addObserver(&watcher));
        referee.start();
    }
};

TEST(MatchReferee, TakesMovesOnlyFromTheSideToMoveAndRefusesIllegalStones) {
    HumanMatch match(9);
    EXPECT_EQ(match.watcher.started, 1);
    EXPECT_EQ(match.turns, std::vector<int>{kBlack});
    EXPECT_FALSE(match.referee.submitMove(Move{kWhite, 40}));  // out of turn
    EXPECT_TRUE(match.referee.submitHumanMove(40));
    EXPECT_FALSE(match.referee.submitMove(Move{kBlack, 41}));  // a second click of black
    EXPECT_FALSE(match.referee.submitHumanMove(40));           // occupied
    EXPECT_TRUE(match.referee.submitHumanMove(41));
    EXPECT_EQ(match.turns, (std::vector<int>{kBlack, kWhite, kBlack}));
    EXPECT_EQ(match.referee.moveCount(), 2);
    EXPECT_EQ(match.watcher.moves, (std::vector<Move>{{kBlack, 40}, {kWhite, 41}}));
    EXPECT_FALSE(MatchReferee().submitMove(Move{kBlack, 0}));  // no match
}

TEST(MatchReferee, TwoPassesEndTheGameWithACountAndOnePassDoesNot) {
    HumanMatch match(9);
    ASSERT_TRUE(match.referee.submitHumanMove(40));  // black in the centre
    ASSERT_TRUE(match.referee.submitHumanMove(-1));
    ASSERT_TRUE(match.referee.submitHumanMove(41));
    ASSERT_TRUE(match.referee.submitHumanMove(-1));
    EXPECT_EQ(match.referee.state(), kMatchPlaying);  // a pass after a stone goes on
    ASSERT_TRUE(match.referee.submitHumanMove(-1));
    EXPECT_EQ(match.referee.state(), kMatchEnded);
    EXPECT_EQ(match.watcher.ended, 1);
    EXPECT_EQ(match.referee.winner(), 'B');  // one black stone owns the empty board
    EXPECT_EQ(match.referee.result().rfind("B+", 0), 0u);
    const GameRecord record = match.referee.record();
    EXPECT_EQ(record.info.resultText, match.referee.result());
    EXPECT_EQ(record.info.resultType, kResultBlackWins);
    EXPECT_EQ(record.tree.size(), 6u);               // root, two stones, three passes
    EXPECT_FALSE(match.referee.submitHumanMove(0));  // over
    EXPECT_FALSE(match.referee.resign(kBlack));
}

TEST(MatchReferee, ResignationAndFailureEndTheMatchOnce) {
    HumanMatch resigned(9);
    EXPECT_TRUE(resigned.referee.resign(kWhite));
    EXPECT_EQ(resigned.referee.result(), "B+R");
    EXPECT_EQ(resigned.referee.winner(), 'B');
    resigned.referee.playerFailed(kBlack, "late failure");  // after the end: ignored
    EXPECT_TRUE(resigned.referee.error().empty());
    EXPECT_EQ(resigned.watcher.ended, 1);

    HumanMatch failed(9);
    ASSERT_TRUE(failed.referee.submitHumanMove(0));
    failed.referee.playerFailed(kWhite, "白方: 围棋引擎 gnugo 意外退出");
    EXPECT_EQ(failed.referee.state(), kMatchEnded);
    EXPECT_EQ(failed.referee.winner(), 0);
    EXPECT_EQ(failed.referee.error(), "白方: 围棋引擎 gnugo 意外退出");
    EXPECT_EQ(failed.referee.record().tree.size(), 2u);  // the move played is kept
    EXPECT_TRUE(failed.referee.waitForEnd(0));
}

TEST(MatchReferee, HandicapPutsStonesOnStarPointsAndWhiteMovesFirst) {
    HumanMatch match(19, 9);
    EXPECT_EQ(match.watcher.positions, 1);
    EXPECT_EQ(match.referee.sideToMove(), kWhite);
    EXPECT_EQ(match.turns, std::vector<int>{kWhite});
    const GameRecord record = match.referee.record();
    EXPECT_EQ(record.tree.find(0)->addBlack.size(), 9u);
    EXPECT_EQ(record.info.handicap, 9);
    HumanMatch refused(8, 4);  // no handicap on an even board: reduced to 0
    EXPECT_EQ(refused.referee.sideToMove(), kBlack);
    EXPECT_EQ(refused.referee.setup().handicap, 0);
    HumanMatch one(19, 1);
    EXPECT_EQ(one.referee.setup().handicap, 0);
}

TEST(MatchReferee, ConcurrentClicksTakeExactlyOneMovePerTurn) {
    HumanMatch match(19);
    std::vector<std::thread> clickers;
    std::atomic<int> taken{0};
    for (int t = 0; t < 8; ++t)
        clickers.emplace_back([&, t] {
            for (int p = 0; p < 40; ++p)
                if (match.referee.submitMove(Move{kBlack, t * 40 + p}))
                    ++taken;
        });
    for (std::thread& clicker : clickers)
        clicker.join();
    EXPECT_EQ(taken, 1);
    EXPECT_EQ(match.referee.sideToMove(), kWhite);
}

}  // namespace
}  // namespace tessera
