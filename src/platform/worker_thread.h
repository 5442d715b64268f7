#pragma once
// A worker thread with a shared state word and a bounded stop.
//
// state: -1 no thread running (initial), 1 running, 0 asked to stop. The owner sets 1 (start)
// and 0 (stop); the thread sets -1 as its last act. The body polls keepRunning() (or sleeps
// through sleepUnlessStopped(), which a stop cuts short) and returns when it turns false.
// Threads are never killed: a stop that runs out of time returns false and leaves the thread
// to finish by itself (startThread refuses until it has); the destructor joins it in any case,
// so no thread outlives the object it runs for.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace tessera {

class WorkerThread {
public:
    using Body = std::function<void(WorkerThread&)>;
    // Receives one line when a stop runs out of time (null: nothing is reported).
    using Logger = std::function<void(const std::string&)>;

    WorkerThread() = default;
    // Stops the thread (up to kDestructorStopMs, then it waits for the thread to leave).
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Longest wait of the destructor before it reports the overrun and keeps waiting.
    static constexpr int kDestructorStopMs = 5000;

    // Runs body on a new thread; false (and nothing happens) while a thread exists or is
    // still stopping (state >= 0).
    bool startThread(Body body);
    // Asks the thread to stop, calls wake (to cut a wait of the body short) and waits up to
    // timeoutMs (negative: kDestructorStopMs) for it to leave. True when no thread runs any
    // more; false when the time ran out (logged through the logger; the thread finishes later).
    bool stop(int timeoutMs, const std::function<void()>& wake = {});
    // True while the body should go on (state > 0). Safe from any thread.
    bool keepRunning() const { return state_.load(std::memory_order_acquire) > 0; }
    // The state word: -1, 0 or 1.
    int state() const { return state_.load(std::memory_order_acquire); }
    // Sleeps up to ms, or less when a stop is asked; returns keepRunning().
    bool sleepUnlessStopped(int ms);
    // True when called on this object's thread.
    bool isCurrentThread() const;
    // Where an overrun stop is reported.
    void setLogger(Logger logger) { logger_ = std::move(logger); }
    // A name used in the log lines ("engine player (black)").
    void setName(std::string name) { name_ = std::move(name); }

private:
    std::atomic<int> state_{-1};
    std::mutex mutex_;  // guards the wake-up of sleepUnlessStopped and stop's wait
    std::condition_variable changed_;
    std::thread thread_;
    std::atomic<std::thread::id> threadId_{};  // set by the thread itself as it begins
    Logger logger_;
    std::string name_ = "worker thread";
};

}  // namespace tessera
