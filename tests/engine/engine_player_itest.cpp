// Matches against the real GNU Go (one playing from a statistics book built from library
// games), and engines that fail in every way a program can.

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>

#include "engine/engine_player.h"
#include "engine/human_player.h"
#include "engine/match_referee.h"
#include "engine/program_log.h"
#include "go/play_move.h"
#include "library/library_import.h"
#include "library/library_store.h"
#include "platform/process_channel.h"
#include "stats/book_move.h"
#include "stats/pattern_bases.h"
#include "stats/stats_builder.h"
#include "support/test_support.h"

namespace tessera {
namespace {

using namespace std::chrono_literals;

#define REQUIRE_GNUGO()                               \
    if (findProgram("gnugo", {"/usr/games"}).empty()) \
    GTEST_SKIP() << "GNU Go is not installed (Debian package gnugo)"

bool processGone(pid_t pid) { return pid <= 0 || (::kill(pid, 0) != 0 && errno == ESRCH); }

// A match with computer and human sides as asked; the log goes to a scratch folder.
struct Match {
    test::ScratchFolder folder;
    ProgramLog log{(folder / "log.txt").string()};
    EnginePlayer blackEngine{&log};
    EnginePlayer whiteEngine{&log};
    HumanPlayer blackHuman;
    HumanPlayer whiteHuman;
    MatchReferee referee;

    void start(MatchSetup setup) {
        blackEngine.configure(setup.blackEngine);
        whiteEngine.configure(setup.whiteEngine);
        MatchPlayer* black = setup.blackKind == kPlayerComputer ? static_cast<MatchPlayer*>(&blackEngine) : &blackHuman;
        MatchPlayer* white = setup.whiteKind == kPlayerComputer ? static_cast<MatchPlayer*>(&whiteEngine) : &whiteHuman;
        ASSERT_TRUE(referee.setPlayers(setup, black, white));
        referee.start();
    }
    std::string logText() { return test::readBytes(folder / "log.txt"); }
    // Waits up to 30 s for the match to reach `moves` moves; the count it reached.
    int waitForMoves(int moves) {
        for (int i = 0; i < 3000 && referee.moveCount() < moves; ++i)
            std::this_thread::sleep_for(10ms);
        return referee.moveCount();
    }
    // The first empty point of the current position, for the person's move.
    int32_t firstEmptyPoint() {
        const GameRecord record = referee.record();  // a copy: the referee's changes as the game goes
        const BoardGrid& position = record.tree.mainLine().back()->position;
        int32_t free = 0;
        while (position.get(free) != 0)
            ++free;
        return free;
    }
    ~Match() { referee.stopPlayers(); }
};

MatchSetup computerMatch(int size, const std::string& command = "gnugo") {
    MatchSetup setup;
    setup.blackKind = setup.whiteKind = kPlayerComputer;
    setup.boardSize = size;
    setup.blackEngine.command = setup.whiteEngine.command = command;
    return setup;
}

// True when every move of the record's main line replays legally from the root.
bool replaysLegally(const GameRecord& record) {
    const auto line = record.tree.mainLine();
    if (line.empty())
        return false;
    BoardGrid position;
    position.copyFrom(line.front()->position);
    for (size_t i = 1; i < line.size(); ++i) {
        PointList captured;
        if (line[i]->move.point >= 0 && !playMove(position, line[i]->move, captured))
            return false;
        if (!(position == line[i]->position))
            return false;
    }
    return true;
}

TEST(EnginePlayerGnuGo, ComputerAgainstComputerOnNineByNinePlaysToTheEnd) {
    REQUIRE_GNUGO();
    Match match;
    match.start(computerMatch(9));
    ASSERT_TRUE(match.referee.waitForEnd(120000));
    EXPECT_EQ(match.referee.error(), "");
    const GameRecord record = match.referee.record();
    EXPECT_TRUE(replaysLegally(record));
    const auto line = record.tree.mainLine();
    ASSERT_GE(line.size(), 4u);
    // Both sides passed at the end (or one resigned).
    const bool passedOut = line[line.size() - 1]->move.point < 0 && line[line.size() - 2]->move.point < 0;
    EXPECT_TRUE(passedOut || match.referee.result().find("+R") != std::string::npos);
    EXPECT_NE(match.referee.winner(), 0) << match.referee.result();
    EXPECT_EQ(record.info.resultText, match.referee.result());
    const pid_t black = match.blackEngine.enginePid();
    match.referee.stopPlayers();
    EXPECT_TRUE(processGone(black));
    EXPECT_EQ(match.blackEngine.enginePid(), 0);
}

TEST(EnginePlayerGnuGo, NineStoneHandicapOnStarPointsWithWhiteToMoveFirst) {
    REQUIRE_GNUGO();
    Match match;
    MatchSetup setup = computerMatch(19);
    setup.blackKind = kPlayerHuman;
    setup.handicap = 9;
    match.start(setup);
    // GNU Go plays white's first move; then it is the person's turn.
    ASSERT_EQ(match.waitForMoves(1), 1) << match.referee.error();
    const GameRecord record = match.referee.record();
    PointList stars = record.tree.find(0)->addBlack;
    std::sort(stars.begin(), stars.end());
    PointList expected = handicapPoints(19, 9);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(stars, expected);
    EXPECT_EQ(record.tree.mainLine()[1]->move.colour, static_cast<uint32_t>(kWhite));
    EXPECT_EQ(match.referee.sideToMove(), kBlack);
    // The person answers; GNU Go answers again.
    EXPECT_TRUE(match.referee.submitHumanMove(match.firstEmptyPoint()));
    EXPECT_EQ(match.waitForMoves(3), 3) << match.referee.error();
}

TEST(EnginePlayerGnuGo, AnEngineKilledMidGameEndsTheMatchKeepingItsMoves) {
    REQUIRE_GNUGO();
    Match match;
    MatchSetup setup = computerMatch(9);
    setup.whiteKind = kPlayerHuman;
    match.start(setup);
    ASSERT_EQ(match.waitForMoves(1), 1) << match.referee.error();
    const pid_t engine = match.blackEngine.enginePid();
    ASSERT_GT(engine, 0);
    ::kill(engine, SIGKILL);
    match.referee.submitHumanMove(match.firstEmptyPoint());  // the dead engine is told of it and asked again
    ASSERT_TRUE(match.referee.waitForEnd(20000));
    EXPECT_NE(match.referee.error().find("意外退出"), std::string::npos) << match.referee.error();
    EXPECT_EQ(match.referee.record().tree.size(), 3u);  // root and both moves kept
    EXPECT_TRUE(processGone(engine));
    EXPECT_NE(match.logText().find("was killed by signal 9"), std::string::npos) << match.logText();
}

TEST(EnginePlayerGnuGo, PlaysTheBookMoveOfABuiltBaseAndAsksTheEngineOutsideIt) {
    REQUIRE_GNUGO();
    // Two library games open on B3, a move GNU Go never plays; the base is built from them.
    test::ScratchFolder library;
    const std::string folder = library.path().string() + "/";
    for (int game = 0; game < 2; ++game)
        ASSERT_TRUE(test::writeBytes(library / "sgf" / (std::to_string(game) + ".sgf"),
                                     "(;GM[1]FF[4]SZ[19]PB[Book " + std::to_string(game) + "]PW[White]DT[2020-0" +
                                         std::to_string(game + 1) + "-01];B[bq];W[dd])"));
    PatternBases bases;
    {
        LibraryStore store(folder);
        std::string error;
        ASSERT_TRUE(store.open(LibraryAccess::readWrite, error)) << error;
        ImportSummary imported;
        ASSERT_TRUE(importRecords(store, {(library / "sgf").string()}, {}, imported));
        ASSERT_EQ(imported.imported, 2);
        StatsBuildSummary built;
        ASSERT_TRUE(buildStatistics(store, folder, StatsBuildOptions(), built, error)) << error;
        ASSERT_GE(bases.open(folder), 2);
    }
    const int32_t bookPoint = 16 * 19 + 1;  // B3
    const auto book = [&bases](const BoardGrid& position, int colour) { return pickBookMove(bases, position, colour); };

    for (const bool useBook : {true, false}) {
        Match match;
        MatchSetup setup = computerMatch(19);
        setup.whiteKind = kPlayerHuman;
        setup.blackEngine.useBook = useBook;
        match.blackEngine.setBookMove(book);
        match.start(setup);
        ASSERT_EQ(match.waitForMoves(1), 1) << match.referee.error();
        const int32_t first = match.referee.record().tree.mainLine()[1]->move.point;
        if (!useBook) {
            EXPECT_NE(first, bookPoint);  // GNU Go's own choice
            continue;
        }
        EXPECT_EQ(first, bookPoint);
        // Outside the book the engine is asked, and told of the book move it did not choose.
        ASSERT_TRUE(match.referee.submitHumanMove(9 * 19 + 9));
        ASSERT_EQ(match.waitForMoves(3), 3) << match.referee.error();
        EXPECT_TRUE(replaysLegally(match.referee.record()));
    }
}

TEST(EnginePlayerFailures, AMissingProgramIsReportedAndLogged) {
    Match match;
    match.start(computerMatch(9, "/nonexistent/gnugo"));
    ASSERT_TRUE(match.referee.waitForEnd(20000));
    EXPECT_NE(match.referee.error().find("无法启动围棋引擎 /nonexistent/gnugo"), std::string::npos)
        << match.referee.error();
    EXPECT_EQ(match.referee.moveCount(), 0);
    EXPECT_NE(match.logText().find("Unable to start /nonexistent/gnugo --mode gtp --quiet"), std::string::npos)
        << match.logText();
}

// A shell script standing in for an engine.
std::string writeScript(const test::ScratchFolder& folder, const std::string& name, const std::string& body) {
    const std::filesystem::path path = folder / name;
    std::ofstream(path) << "#!/bin/sh\n" << body;
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path.string();
}

TEST(EnginePlayerFailures, NonsenseSilenceAndIllegalMovesEachEndTheMatchWithTheirOwnMessage) {
    struct Case {
        const char* name;
        const char* script;
        const char* message;
    };
    const Case cases[] = {
        {"talker", "while read line; do echo \"hello there\"; echo; done\n", "无法理解"},
        {"silent", "sleep 60 & while read line; do :; done\n", "没有回答"},
        {"refuser", "while read line; do echo '? unknown command'; echo; done\n", "拒绝了命令"},
        // Answers every command; to a move request it names A1 every time.
        {"repeater", "while read cmd rest; do case $cmd in reg_genmove) echo '= A1';; *) echo '=';; esac; echo; done\n",
         "不合法"},
        {"offboard",
         "while read cmd rest; do case $cmd in reg_genmove) echo '= Z99';; *) echo '=';; esac; echo; done\n",
         "无法理解"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Match match;
        const std::string script = writeScript(match.folder, c.name, c.script);
        MatchSetup setup = computerMatch(9, script);
        setup.blackEngine.commandTimeLimitMs = setup.whiteEngine.commandTimeLimitMs = 300;
        setup.blackEngine.moveTimeLimitMs = setup.whiteEngine.moveTimeLimitMs = 300;
        match.start(setup);
        ASSERT_TRUE(match.referee.waitForEnd(20000));
        EXPECT_NE(match.referee.error().find(c.message), std::string::npos) << match.referee.error();
        const pid_t black = match.blackEngine.enginePid();
        match.referee.stopPlayers();
        EXPECT_TRUE(processGone(black));
        EXPECT_NE(match.logText().find("engine player"), std::string::npos);
    }
}

TEST(EnginePlayerFailures, StoppingAPlayerWhoseEngineNeverAnswersReturnsAtOnce) {
    Match match;
    const std::string script = writeScript(match.folder, "mute", "while read line; do :; done\n");
    MatchSetup setup = computerMatch(9, script);
    setup.blackEngine.commandTimeLimitMs = 600000;  // the stop, not the limit, must end the wait
    match.start(setup);
    std::this_thread::sleep_for(50ms);
    const pid_t engine = match.blackEngine.enginePid();
    match.referee.stopPlayers();
    EXPECT_EQ(match.blackEngine.enginePid(), 0);
    EXPECT_TRUE(processGone(engine));
}

}  // namespace
}  // namespace tessera
