#include "stats/search_session.h"

#include "library/search_index.h"

namespace tessera {

SearchPattern searchPatternOf(const BoardGrid& position, const BoardGrid& mask, int colourToMove) {
    SearchPattern pattern;
    pattern.position.copyFrom(position);
    pattern.colourToMove = colourToMove == 2 ? 2 : 1;
    if (!mask.isUsable() || mask.width() != position.width() || mask.height() != position.height())
        return pattern;
    const int hidden = mask.countValue(0);
    if (hidden > 0 && hidden < position.area()) {
        pattern.regionMode = true;
        pattern.region.copyFrom(mask);
    }
    return pattern;
}

SearchSession::~SearchSession() { stop(); }

bool SearchSession::start(const LibraryStore& store, std::shared_ptr<const SearchIndex> index, std::vector<int32_t> ids,
                          const SearchPattern& pattern) {
    if (active())
        return false;
    results_.clear();
    progress_.totalGames = static_cast<int>(ids.size());
    progress_.currentIndex = 0;
    index_ = std::move(index);
    finished_ = false;
    paused_ = false;
    parked_ = false;
    {
        std::lock_guard lock(mutex_);
        started_ = Clock::now();
        pausedFor_ = {};
        hasEnded_ = false;
    }
    return worker_.startThread([this, &store, ids = std::move(ids), pattern](WorkerThread& self) {
        runPatternSearch(store, index_.get(), ids, pattern, results_, progress_, [this] { return waitWhilePaused(); });
        std::lock_guard lock(mutex_);
        finished_ = self.keepRunning();
        if (paused_)
            pausedFor_ += Clock::now() - pausedAt_;
        ended_ = Clock::now();
        hasEnded_ = true;
    });
}

bool SearchSession::waitWhilePaused() {
    if (!paused_.load())
        return worker_.keepRunning();
    std::unique_lock lock(mutex_);
    parked_ = true;
    resumed_.wait(lock, [this] { return !paused_.load() || !worker_.keepRunning(); });
    parked_ = false;
    return worker_.keepRunning();
}

bool SearchSession::stop() {
    // The wake takes the lock, so a worker between its test and its wait cannot miss it.
    return worker_.stop(-1, [this] {
        std::lock_guard lock(mutex_);
        resumed_.notify_all();
    });
}

void SearchSession::pause() {
    std::lock_guard lock(mutex_);
    if (paused_ || hasEnded_)
        return;
    paused_ = true;
    pausedAt_ = Clock::now();
}

void SearchSession::resume() {
    std::lock_guard lock(mutex_);
    if (!paused_)
        return;
    paused_ = false;
    if (!hasEnded_)
        pausedFor_ += Clock::now() - pausedAt_;
    resumed_.notify_all();
}

int64_t SearchSession::elapsedMs() const {
    std::lock_guard lock(mutex_);
    if (started_ == Clock::time_point{})
        return 0;
    const Clock::time_point end = hasEnded_ ? ended_ : paused_ ? pausedAt_ : Clock::now();
    return std::chrono::duration_cast<std::chrono::milliseconds>(end - started_ - pausedFor_).count();
}

}  // namespace tessera
