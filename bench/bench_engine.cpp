// The engine channel: how long GNU Go's answer takes to reach the room beyond GNU Go's own
// thinking, and how long an engine takes to start and stop. Needs GNU Go (Debian: gnugo).
//
//   build/release/bench/bench_engine
// The overhead of the channel is MoveReachesRoom minus EngineAnswersDirectly (same position,
// same level): the move told to the engine, the answer read by the reader thread, taken by
// the worker, checked by the referee and posted into the room's queue.

#include <benchmark/benchmark.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "engine/engine_player.h"
#include "engine/gtp_engine.h"
#include "engine/match_referee.h"
#include "platform/process_channel.h"
#include "room/game_room.h"
#include "room/room_match.h"

namespace tessera {
namespace {

using Clock = std::chrono::steady_clock;

bool haveGnuGo(benchmark::State& state) {
    if (findProgram("gnugo", {"/usr/games"}).empty()) {
        state.SkipWithError("GNU Go is not installed");
        return false;
    }
    return true;
}

// Start (until the engine has answered its first command) and stop ("quit", reaped).
void EngineStartStop(benchmark::State& state) {
    if (!haveGnuGo(state))
        return;
    for (auto _ : state) {
        GtpEngine engine;
        std::string error;
        if (!engine.start(engineCommand("gnugo"), error) ||
            engine.command("boardsize 9", 10000).status != GtpReply::Success) {
            state.SkipWithError("GNU Go did not start");
            return;
        }
        engine.stop();
    }
}
BENCHMARK(EngineStartStop)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

// GNU Go's own time for white's answer to black E5 on 9 x 9 at level 1, asked directly.
void EngineAnswersDirectly(benchmark::State& state) {
    if (!haveGnuGo(state))
        return;
    GtpEngine engine;
    std::string error;
    engine.start(engineCommand("gnugo"), error);
    for (const char* command : {"level 1", "boardsize 9", "komi 7.5"})
        engine.command(command, 10000);
    for (auto _ : state) {
        state.PauseTiming();
        engine.command("clear_board", 10000);
        engine.command("play b E5", 10000);
        state.ResumeTiming();
        if (engine.command("reg_genmove w", 60000).status != GtpReply::Success)
            state.SkipWithError("no answer");
    }
    engine.stop();
}
BENCHMARK(EngineAnswersDirectly)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

// Notes the moment a move reaches the room's queue (the observer posts it there).
struct MoveClock : MatchObserver {
    std::mutex mutex;
    std::condition_variable changed;
    int moves = 0;
    Clock::time_point last;
    void movePlayed(const Move&) override {
        std::lock_guard lock(mutex);
        ++moves;
        last = Clock::now();
        changed.notify_all();
    }
    bool waitForMoves(int count) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(60), [&] { return moves >= count; });
    }
};

// The same answer through the whole path: the person plays E5 in a room's match against
// GNU Go (white, level 1); timed until GNU Go's move is in the room's queue.
void MoveReachesRoom(benchmark::State& state) {
    if (!haveGnuGo(state))
        return;
    GameRoom room;
    for (auto _ : state) {
        auto match = std::make_shared<RoomMatch>(room, nullptr);
        MoveClock clock;
        match->referee().addObserver(&clock);
        MatchSetup setup;
        setup.blackKind = kPlayerHuman;
        setup.whiteKind = kPlayerComputer;
        setup.boardSize = 9;
        room.beginEngineGame(match);
        match->start(setup);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the engine is up and idle
        const Clock::time_point start = Clock::now();
        match->referee().submitHumanMove(4 * 9 + 4);
        if (!clock.waitForMoves(2)) {
            state.SkipWithError("no answer");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(clock.last - start).count());
        room.stopEngineGame();
        room.drainEvents();
    }
}
BENCHMARK(MoveReachesRoom)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

}  // namespace
}  // namespace tessera
