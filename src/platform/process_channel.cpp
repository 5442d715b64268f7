#include "platform/process_channel.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>

extern char** environ;

namespace tessera {

namespace {

void closeFd(int& fd) {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

// Writing to a pipe whose reader has gone must fail with EPIPE, not end this process.
void ignoreSigpipe() {
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction action {};
        action.sa_handler = SIG_IGN;
        sigemptyset(&action.sa_mask);
        sigaction(SIGPIPE, &action, nullptr);
    });
}

std::string joinedCommandLine(const std::vector<std::string>& argv) {
    std::string line;
    for (const std::string& word : argv) {
        if (!line.empty())
            line += ' ';
        line += word;
    }
    return line;
}

int openPidFd(pid_t pid) {
#ifdef SYS_pidfd_open
    const long fd = ::syscall(SYS_pidfd_open, pid, 0);
    return fd >= 0 ? static_cast<int>(fd) : -1;
#else
    (void)pid;
    return -1;
#endif
}

bool isExecutableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::vector<std::string> splitCommandLine(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    char quote = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quote) {
            if (c == quote)
                quote = 0;
            else if (c == '\\' && quote == '"' && i + 1 < line.size())
                word += line[++i];
            else
                word += c;
        } else if (c == '\'' || c == '"') {
            quote = c;
            inWord = true;
        } else if (c == '\\' && i + 1 < line.size()) {
            word += line[++i];
            inWord = true;
        } else if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(std::move(word));
    return words;
}

std::string findProgram(const std::string& name, const std::vector<std::string>& extraFolders) {
    if (name.empty())
        return {};
    if (name.find('/') != std::string::npos)
        return name;
    std::vector<std::string> folders;
    if (const char* path = std::getenv("PATH")) {
        std::string_view rest(path);
        while (true) {
            const std::size_t colon = rest.find(':');
            folders.emplace_back(rest.substr(0, colon));
            if (colon == std::string_view::npos)
                break;
            rest.remove_prefix(colon + 1);
        }
    }
    folders.insert(folders.end(), extraFolders.begin(), extraFolders.end());
    for (const std::string& folder : folders) {
        const std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + name;
        if (isExecutableFile(candidate))
            return candidate;
    }
    return {};
}

ProcessChannel::~ProcessChannel() { stop(); }

bool ProcessChannel::start(const std::vector<std::string>& argv, std::string& error) {
    if (running_.load())
        return false;
    stop();  // a child that ended by itself: join its threads, close its descriptors
    const std::string commandLine = joinedCommandLine(argv);
    if (argv.empty() || argv.front().empty()) {
        error = "Unable to start " + commandLine + ": no program named";
        return false;
    }
    ignoreSigpipe();
    int input[2] = {-1, -1}, output[2] = {-1, -1}, errors[2] = {-1, -1}, wake[2] = {-1, -1};
    auto closePipes = [&] {
        for (int* fds : {input, output, errors, wake}) {
            closeFd(fds[0]);
            closeFd(fds[1]);
        }
    };
    if (::pipe2(input, O_CLOEXEC) != 0 || ::pipe2(output, O_CLOEXEC) != 0 || ::pipe2(errors, O_CLOEXEC) != 0 ||
        ::pipe2(wake, O_CLOEXEC) != 0) {
        error = "Unable to start " + commandLine + ": " + std::strerror(errno);
        closePipes();
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], 0);
    posix_spawn_file_actions_adddup2(&actions, output[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errors[1], 2);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults, none;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigemptyset(&none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setpgroup(&attributes, 0);  // its own group: stop() ends its children too
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    std::vector<char*> args;
    for (const std::string& word : argv)
        args.push_back(const_cast<char*>(word.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    const int status = ::posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (status != 0) {
        error = "Unable to start " + commandLine + ": " + std::strerror(status);
        closePipes();
        return false;
    }
    closeFd(input[0]);
    closeFd(output[1]);
    closeFd(errors[1]);
    ::fcntl(input[1], F_SETFL, ::fcntl(input[1], F_GETFL) | O_NONBLOCK);
    {
        std::lock_guard lock(writeMutex_);
        stdinWrite_ = input[1];
    }
    stdoutRead_ = output[0];
    stderrRead_ = errors[0];
    wakeRead_ = wake[0];
    wakeWrite_ = wake[1];
    pid_ = pid;
    {
        std::lock_guard lock(exitMutex_);
        reaped_ = false;
    }
    exitStatus_.store(-1);
    running_.store(true, std::memory_order_release);
    outputReader_ = std::thread([this] { readLoop(stdoutRead_, false); });
    errorReader_ = std::thread([this] { readLoop(stderrRead_, true); });
    exitWatcher_ = std::thread([this] { watchLoop(); });
    return true;
}

void ProcessChannel::readLoop(int fd, bool errorStream) {
    const auto& deliver = errorStream ? callbacks_.onErrorOutput : callbacks_.onOutput;
    char buffer[kChunkBytes];
    while (true) {
        pollfd fds[2] = {{fd, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[1].revents != 0)
            return;  // stop() wants the thread out
        if (fds[0].revents == 0)
            continue;
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            if (deliver)
                deliver(std::string_view(buffer, static_cast<std::size_t>(n)));
        } else if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
            return;  // end of the stream (the child closed it or ended)
        }
    }
}

void ProcessChannel::watchLoop() {
    const int pidFd = openPidFd(pid_);
    int status = -1;
    bool ended = false;
    while (!ended) {
        pollfd fds[2] = {{wakeRead_, POLLIN, 0}, {pidFd, POLLIN, 0}};
        // Without a pid descriptor (old kernels) the child is looked at every 10 ms.
        const int ready = ::poll(fds, pidFd >= 0 ? 2 : 1, pidFd >= 0 ? -1 : 10);
        if (ready < 0 && errno != EINTR)
            break;
        {
            std::lock_guard lock(exitMutex_);
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                reaped_ = true;
                exitStatus_.store(status);
                running_.store(false, std::memory_order_release);
                ended = true;
            }
        }
        exited_.notify_all();
        if (!ended && ready > 0 && fds[0].revents != 0)
            break;  // stop() gave up waiting for the child
    }
    if (pidFd >= 0)
        ::close(pidFd);
    running_.store(false, std::memory_order_release);
    if (callbacks_.onExited)
        callbacks_.onExited(exitStatus_.load());
}

bool ProcessChannel::write(std::string_view text) {
    std::lock_guard lock(writeMutex_);
    if (stdinWrite_ < 0)
        return false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWriteTimeoutMs);
    while (!text.empty()) {
        const ssize_t n = ::write(stdinWrite_, text.data(), text.size());
        if (n > 0) {
            text.remove_prefix(static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            return false;  // EPIPE: the child closed its input or ended
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;  // the child does not read its input
        pollfd fd = {stdinWrite_, POLLOUT, 0};
        ::poll(&fd, 1, static_cast<int>(left.count()));
    }
    return true;
}

void ProcessChannel::closeInput() {
    std::lock_guard lock(writeMutex_);
    closeFd(stdinWrite_);
}

bool ProcessChannel::waitForExit(int timeoutMs) {
    std::unique_lock lock(exitMutex_);
    return exited_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return reaped_ || pid_ == 0; });
}

bool ProcessChannel::stop() {
    bool reaped = true;
    if (pid_ > 0) {
        {
            std::lock_guard lock(exitMutex_);
            if (!reaped_) {
                ::kill(-pid_, SIGKILL);  // the child's group: whatever it started holds our pipes too
                ::kill(pid_, SIGKILL);
            }
        }
        reaped = waitForExit(1000);
    }
    if (wakeWrite_ >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = ::write(wakeWrite_, &byte, 1);
    }
    for (std::thread* thread : {&outputReader_, &errorReader_, &exitWatcher_})
        if (thread->joinable())
            thread->join();
    if (pid_ > 0 && !reaped) {
        std::lock_guard lock(exitMutex_);
        int status = 0;
        reaped = ::waitpid(pid_, &status, WNOHANG) == pid_;
        reaped_ = true;  // given up on: never signalled again
    }
    running_.store(false, std::memory_order_release);
    closeAll();
    pid_ = 0;
    return reaped;
}

void ProcessChannel::closeAll() {
    {
        std::lock_guard lock(writeMutex_);
        closeFd(stdinWrite_);
    }
    closeFd(stdoutRead_);
    closeFd(stderrRead_);
    closeFd(wakeRead_);
    closeFd(wakeWrite_);
}

}  // namespace tessera
