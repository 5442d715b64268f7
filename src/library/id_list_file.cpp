#include "library/id_list_file.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <optional>

#include "platform/atomic_file.h"
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
    try {
        std::optional<std::string> bytes = readFileBounded(path, maxBytes);
        if (!bytes)
            return false;
        text = std::move(*bytes);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool WriteIdList(const std::vector<int32_t>& list, const std::string& path) {
    try {
        std::string text;
        text.reserve(list.size() * 8);
        for (int32_t id : list) {
            text += std::to_string(id);
            text += '\n';
        }
        return writeFileAtomically(path, text);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool ReadIdList(const std::string& path, std::vector<int32_t>& list, size_t maxEntries) {
    list.clear();
    FilePointer file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return false;
    bool capped = false;
    try {
        char line[kIdListPieceBytes + 1];
        while (std::fgets(line, sizeof line, file.get()))
            if (!readLine(line, list, maxEntries, capped))
                break;
    } catch (const std::bad_alloc&) {
        logDiagnostic("id list " + path + ": out of memory after " + std::to_string(list.size()) + " ids");
        return true;
    }
    if (capped)
        logDiagnostic("id list " + path + " expands to more than " + std::to_string(maxEntries) +
                      " ids; the rest is left out");
    return true;
}

bool parseIdList(std::string_view text, std::vector<int32_t>& list, size_t maxEntries) {
    list.clear();
    bool capped = false;
    try {
        // The pieces fgets would hand over: up to a newline (included) or kIdListPieceBytes bytes.
        char line[kIdListPieceBytes + 1];
        size_t start = 0;
        while (start < text.size()) {
            size_t end = start;
            while (end < text.size() && end - start < kIdListPieceBytes && text[end] != '\n')
                ++end;
            if (end < text.size() && end - start < kIdListPieceBytes)
                ++end;  // the newline
            std::memcpy(line, text.data() + start, end - start);
            line[end - start] = '\0';
            start = end;
            if (!readLine(line, list, maxEntries, capped))
                break;
        }
    } catch (const std::bad_alloc&) {
        capped = true;
    }
    return !capped;
}

}  // namespace tessera
