#pragma once
// A child process with its standard input, output and error on pipes.
//
// start() spawns the child in a process group of its own, with the three streams on pipes
// whose ends this process keeps are close-on-exec (so later children never hold them). Two
// reader threads hand every chunk the child writes to the output callbacks, in order, until
// the stream ends; an exit watcher notices the child's end, reaps it and calls onExited once.
// Every thread waits in poll() on its descriptor and on a wake pipe, so stop() ends them at
// once: it kills the child's process group (a script's own children included), wakes and joins
// the three threads and closes every descriptor. After stop() returns no thread touches the
// channel, and the callbacks are never called again.
//
// Callbacks run on the channel's threads: what they touch must be safe against the owner's
// thread, and they must not call stop() (which joins the very threads they run on).
// A chunk is what one read returned: a line may be split over two chunks.

#include <sys/types.h>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace tessera {

struct ProcessChannelCallbacks {
    std::function<void(std::string_view chunk)> onOutput;       // standard output, reader thread
    std::function<void(std::string_view chunk)> onErrorOutput;  // standard error, reader thread
    std::function<void(int exitStatus)> onExited;               // once, watcher thread (status as waitpid's)
};

// Words of a command line split as a shell would split plain words: blanks separate, single
// and double quotes group, a backslash takes the next character literally. No expansion.
std::vector<std::string> splitCommandLine(std::string_view commandLine);

// The path of a program named without a folder: the first match on PATH, else in
// extraFolders (in order); a name with a '/' is returned as it is. Empty when not found.
std::string findProgram(const std::string& name, const std::vector<std::string>& extraFolders = {});

class ProcessChannel {
public:
    // Largest chunk handed to an output callback.
    static constexpr std::size_t kChunkBytes = 4096;
    // Longest time write() waits for the child to take its input.
    static constexpr int kWriteTimeoutMs = 2000;

    ProcessChannel() = default;
    // Stops a running child (stop()).
    ~ProcessChannel();
    ProcessChannel(const ProcessChannel&) = delete;
    ProcessChannel& operator=(const ProcessChannel&) = delete;

    // The callbacks for the next start (keep them while a child runs).
    void setCallbacks(ProcessChannelCallbacks callbacks) { callbacks_ = std::move(callbacks); }

    // Starts argv[0] (searched on PATH when it has no '/') with the arguments argv[1...].
    // False when a child already runs or it cannot be started; error then says why
    // ("Unable to start <command line>: <reason>"), and no thread was started.
    bool start(const std::vector<std::string>& argv, std::string& error);
    // Writes all of text to the child's standard input. False when no child input is open,
    // the child has closed it, or it did not take the bytes within kWriteTimeoutMs (a child
    // that never reads); never raises SIGPIPE. Safe from any thread; writes do not interleave.
    bool write(std::string_view text);
    // Closes the child's standard input (it reads end of file).
    void closeInput();
    // True while the child runs (started and not yet seen to end).
    bool isRunning() const { return running_.load(std::memory_order_acquire); }
    // Waits up to timeoutMs for the child to end by itself; true when it has ended.
    bool waitForExit(int timeoutMs);
    // The child's wait status once it has ended (-1 before).
    int exitStatus() const { return exitStatus_.load(); }
    // The child's process id (0 when none was started).
    pid_t pid() const { return pid_.load(); }
    // Ends the child (its process group is killed when it still runs), joins every thread
    // and closes every descriptor; bounded. Harmless on an idle channel. False when the child
    // could not be reaped within the bound (it was killed; the watcher gave up on it).
    bool stop();

private:
    void readLoop(int fd, bool errorStream);
    void watchLoop();
    void closeAll();

    ProcessChannelCallbacks callbacks_;
    std::atomic<pid_t> pid_{0};  // written by the owner, read by the threads and tests
    int stdinWrite_ = -1;        // our end of the child's input
    int stdoutRead_ = -1;        // our end of the child's output
    int stderrRead_ = -1;        // our end of the child's error
    int wakeRead_ = -1;          // becomes readable when stop() wants the threads out
    int wakeWrite_ = -1;
    std::thread outputReader_;
    std::thread errorReader_;
    std::thread exitWatcher_;
    std::atomic<bool> running_{false};
    std::atomic<int> exitStatus_{-1};
    std::mutex writeMutex_;  // one write at a time; guards stdinWrite_ against closeInput
    std::mutex exitMutex_;   // guards the wait for the child's end
    std::condition_variable exited_;
    bool reaped_ = false;  // under exitMutex_
};

}  // namespace tessera
