// Training on real problem records: answers with replies, wrong answers, one-person study,
// stepping back, the shown answer, hints, branch letters and random orientation.
#include <gtest/gtest.h>

#include "record/record_file.h"
#include "recording_host.h"
#include "room/game_room.h"
#include "room/room_commands.h"
#include "support/test_support.h"

namespace tessera {
namespace {

using test::RecordingHost;

struct AnnouncingHost : RecordingHost {
    std::vector<bool> verdicts;  // true: right
    void announceAnswer(bool right, const std::string&) override { verdicts.push_back(right); }
};

// An SGF point ("rs") of a 19 x 19 board.
int32_t at(const char* sgf) { return (sgf[1] - 'a') * 19 + (sgf[0] - 'a'); }

struct ProblemRoom : ::testing::Test {
    AnnouncingHost host;
    RoomSettings settings;
    std::unique_ptr<GameRoom> room;

    void SetUp() override { TESSERA_REQUIRE_SHARED(); }
    void open(const std::string& file) {
        GameRecord record;
        std::string error;
        ASSERT_TRUE(loadRecordFile(test::sharedDir() / "corpus" / "problems" / file, record, error)) << error;
        record.info.appType = 3;
        room = std::make_unique<GameRoom>(&host, settings);
        room->openRecord(std::move(record), kRoomTraining);
    }
    const GameNode& current() const { return *room->currentNode(); }
    int32_t currentPoint() const { return current().move.point; }
    // The click, then the reply timer when the room started it.
    void answer(const char* sgf) {
        room->clickPoint(at(sgf));
        if (host.timers.count(kProblemReplyTimer))
            room->onTimer(kProblemReplyTimer);
    }
};

TEST_F(ProblemRoom, RightAnswerIsRepliedAfterTheDelayAndAnnounced) {
    settings.preferences.stoneDelay = 300;
    open("gogameguru/easy/ggg-easy-01.sgf");
    room->clickPoint(at("rs"));
    EXPECT_EQ(currentPoint(), at("rs"));                 // the answer at once
    ASSERT_EQ(host.timers.at(kProblemReplyTimer), 300);  // the reply after StoneDelay
    room->onTimer(kProblemReplyTimer);
    EXPECT_EQ(currentPoint(), at("rr"));
    EXPECT_TRUE(host.verdicts.empty());  // nothing decided yet
    host.sounds.clear();
    answer("ns");
    EXPECT_EQ(host.verdicts, std::vector<bool>{true});
    EXPECT_EQ(host.sounds, (std::vector<std::pair<int, bool>>{{kSoundStone, false}, {kSoundAnswerRight, false}}));
    EXPECT_EQ(room->trainer().solved(), 1);
}

TEST_F(ProblemRoom, WrongAnswersAreToldAtOnceAndOnlyTheFirstAnswerCounts) {
    open("gogameguru/easy/ggg-easy-01.sgf");
    room->clickPoint(at("aa"));  // a move no branch holds
    EXPECT_EQ(room->currentNodeId(), 0);
    EXPECT_EQ(host.verdicts, std::vector<bool>{false});
    room->clickPoint(at("pq"));  // an occupied point: silent
    EXPECT_EQ(host.verdicts.size(), 1u);
    answer("rq");  // a branch without a right end: wrong at once, and the refutation follows
    EXPECT_EQ(host.verdicts, (std::vector<bool>{false, false}));
    EXPECT_EQ(currentPoint(), at("rr"));
    room->stepBack();  // two levels below the root: back to the root
    EXPECT_EQ(room->currentNodeId(), 0);
    answer("rs");
    answer("ns");
    EXPECT_EQ(host.verdicts.back(), true);   // announced ...
    EXPECT_EQ(room->trainer().solved(), 0);  // ... but the first answer was wrong
    EXPECT_EQ(room->trainer().failed(), 1);
}

TEST_F(ProblemRoom, ARightMarkOnTheReplyDecidesAfterTheReply) {
    open("maxigos/p4-zh-hant.sgf");  // B[ab];W[bd];B[ad];W[ac]C[正解]
    answer("ab");
    answer("ad");
    EXPECT_EQ(currentPoint(), at("ac"));
    EXPECT_EQ(host.verdicts, std::vector<bool>{true});
    // Deep in a line, a step back takes back one answer and its reply.
    room->stepBack();
    EXPECT_EQ(currentPoint(), at("bd"));
}

TEST_F(ProblemRoom, OnePersonStudyPlaysBothSidesAndStepsBackOneMove) {
    settings.oneUserStudy = true;
    open("gogameguru/easy/ggg-easy-01.sgf");
    room->clickPoint(at("rs"));
    EXPECT_EQ(host.timers.count(kProblemReplyTimer), 0u);  // no reply comes
    room->clickPoint(at("rr"));                            // the user plays White's answer too
    EXPECT_EQ(currentPoint(), at("rr"));
    room->stepBack();
    EXPECT_EQ(currentPoint(), at("rs"));
    EXPECT_TRUE(runRoomCommand(*room, RoomCommandId::OneUserStudy));
    EXPECT_FALSE(room->oneUserStudy());
}

TEST_F(ProblemRoom, TheShownAnswerWalksTheRightLineAndCountsAsFailed) {
    settings.preferences.stoneDelay = 5;
    open("maxigos/p3-zh-hans.sgf");
    room->goNext();
    room->showAnswer();
    EXPECT_EQ(room->currentNodeId(), 0);
    EXPECT_EQ(host.timers.at(kAnswerWalkTimer), 10);  // at least 10 ms
    std::vector<int32_t> walked;
    while (host.timers.count(kAnswerWalkTimer) && walked.size() < 50) {
        room->onTimer(kAnswerWalkTimer);
        walked.push_back(room->currentNodeId());
    }
    EXPECT_NE(current().comment().find("正解"), std::string::npos);
    EXPECT_FALSE(room->answerWalkRunning());
    EXPECT_EQ(room->trainer().failed(), 1);
}

TEST_F(ProblemRoom, HintAndBranchLettersMarkTheAnswersOnce) {
    open("maxigos/p3-zh-hans.sgf");  // the root's children: B ec, B da, W ec
    EXPECT_TRUE(runRoomCommand(*room, RoomCommandId::ShowBranches));
    const auto& labels = room->display().labels;
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].point, at("ec"));
    EXPECT_EQ(labels[0].text, "a");
    EXPECT_EQ(labels[1].point, at("da"));
    EXPECT_EQ(labels[1].text, "b");
    EXPECT_EQ(labels[1].colour, 0x0000FFu);
    EXPECT_TRUE(runRoomCommand(*room, RoomCommandId::Hint));
    EXPECT_NE(std::find(room->display().marks.begin(), room->display().marks.end(), Mark{kMarkCircle, at("ec")}),
              room->display().marks.end());
    EXPECT_TRUE(findRoomCommand(RoomCommandId::Hint)->checked(*room));
}

TEST_F(ProblemRoom, RandomOrientationLeavesTheAnswerCheckingAlone) {
    settings.preferences.randomOrientation = true;
    open("goproblems/gp-10330.sgf");
    room->setRandomSource([] { return 1u; });
    EXPECT_TRUE(runRoomCommand(*room, RoomCommandId::RandomOrientation));  // off: the record's own orientation
    EXPECT_EQ(room->display().transformCode(), -1);
    EXPECT_TRUE(runRoomCommand(*room, RoomCommandId::RandomOrientation));  // on again: turned at once
    EXPECT_NE(room->display().transformCode(), -1);
    for (const char* move : {"pq", "qs", "rs", "rr", "or", "rr"})
        answer(move);
    EXPECT_EQ(host.verdicts, std::vector<bool>{true});
}

TEST_F(ProblemRoom, TrainingCommandsNeedAProblemRecord) {
    open("goproblems/gp-10330.sgf");
    for (RoomCommandId id : commandList(CommandList::TrainingToolBar))
        if (id != RoomCommandId::Separator)
            EXPECT_TRUE(findRoomCommand(id)->enabled(*room));
    GameRecord plain = test::lineRecord({"D4"});
    room->openRecord(std::move(plain), kRoomStudy);
    for (RoomCommandId id : {RoomCommandId::StepBack, RoomCommandId::ShowAnswer, RoomCommandId::RestartProblem,
                             RoomCommandId::OneUserStudy, RoomCommandId::RandomOrientation})
        EXPECT_FALSE(findRoomCommand(id)->enabled(*room));
    EXPECT_TRUE(findRoomCommand(RoomCommandId::Hint)->enabled(*room));
    EXPECT_TRUE(findRoomCommand(RoomCommandId::ShowBranches)->enabled(*room));
}

}  // namespace
}  // namespace tessera
