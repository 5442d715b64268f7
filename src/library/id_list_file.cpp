#include "library/id_list_file.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/diagnostics.h"

namespace tessera {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePointer = std::unique_ptr<std::FILE, FileCloser>;

// Parses an optional-sign decimal number at text[at] after optional blanks (like scanf's %d,
// but clamped to 32 bits); returns false when there is no digit. at moves past the number.
bool scanInteger(const char* text, size_t& at, int64_t& value) {
    while (text[at] == ' ' || text[at] == '\t')
        ++at;
    bool negative = false;
    if (text[at] == '+' || text[at] == '-')
        negative = text[at++] == '-';
    if (text[at] < '0' || text[at] > '9')
        return false;
    value = 0;
    for (; text[at] >= '0' && text[at] <= '9'; ++at)
        if (value <= int64_t(std::numeric_limits<int32_t>::max()) + 1)
            value = value * 10 + (text[at] - '0');
    if (negative)
        value = -value;
    value = std::max<int64_t>(std::min<int64_t>(value, std::numeric_limits<int32_t>::max()),
                              std::numeric_limits<int32_t>::min());
    return true;
}

// Appends the ids of one line piece; false once the list is full.
bool readLine(const char* line, std::vector<int32_t>& list, size_t maxEntries, bool& capped) {
    if (line[0] >= '0' && line[0] <= '9') {
        size_t at = 0;
        int64_t value = 0;
        scanInteger(line, at, value);
        if (list.size() >= maxEntries) {
            capped = true;
            return false;
        }
        list.push_back(static_cast<int32_t>(value));
        return true;
    }
    const char open = line[0];
    if (open != '[' && open != '(')
        return true;
    size_t at = 1;
    int64_t first = 0, last = 0;
    if (!scanInteger(line, at, first))
        return true;
    while (line[at] == ' ' || line[at] == '\t')
        ++at;
    if (line[at] != ',')
        return true;
    ++at;
    if (!scanInteger(line, at, last))
        return true;
    while (line[at] == ' ' || line[at] == '\t')
        ++at;
    const char close = line[at];
    if (close != ']' && close != ')')
        return true;
    if (open == '(')
        ++first;
    if (close == ')')
        --last;
    for (int64_t id = first; id <= last; ++id) {
        if (list.size() >= maxEntries) {
            capped = true;
            return false;
        }
        list.push_back(static_cast<int32_t>(id));
    }
    return true;
}

}  // namespace

bool readWholeFile(const std::string& path, std::string& text, size_t maxBytes) {
    text.clear();
    FilePointer file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return false;
    try {
        char buffer[65536];
        for (;;) {
            const size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
            if (text.size() + got > maxBytes) {
                text.clear();
                return false;
            }
            text.append(buffer, got);
            if (got < sizeof buffer)
                break;
        }
        if (std::ferror(file.get())) {
            text.clear();
            return false;
        }
        return true;
    } catch (const std::bad_alloc&) {
        text.clear();
        return false;
    }
}

bool WriteIdList(const std::vector<int32_t>& list, const std::string& path) {
    const std::filesystem::path target(path);
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int descriptor = mkstemp(temporary.data());
    if (descriptor < 0)
        return false;
    FilePointer file(fdopen(descriptor, "wb"));
    if (!file) {
        ::close(descriptor);
        std::remove(temporary.c_str());
        return false;
    }
    bool ok = true;
    for (int32_t id : list)
        ok = ok && std::fprintf(file.get(), "%d\n", static_cast<int>(id)) > 0;
    ok = ok && std::fflush(file.get()) == 0 && fsync(fileno(file.get())) == 0;
    ok = (std::fclose(file.release()) == 0) && ok;
    // mkstemp makes the file private; an id list is an ordinary user file.
    ok = ok && ::chmod(temporary.c_str(), 0644) == 0;
    if (ok && std::rename(temporary.c_str(), path.c_str()) == 0)
        return true;
    std::remove(temporary.c_str());
    return false;
}

bool ReadIdList(const std::string& path, std::vector<int32_t>& list, size_t maxEntries) {
    list.clear();
    FilePointer file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return false;
    try {
        char line[1024];
        bool capped = false;
        while (std::fgets(line, sizeof line, file.get()))
            if (!readLine(line, list, maxEntries, capped))
                break;
        if (capped)
            logDiagnostic("id list " + path + " expands to more than " + std::to_string(maxEntries) +
                          " ids; the rest is left out");
        return true;
    } catch (const std::bad_alloc&) {
        logDiagnostic("id list " + path + ": out of memory after " + std::to_string(list.size()) + " ids");
        return true;
    }
}

}  // namespace tessera
