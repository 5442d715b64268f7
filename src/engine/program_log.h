#pragma once
// The program's text log, log.txt in the program folder.
//
// Every line is stamped "YYYY-MM-DD hh:mm:ss(<ms since boot>), <text>\r\n" in local time. The
// file is opened and closed for every line, so that a crash loses nothing already logged and
// another program can read or delete the file at any time. When the file has grown beyond the
// size cap, the next line empties it first. All lines go through one lock, so any thread may
// log. Logging never fails in the caller's eyes: a line that cannot be written is dropped.

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

namespace tessera {

// Size beyond which the log starts again empty.
inline constexpr std::int64_t kProgramLogCapBytes = 5'120'000;
// Longest text logf formats (bytes, its terminator included).
inline constexpr std::size_t kProgramLogFormatBytes = 2048;
// Longest stamped line, line ending included; longer texts are cut to fit.
inline constexpr std::size_t kProgramLogLineBytes = 3072;

// "log.txt" in `programFolder` (which ends with '/').
std::string programLogPath(const std::string& programFolder);

class ProgramLog {
public:
    // A log writing to `path`, emptied when it is longer than `capBytes` before a line.
    explicit ProgramLog(std::string path, std::int64_t capBytes = kProgramLogCapBytes);
    ~ProgramLog();
    ProgramLog(const ProgramLog&) = delete;
    ProgramLog& operator=(const ProgramLog&) = delete;

    // Appends one stamped line holding `text` (cut at a character boundary to fit the line).
    void logLine(std::string_view text);

    // Formats like printf into at most kProgramLogFormatBytes - 1 bytes and logs the result.
    void logf(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // Closes the file when it is open; later lines open it again.
    void close();

    // The file this log writes to.
    const std::string& path() const { return path_; }

private:
    // Writes one finished line; called under the lock.
    void writeLine(const std::string& line);

    std::mutex mutex_;  // serialises every line and close()
    std::string path_;
    std::int64_t capBytes_;
    int fd_ = -1;  // open only while a line is written
};

// The stamped line for `text` at the given local time and millisecond counter, cut to
// kProgramLogLineBytes; exposed for tests.
std::string formatProgramLogLine(const struct tm& localTime, std::uint64_t millisecondsSinceBoot,
                                 std::string_view text);

}  // namespace tessera
