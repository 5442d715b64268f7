#include "engine/program_log.h"

#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <ctime>

namespace tessera {

namespace {

// The longest prefix of `text` of at most `maxBytes` that does not end inside a UTF-8
// character (text that is not UTF-8 is cut at `maxBytes` or a few bytes before).
std::string_view cutAtCharacter(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes)
        return text;
    std::size_t end = maxBytes;
    for (int back = 0; back < 3 && end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80; ++back)
        --end;
    return text.substr(0, end);
}

std::uint64_t millisecondsSinceBoot() {
    struct timespec now {};
    if (clock_gettime(CLOCK_BOOTTIME, &now) != 0)
        clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000u + static_cast<std::uint64_t>(now.tv_nsec / 1000000);
}

}  // namespace

std::string programLogPath(const std::string& programFolder) { return programFolder + "log.txt"; }

std::string formatProgramLogLine(const struct tm& t, std::uint64_t milliseconds, std::string_view text) {
    char stamp[96];
    const int length =
        std::snprintf(stamp, sizeof stamp, "%d-%02d-%02d %02d:%02d:%02d(%llu), ", t.tm_year + 1900, t.tm_mon + 1,
                      t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, static_cast<unsigned long long>(milliseconds));
    std::string line(stamp, static_cast<std::size_t>(length > 0 ? length : 0));
    const std::size_t room = kProgramLogLineBytes - line.size() - 2;
    line += cutAtCharacter(text, room);
    line += "\r\n";
    return line;
}

ProgramLog::ProgramLog(std::string path, std::int64_t capBytes) : path_(std::move(path)), capBytes_(capBytes) {}

ProgramLog::~ProgramLog() { close(); }

void ProgramLog::logLine(std::string_view text) {
    std::lock_guard lock(mutex_);
    const std::time_t now = std::time(nullptr);
    struct tm localTime {};
    localtime_r(&now, &localTime);
    writeLine(formatProgramLogLine(localTime, millisecondsSinceBoot(), text));
}

void ProgramLog::logf(const char* format, ...) {
    // A few bytes more than the text may hold, so that a character cut at the limit is seen.
    char buffer[kProgramLogFormatBytes + 4];
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    if (length < 0)
        return;
    const std::string_view text(buffer, std::min<std::size_t>(static_cast<std::size_t>(length), sizeof buffer - 1));
    logLine(cutAtCharacter(text, kProgramLogFormatBytes - 1));
}

void ProgramLog::close() {
    std::lock_guard lock(mutex_);
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

void ProgramLog::writeLine(const std::string& line) {
    if (fd_ < 0)
        fd_ = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0)
        return;
    struct stat info {};
    if (fstat(fd_, &info) == 0 && info.st_size > capBytes_) {
        ::close(fd_);
        fd_ = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_TRUNC | O_CREAT | O_CLOEXEC, 0644);
        if (fd_ < 0)
            return;
    }
    writeAll(fd_, line);
    ::close(fd_);
    fd_ = -1;
}

}  // namespace tessera
