#pragma once
// The computer side of a match: GNU Go (or any engine speaking GTP) as a child process.
//
// Every conversation with the engine happens on the player's worker thread. What the referee
// tells the player (its colour, the handicap position, each move played, a move or count
// request) is queued and returns at once; the worker takes the queue in order: it starts the
// engine (level, board size, komi in points), tells it the stones and moves, asks for a move
// with a time limit and hands the answer to the referee. stop() interrupts any wait at once,
// so a stopped player never leaves a thread waiting; the engine is stopped by the worker as
// it leaves ("quit", then its process group is killed).
//
// Every failure (the engine cannot start, ends, refuses a command, answers nonsense, answers
// too late, or chooses an illegal move) is logged with its details in the program log, the
// engine is stopped, and the referee ends the match with a one-line message for the user.

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "engine/gtp_engine.h"
#include "engine/match_player.h"
#include "engine/match_setup.h"
#include "platform/worker_thread.h"

namespace tessera {

class ProgramLog;

// The argv an engine setting starts: a program alone (found on PATH or in /usr/games) gets
// "--mode gtp --quiet"; a command with arguments is started as written.
std::vector<std::string> engineCommand(const std::string& command);

class EnginePlayer : public MatchPlayer {
public:
    // A book move for a position and colour: a point, or -1 for none.
    using BookMove = std::function<int32_t(const BoardGrid& position, int colour)>;

    // log may be null (failures are then only reported to the referee).
    explicit EnginePlayer(ProgramLog* log = nullptr);
    ~EnginePlayer() override;

    // The engine, level, book and time limits of the next match (before setColour).
    void configure(const EngineSettings& settings);
    const EngineSettings& settings() const { return settings_; }
    // The whole-board book consulted on 19 x 19 when useBook is set (null: none).
    void setBookMove(BookMove book) { book_ = std::move(book); }

    // ---- MatchPlayer ----
    void setColour(int colour) override;  // restarts the engine for a new match
    void setPosition(const BoardGrid& position, int colourToMove) override;
    void movePlayed(const Move& move) override;
    void requestMove() override;
    bool requestScore() override;
    void stop() override;

    // The engine's process id while it runs (0 otherwise).
    pid_t enginePid() const { return engine_.pid(); }

    // How long stop() waits for the worker: a write to a stuck engine (2 s), its quit and kill.
    static constexpr int kStopTimeoutMs = 3500;

private:
    enum class JobKind { Start, Position, Play, Move, Score };
    struct Job {
        JobKind kind = JobKind::Start;
        Move move;
        BoardGrid position;
    };

    void push(Job job);
    void run(WorkerThread& self);
    bool runJob(const Job& job);
    bool startEngine();
    bool send(const std::string& command, int timeoutMs, std::string* answer = nullptr);
    bool chooseMove();
    void fail(const std::string& userMessage, const std::string& details);
    std::string sideName() const;
    std::string engineName() const;

    ProgramLog* log_;
    EngineSettings settings_;
    BookMove book_;
    GtpEngine engine_;                 // used by the worker thread only
    BoardGrid board_;                  // the engine's position, worker thread only
    std::atomic<bool> failed_{false};  // set by the worker: every later job is dropped
    std::mutex jobsMutex_;             // guards jobs_
    std::condition_variable jobsChanged_;
    std::deque<Job> jobs_;
    WorkerThread worker_;  // last: joined before the members above go
};

}  // namespace tessera
