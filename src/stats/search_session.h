#pragma once
// One library pattern search as the search window runs it: on a worker thread, with pause and
// resume, a bounded stop, and the counters and results the window reads while it runs.
//
// The worker checks the pause before every game (and wherever the search asks keepRunning):
// a paused search holds its thread parked until it is resumed or stopped. The running time
// leaves out the paused stretches and stops growing when the search is done.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/worker_thread.h"
#include "stats/pattern_search.h"

namespace tessera {

// The pattern a board asks for: the position and the colour to move; region mode when the
// mask hides some points and shows others (the shown points are the region).
SearchPattern searchPatternOf(const BoardGrid& position, const BoardGrid& mask, int colourToMove);

class SearchSession {
public:
    SearchSession() = default;
    ~SearchSession();  // stops the search
    SearchSession(const SearchSession&) = delete;
    SearchSession& operator=(const SearchSession&) = delete;

    // Clears the results and counters and searches ids for pattern on a worker thread, through
    // index when it is open (may be null; it must outlive the search). False while a search
    // thread exists. store must outlive the search.
    bool start(const LibraryStore& store, std::shared_ptr<const SearchIndex> index, std::vector<int32_t> ids,
               const SearchPattern& pattern);
    // Asks the worker to stop and waits up to five seconds; true when no thread runs any more.
    bool stop();
    void pause();
    void resume();
    bool paused() const { return paused_.load(); }
    // True while a search thread exists (running, paused or stopping).
    bool active() const { return worker_.state() >= 0; }
    // True when the last search went through every game (not stopped).
    bool finished() const { return finished_.load(); }
    // True while the worker waits in the pause.
    bool parked() const { return parked_.load(); }

    SearchResults& results() { return results_; }
    const SearchProgress& progress() const { return progress_; }
    // Milliseconds searched so far: paused time left out, frozen when the search ended.
    int64_t elapsedMs() const;

private:
    using Clock = std::chrono::steady_clock;
    bool waitWhilePaused();

    SearchResults results_;
    SearchProgress progress_;
    std::shared_ptr<const SearchIndex> index_;
    mutable std::mutex mutex_;  // guards the pause wait and the time fields
    std::condition_variable resumed_;
    std::atomic<bool> paused_{false};
    std::atomic<bool> parked_{false};
    std::atomic<bool> finished_{false};
    Clock::time_point started_{};
    Clock::time_point pausedAt_{};
    Clock::duration pausedFor_{};
    Clock::time_point ended_{};
    bool hasEnded_ = false;
    WorkerThread worker_;  // last: joined before the members above go
};

}  // namespace tessera
