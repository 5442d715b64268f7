#include "engine/gtp_engine.h"

#include <sys/wait.h>
#include <chrono>

namespace tessera {

GtpEngine::GtpEngine() {
    ProcessChannelCallbacks callbacks;
    callbacks.onOutput = [this](std::string_view chunk) { onOutput(chunk); };
    callbacks.onErrorOutput = [this](std::string_view chunk) { onErrorOutput(chunk); };
    callbacks.onExited = [this](int) { onExited(); };
    channel_.setCallbacks(std::move(callbacks));
}

GtpEngine::~GtpEngine() { channel_.stop(); }

bool GtpEngine::start(const std::vector<std::string>& argv, std::string& error) {
    channel_.stop();
    {
        std::lock_guard lock(mutex_);
        partialLine_.clear();
        inResponse_ = false;
        building_ = {};
        replies_.clear();
        errorTail_.clear();
        interrupted_ = false;
        ended_ = false;
    }
    commandLine_.clear();
    for (const std::string& word : argv)
        commandLine_ += (commandLine_.empty() ? "" : " ") + word;
    if (!channel_.start(argv, error)) {
        std::lock_guard lock(mutex_);
        ended_ = true;
        return false;
    }
    return true;
}

GtpReply GtpEngine::command(std::string_view line, int timeoutMs) {
    {
        std::lock_guard lock(mutex_);
        if (interrupted_)
            return {GtpReply::Interrupted, {}};
        replies_.clear();  // nothing may be left over from an earlier command
    }
    std::string text(line);
    text += '\n';
    if (!channel_.write(text)) {
        // A child that does not take its input within the write limit hangs; one whose input
        // is closed has ended, though its exit may not be reaped yet: give the exit watcher a
        // moment so that a killed engine is reported as ended, not as silent.
        return {channel_.waitForExit(kEndedGraceMs) ? GtpReply::Ended : GtpReply::Timeout, {}};
    }
    std::unique_lock lock(mutex_);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    const bool ready = changed_.wait_until(lock, deadline, [&] { return !replies_.empty() || interrupted_ || ended_; });
    if (!replies_.empty()) {
        GtpReply reply = std::move(replies_.front());
        replies_.pop_front();
        return reply;
    }
    if (interrupted_)
        return {GtpReply::Interrupted, {}};
    if (!ready)
        return {GtpReply::Timeout, {}};
    return {GtpReply::Ended, {}};
}

void GtpEngine::interrupt() {
    std::lock_guard lock(mutex_);
    interrupted_ = true;
    changed_.notify_all();
}

void GtpEngine::stop(int quitWaitMs) {
    if (channel_.isRunning() && channel_.write("quit\n"))
        channel_.waitForExit(quitWaitMs);
    channel_.stop();
    std::lock_guard lock(mutex_);
    ended_ = true;
    changed_.notify_all();
}

std::string GtpEngine::errorTail() const {
    std::lock_guard lock(mutex_);
    return errorTail_;
}

void GtpEngine::onOutput(std::string_view chunk) {
    std::lock_guard lock(mutex_);
    partialLine_.append(chunk);
    size_t start = 0;
    while (true) {
        const size_t end = partialLine_.find('\n', start);
        if (end == std::string::npos)
            break;
        std::string lineText = partialLine_.substr(start, end - start);
        start = end + 1;
        if (!lineText.empty() && lineText.back() == '\r')
            lineText.pop_back();
        if (inResponse_) {
            if (lineText.empty()) {
                replies_.push_back(std::move(building_));
                building_ = {};
                inResponse_ = false;
                changed_.notify_all();
            } else {
                building_.text += '\n' + lineText;
            }
            continue;
        }
        if (lineText.empty())
            continue;
        if (lineText[0] == '=' || lineText[0] == '?') {
            inResponse_ = true;
            building_.status = lineText[0] == '=' ? GtpReply::Success : GtpReply::Failure;
            size_t i = 1;
            while (i < lineText.size() && lineText[i] >= '0' && lineText[i] <= '9')
                ++i;  // a command id
            while (i < lineText.size() && (lineText[i] == ' ' || lineText[i] == '\t'))
                ++i;
            building_.text = lineText.substr(i);
        } else {
            replies_.push_back({GtpReply::Malformed, lineText.substr(0, 200)});
            changed_.notify_all();
        }
    }
    partialLine_.erase(0, start);
    if (partialLine_.size() > 65536) {  // a "line" without end: no GTP
        replies_.push_back({GtpReply::Malformed, partialLine_.substr(0, 200)});
        partialLine_.clear();
        changed_.notify_all();
    }
}

void GtpEngine::onErrorOutput(std::string_view chunk) {
    std::lock_guard lock(mutex_);
    errorTail_.append(chunk);
    if (errorTail_.size() > kGtpErrorTailBytes)
        errorTail_.erase(0, errorTail_.size() - kGtpErrorTailBytes);
}

void GtpEngine::onExited() {
    std::lock_guard lock(mutex_);
    ended_ = true;
    changed_.notify_all();
}

std::string describeExit(int waitStatus) {
    if (waitStatus < 0)
        return "ended";
    if (WIFSIGNALED(waitStatus))
        return "was killed by signal " + std::to_string(WTERMSIG(waitStatus));
    if (WIFEXITED(waitStatus))
        return "exited with code " + std::to_string(WEXITSTATUS(waitStatus));
    return "ended";
}

}  // namespace tessera
