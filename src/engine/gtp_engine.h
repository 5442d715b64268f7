#pragma once
// One GTP conversation with an engine program on a ProcessChannel: send a command, wait for
// its whole response ("=" or "?" and text, ended by an empty line), with a time limit.
//
// Commands go one at a time (command() is meant for one thread, the engine player's worker).
// The channel's reader thread cuts the output into lines and queues whole responses; a wait
// ends when the response is there, the time runs out, the engine ends, or interrupt() is
// called from another thread. After a timeout the conversation is out of step and the
// engine must be stopped.

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/process_channel.h"

namespace tessera {

struct GtpReply {
    enum Status {
        Success,      // "= text"
        Failure,      // "? text": the engine refused the command
        Malformed,    // a line that is no GTP response: the program does not speak GTP
        Timeout,      // no response within the limit
        Ended,        // the engine ended (or was never started)
        Interrupted,  // interrupt() was called
    };
    Status status = Ended;
    std::string text;  // the response without its mark; the line for Malformed
};

// Longest standard-error tail kept for the log.
constexpr size_t kGtpErrorTailBytes = 2000;
// How long a command whose input pipe broke waits for the engine's exit to be reaped.
constexpr int kEndedGraceMs = 2000;

class GtpEngine {
public:
    GtpEngine();
    ~GtpEngine();
    GtpEngine(const GtpEngine&) = delete;
    GtpEngine& operator=(const GtpEngine&) = delete;

    // Starts the program; false with error when it cannot be started. Clears an interrupt.
    bool start(const std::vector<std::string>& argv, std::string& error);
    // Sends one command line and waits up to timeoutMs for its response.
    GtpReply command(std::string_view line, int timeoutMs);
    // Ends the wait of command() at once, and every later command until the next start().
    // Safe from any thread.
    void interrupt();
    // Sends "quit", gives the engine up to quitWaitMs to leave, then stops the channel (its
    // process group is killed). Call on the thread that calls command(), or after it has left.
    void stop(int quitWaitMs = 200);
    bool isRunning() const { return channel_.isRunning(); }
    pid_t pid() const { return channel_.pid(); }
    // The child's wait status once it has ended (-1 before).
    int exitStatus() const { return channel_.exitStatus(); }
    // The last bytes the engine wrote to standard error (for the log).
    std::string errorTail() const;
    // "gnugo --mode gtp --quiet": the command line started last.
    const std::string& commandLine() const { return commandLine_; }

private:
    void onOutput(std::string_view chunk);
    void onErrorOutput(std::string_view chunk);
    void onExited();

    ProcessChannel channel_;
    std::string commandLine_;
    mutable std::mutex mutex_;  // guards everything below
    std::condition_variable changed_;
    std::string partialLine_;  // output after the last line end
    bool inResponse_ = false;
    GtpReply building_;             // the response being read
    std::deque<GtpReply> replies_;  // whole responses not yet taken
    bool ended_ = true;
    bool interrupted_ = false;
    std::string errorTail_;
};

// Describes how a program ended from its wait status: "exited with code 1",
// "was killed by signal 9".
std::string describeExit(int waitStatus);

}  // namespace tessera
