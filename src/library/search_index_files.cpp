#include "library/search_index_files.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <queue>

#include "platform/atomic_file.h"

namespace tessera::index_files {
namespace fs = std::filesystem;

StreamedFile::~StreamedFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool StreamedFile::open(const std::string& path) {
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    buffer_.reserve(kBufferBytes);
    return fd_ >= 0;
}

bool StreamedFile::write(const void* data, size_t bytes) {
    buffer_.append(static_cast<const char*>(data), bytes);
    size_ += bytes;
    return buffer_.size() < kBufferBytes || flush();
}

bool StreamedFile::writeAt(uint64_t offset, const void* data, size_t bytes) {
    if (!flush())
        return false;
    const auto* from = static_cast<const char*>(data);
    while (bytes > 0) {
        const ssize_t done = ::pwrite(fd_, from, bytes, static_cast<off_t>(offset));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        from += done;
        offset += uint64_t(done);
        bytes -= size_t(done);
    }
    return true;
}

bool StreamedFile::flush() {
    if (fd_ < 0 || !writeAll(fd_, buffer_))
        return false;
    buffer_.clear();
    ::sync_file_range(fd_, 0, 0, SYNC_FILE_RANGE_WRITE);
    return true;
}

bool StreamedFile::close() {
    bool ok = flush() && ::fsync(fd_) == 0;
    ok = ::close(fd_) == 0 && ok;
    fd_ = -1;
    return ok;
}

bool MergeSource::refill() {
    if (!file)
        return false;
    buffer.resize(std::max<size_t>(bufferEntries, 1));
    const size_t got = std::fread(buffer.data(), sizeof(PositionEntry), buffer.size(), file);
    at = buffer.data();
    end = at + got;
    return got > 0;
}

bool mergeInto(std::vector<MergeSource>& sources, const std::function<bool(const PositionEntry*, size_t)>& out) {
    auto later = [&](size_t a, size_t b) { return entryBefore(*sources[b].at, *sources[a].at); };
    std::priority_queue<size_t, std::vector<size_t>, decltype(later)> heap(later);
    for (size_t k = 0; k < sources.size(); ++k)
        if (sources[k].start())
            heap.push(k);
    std::vector<PositionEntry> output;
    output.reserve(65536);
    while (!heap.empty()) {
        const size_t k = heap.top();
        heap.pop();
        MergeSource& source = sources[k];
        // Take every entry of this source that still comes before the next source's head.
        const PositionEntry* limit = heap.empty() ? nullptr : sources[heap.top()].at;
        bool more = true;
        do {
            output.push_back(*source.at);
            if (output.size() == output.capacity()) {
                if (!out(output.data(), output.size()))
                    return false;
                output.clear();
            }
        } while ((more = source.advance()) && (!limit || !entryBefore(*limit, *source.at)));
        if (more)
            heap.push(k);
    }
    return output.empty() || out(output.data(), output.size());
}

std::vector<std::string> readSegmentList(const std::string& folder) {
    std::vector<std::string> names;
    std::ifstream in(folder + "segments");
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line.find('/') == std::string::npos && line.find("..") == std::string::npos)
            names.push_back(line);
    return names;
}

bool writeSegmentList(const std::string& folder, const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names)
        text += name + "\n";
    return writeFileAtomically(folder + "segments", text);
}

void removeSegmentFiles(const std::string& folder, const std::string& name) {
    std::error_code ec;
    for (const char* extension : {".games", ".trees", ".keys", ".bits"})
        fs::remove(folder + name + extension, ec);
}

std::string newSegmentName(const std::string& folder) {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const long long stamp = std::chrono::duration_cast<std::chrono::microseconds>(now).count();
    for (int extra = 0;; ++extra) {
        const std::string name =
            "segment-" + std::to_string(stamp) + "-" + std::to_string(::getpid()) + "-" + std::to_string(extra);
        std::error_code ec;
        if (!fs::exists(folder + name + ".trees", ec))
            return name;
    }
}

void removeAbandonedSegmentFiles(const std::string& folder, const std::vector<std::string>& listed) {
    std::error_code ec;
    std::vector<fs::path> abandoned;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        // NAME.games, NAME.runN, and the temporary files of an atomic write (.NAME.games.tmp-...).
        std::string file = it->path().filename().string();
        if (!file.empty() && file[0] == '.')
            file.erase(0, 1);
        const std::string name = file.substr(0, file.find('.'));
        if (name.rfind("segment-", 0) != 0 || std::find(listed.begin(), listed.end(), name) != listed.end())
            continue;
        // segment-<time>-<process id>-<counter>
        const size_t pidAt = name.find('-', 8);
        const long pid = pidAt == std::string::npos ? 0 : std::strtol(name.c_str() + pidAt + 1, nullptr, 10);
        // A process of another pid namespace sharing the folder looks gone too: files it still
        // writes are touched within the hour.
        std::error_code timeError;
        const auto written = fs::last_write_time(it->path(), timeError);
        if (pid > 0 && pid != ::getpid() && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH && !timeError &&
            written < fs::file_time_type::clock::now() - std::chrono::hours(1))
            abandoned.push_back(it->path());
    }
    for (const auto& path : abandoned)
        fs::remove(path, ec);
}

IndexFolderLock::IndexFolderLock(const std::string& path, bool wait) {
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0)
        return;
    int result;
    while ((result = ::flock(fd_, LOCK_EX | (wait ? 0 : LOCK_NB))) != 0 && errno == EINTR) {
    }
    if (result != 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

IndexFolderLock::~IndexFolderLock() {
    if (fd_ >= 0)
        ::close(fd_);  // releases the flock
}

}  // namespace tessera::index_files
