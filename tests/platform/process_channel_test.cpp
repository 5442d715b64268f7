// The child process channel and the worker thread with ordinary programs of the system.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <atomic>
#include <chrono>
#include <csignal>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/process_channel.h"
#include "platform/worker_thread.h"

namespace tessera {
namespace {

using namespace std::chrono_literals;

// Collects what a channel delivers; safe against the channel's threads.
struct Collector {
    std::mutex mutex;
    std::string output;
    std::string errors;
    std::vector<size_t> chunkSizes;
    std::atomic<int> exits{0};
    std::atomic<int> exitStatus{-2};

    ProcessChannelCallbacks callbacks() {
        ProcessChannelCallbacks c;
        c.onOutput = [this](std::string_view chunk) {
            std::lock_guard lock(mutex);
            output.append(chunk);
            chunkSizes.push_back(chunk.size());
        };
        c.onErrorOutput = [this](std::string_view chunk) {
            std::lock_guard lock(mutex);
            errors.append(chunk);
        };
        c.onExited = [this](int status) {
            exitStatus = status;
            ++exits;
        };
        return c;
    }
    size_t outputSize() {
        std::lock_guard lock(mutex);
        return output.size();
    }
};

// Polls `done` for up to 10 s (a bound against hangs, not a speed check).
template <typename F>
bool eventually(F done) {
    for (int i = 0; i < 1000; ++i) {
        if (done())
            return true;
        std::this_thread::sleep_for(10ms);
    }
    return done();
}

bool processGroupGone(pid_t pid) { return ::kill(-pid, 0) != 0 && ::kill(pid, 0) != 0; }

TEST(ProcessChannel, DeliversALargeBurstWholeAndInOrderAcrossTheStreams) {
    Collector got;
    ProcessChannel channel;
    channel.setCallbacks(got.callbacks());
    std::string error;
    // 600 KB of numbered lines on standard output, one line on standard error.
    ASSERT_TRUE(channel.start({"sh", "-c", "seq 1 200000 | head -c 614400; echo oops >&2"}, error)) << error;
    ASSERT_TRUE(eventually([&] {
        std::lock_guard lock(got.mutex);
        return got.output.size() == 614400 && got.errors.size() == 5 && got.exits == 1;
    }));
    std::lock_guard lock(got.mutex);
    EXPECT_EQ(got.output.substr(0, 8), "1\n2\n3\n4\n");
    EXPECT_NE(got.output.find("\n99999\n"), std::string::npos);
    for (size_t size : got.chunkSizes)
        EXPECT_LE(size, ProcessChannel::kChunkBytes);
    EXPECT_GE(got.chunkSizes.size(), 614400 / ProcessChannel::kChunkBytes);
    EXPECT_EQ(got.errors, "oops\n");
}

TEST(ProcessChannel, EchoesWhatItIsToldAndNoticesAChildThatEndsByItself) {
    Collector got;
    ProcessChannel channel;
    channel.setCallbacks(got.callbacks());
    std::string error;
    ASSERT_TRUE(channel.start({"cat"}, error)) << error;
    EXPECT_TRUE(channel.isRunning());
    EXPECT_TRUE(channel.write("hello\r\n"));
    ASSERT_TRUE(eventually([&] { return got.outputSize() == 7; }));
    channel.closeInput();  // cat reads end of file and leaves
    ASSERT_TRUE(channel.waitForExit(10000));
    EXPECT_FALSE(channel.isRunning());
    EXPECT_TRUE(eventually([&] { return got.exits == 1; }));
    EXPECT_TRUE(WIFEXITED(got.exitStatus.load()) && WEXITSTATUS(got.exitStatus.load()) == 0);
    EXPECT_FALSE(channel.write("more\n"));
    EXPECT_TRUE(channel.stop());
    EXPECT_EQ(got.exits, 1);  // once, even with the stop after it

    ASSERT_TRUE(channel.start({"sh", "-c", "exit 3"}, error)) << error;  // a channel starts again
    ASSERT_TRUE(channel.waitForExit(10000));
    EXPECT_EQ(WEXITSTATUS(channel.exitStatus()), 3);
}

TEST(ProcessChannel, AChildThatNeverReadsItsInputCostsABoundedWriteAndStopsCleanly) {
    Collector got;
    ProcessChannel channel;
    channel.setCallbacks(got.callbacks());
    std::string error;
    ASSERT_TRUE(channel.start({"sleep", "30"}, error)) << error;
    const pid_t pid = channel.pid();
    EXPECT_FALSE(channel.write(std::string(1 << 20, 'x')));  // the pipe fills; the write gives up
    EXPECT_TRUE(channel.stop());
    EXPECT_FALSE(channel.isRunning());
    EXPECT_TRUE(processGroupGone(pid));
    EXPECT_EQ(got.exits, 1);
    EXPECT_FALSE(channel.write("x"));
}

TEST(ProcessChannel, AChildThatClosesItsOutputEarlyKeepsItsInputAndItsChildrenDieWithIt) {
    Collector got;
    ProcessChannel channel;
    channel.setCallbacks(got.callbacks());
    std::string error;
    // Closes both output streams at once, starts a grandchild, keeps reading its input.
    ASSERT_TRUE(channel.start({"sh", "-c", "exec >&- 2>&-; sleep 30 & cat > /dev/null"}, error)) << error;
    const pid_t pid = channel.pid();
    EXPECT_TRUE(channel.write("still listening\n"));
    EXPECT_TRUE(channel.isRunning());
    EXPECT_TRUE(channel.stop());
    EXPECT_TRUE(eventually([&] { return processGroupGone(pid); }));
    EXPECT_EQ(got.outputSize(), 0u);
}

TEST(ProcessChannel, AProgramThatDoesNotExistIsReportedAndLeavesTheChannelIdle) {
    Collector got;
    ProcessChannel channel;
    channel.setCallbacks(got.callbacks());
    std::string error;
    EXPECT_FALSE(channel.start({"/nonexistent/engine", "--mode", "gtp"}, error));
    EXPECT_EQ(error.rfind("Unable to start /nonexistent/engine --mode gtp: ", 0), 0u) << error;
    EXPECT_FALSE(channel.isRunning());
    EXPECT_FALSE(channel.write("play b D4\r\n"));
    EXPECT_TRUE(channel.stop());
    EXPECT_EQ(got.exits, 0);
    ProcessChannel neverStarted;
    EXPECT_TRUE(neverStarted.stop());
}

TEST(ProcessChannel, CommandLinesSplitLikeAShellAndProgramsAreFoundOnThePath) {
    EXPECT_EQ(splitCommandLine("  gnugo --mode gtp  "), (std::vector<std::string>{"gnugo", "--mode", "gtp"}));
    EXPECT_EQ(splitCommandLine(R"(sh -c 'echo "a b"' x\ y "q\"")"),
              (std::vector<std::string>{"sh", "-c", "echo \"a b\"", "x y", "q\""}));
    EXPECT_TRUE(splitCommandLine("").empty());
    EXPECT_EQ(splitCommandLine("'unclosed"), std::vector<std::string>{"unclosed"});
    EXPECT_EQ(findProgram("sh").back(), 'h');
    EXPECT_EQ(findProgram("./relative/name"), "./relative/name");
    EXPECT_EQ(findProgram("no-such-program-here", {"/usr/bin"}), "");
}

TEST(WorkerThread, StopsWithinItsLimitAndRefusesASecondStartMeanwhile) {
    WorkerThread worker;
    std::atomic<int> turns{0};
    ASSERT_TRUE(worker.startThread([&](WorkerThread& self) {
        while (self.keepRunning()) {
            ++turns;
            std::this_thread::sleep_for(100ms);  // checks its state every 100 ms, as a polling body would
        }
    }));
    EXPECT_FALSE(worker.startThread([](WorkerThread&) {}));
    EXPECT_TRUE(eventually([&] { return turns > 0; }));
    EXPECT_TRUE(worker.stop(300));
    EXPECT_EQ(worker.state(), -1);
    EXPECT_TRUE(worker.startThread([](WorkerThread& self) { self.sleepUnlessStopped(60000); }));
    EXPECT_TRUE(worker.stop(300));  // the sleep is cut short
}

TEST(WorkerThread, AnOverrunStopIsLoggedAndTheThreadFinishesLater) {
    std::vector<std::string> lines;
    std::atomic<bool> release{false};
    {
        WorkerThread worker;
        worker.setName("slow worker");
        worker.setLogger([&](const std::string& line) { lines.push_back(line); });
        ASSERT_TRUE(worker.startThread([&](WorkerThread&) {
            while (!release)
                std::this_thread::sleep_for(5ms);  // ignores the stop request
        }));
        EXPECT_FALSE(worker.stop(50));
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_NE(lines[0].find("slow worker"), std::string::npos);
        EXPECT_EQ(worker.state(), 0);
        EXPECT_FALSE(worker.startThread([](WorkerThread&) {}));  // its stop is still pending
        release = true;
        EXPECT_TRUE(eventually([&] { return worker.state() == -1; }));
        EXPECT_TRUE(worker.startThread([](WorkerThread&) {}));
    }  // the destructor joins
    EXPECT_EQ(lines.size(), 1u);
}

}  // namespace
}  // namespace tessera
