#include "platform/worker_thread.h"

namespace tessera {

WorkerThread::~WorkerThread() {
    if (!stop(kDestructorStopMs) && thread_.joinable())
        thread_.join();  // never leave a thread running code of an object that is gone
}

bool WorkerThread::startThread(Body body) {
    if (state_.load(std::memory_order_acquire) >= 0)
        return false;
    if (thread_.joinable())
        thread_.join();  // a thread that ended by itself or after an overrun stop
    state_.store(1, std::memory_order_release);
    thread_ = std::thread([this, body = std::move(body)] {
        threadId_.store(std::this_thread::get_id());
        body(*this);
        threadId_.store(std::thread::id());
        std::lock_guard lock(mutex_);
        state_.store(-1, std::memory_order_release);
        changed_.notify_all();
    });
    return true;
}

bool WorkerThread::stop(int timeoutMs, const std::function<void()>& wake) {
    if (!thread_.joinable())
        return true;
    if (isCurrentThread()) {
        // A body cannot wait for itself: ask it to leave and let the owner join later.
        int running = 1;
        state_.compare_exchange_strong(running, 0);
        if (wake)
            wake();
        return false;
    }
    {
        std::lock_guard lock(mutex_);
        int running = 1;
        state_.compare_exchange_strong(running, 0);
        changed_.notify_all();
    }
    if (wake)
        wake();
    const int limit = timeoutMs < 0 ? kDestructorStopMs : timeoutMs;
    bool ended = false;
    {
        std::unique_lock lock(mutex_);
        ended = changed_.wait_for(lock, std::chrono::milliseconds(limit),
                                  [this] { return state_.load(std::memory_order_acquire) < 0; });
    }
    if (!ended) {
        if (logger_)
            logger_(name_ + ": did not stop within " + std::to_string(limit) + " ms; it is left to finish");
        return false;
    }
    thread_.join();
    return true;
}

bool WorkerThread::sleepUnlessStopped(int ms) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return !keepRunning(); });
    return keepRunning();
}

bool WorkerThread::isCurrentThread() const { return threadId_.load() == std::this_thread::get_id(); }

}  // namespace tessera
