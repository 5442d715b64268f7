#include "platform/ini_file.h"

#include <charconv>
#include <climits>
#include <cmath>

#include "platform/atomic_file.h"
#include "platform/program_folders.h"

namespace tessera {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    return true;
}

// The name of a section line ("[ NAME ]" gives "NAME"), or nullopt for any other line.
std::optional<std::string_view> sectionName(std::string_view line) {
    const std::string_view text = trimmed(line);
    if (text.empty() || text.front() != '[')
        return std::nullopt;
    const std::size_t close = text.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trimmed(text.substr(1, close - 1));
}

bool isComment(std::string_view line) {
    const std::string_view text = trimmed(line);
    return !text.empty() && (text.front() == ';' || text.front() == '#');
}

// The key of a key line, or nullopt for a line that holds none.
std::optional<std::string_view> keyName(std::string_view line) {
    if (isComment(line) || sectionName(line))
        return std::nullopt;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    const std::string_view key = trimmed(line.substr(0, equals));
    if (key.empty())
        return std::nullopt;
    return key;
}

// The value of a key line: blanks and one pair of matching quotes removed.
std::string_view keyValue(std::string_view line) {
    std::string_view value = trimmed(line.substr(line.find('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value;
}

// Text safe to put on one line: line breaks become blanks.
std::string oneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line)
        if (c == '\n' || c == '\r')
            c = ' ';
    return line;
}

}  // namespace

IniDocument IniDocument::parse(std::string_view bytes) {
    IniDocument document;
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        document.byteOrderMark_ = kUtf8Bom;
        bytes.remove_prefix(kUtf8Bom.size());
    }
    bool sawLineEnd = false;
    while (!bytes.empty()) {
        const std::size_t newline = bytes.find('\n');
        Line line;
        if (newline == std::string_view::npos) {
            line.text = bytes;
            bytes = {};
        } else {
            const bool crlf = newline > 0 && bytes[newline - 1] == '\r';
            line.text = bytes.substr(0, crlf ? newline - 1 : newline);
            line.end = crlf ? "\r\n" : "\n";
            bytes.remove_prefix(newline + 1);
            if (!sawLineEnd) {
                document.newline_ = line.end;
                sawLineEnd = true;
            }
        }
        document.lines_.push_back(std::move(line));
    }
    return document;
}

IniDocument IniDocument::load(const std::string& path) {
    const auto bytes = readFileBounded(path, kMaxIniFileBytes);
    return bytes ? parse(*bytes) : IniDocument();
}

std::optional<IniDocument> IniDocument::loadForUpdate(const std::string& path) {
    if (const auto bytes = readFileBounded(path, kMaxIniFileBytes))
        return parse(*bytes);
    if (FileExists(path))
        return std::nullopt;
    return IniDocument();
}

long IniDocument::findSection(std::string_view section) const {
    const std::string_view wanted = trimmed(section);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = sectionName(lines_[i].text);
        if (name && sameName(*name, wanted))
            return static_cast<long>(i);
    }
    return -1;
}

std::size_t IniDocument::sectionEnd(long header) const {
    std::size_t i = static_cast<std::size_t>(header) + 1;
    while (i < lines_.size() && !sectionName(lines_[i].text))
        ++i;
    return i;
}

long IniDocument::findKey(long header, std::string_view key) const {
    const std::string_view wanted = trimmed(key);
    const std::size_t end = sectionEnd(header);
    for (std::size_t i = static_cast<std::size_t>(header) + 1; i < end; ++i) {
        const auto name = keyName(lines_[i].text);
        if (name && sameName(*name, wanted))
            return static_cast<long>(i);
    }
    return -1;
}

std::optional<std::string> IniDocument::value(std::string_view section, std::string_view key) const {
    const long header = findSection(section);
    if (header < 0)
        return std::nullopt;
    const long line = findKey(header, key);
    if (line < 0)
        return std::nullopt;
    return std::string(keyValue(lines_[static_cast<std::size_t>(line)].text));
}

std::string IniDocument::readString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
    auto found = value(section, key);
    return found ? std::move(*found) : std::string(defaultValue);
}

int IniDocument::readInt(std::string_view section, std::string_view key, int defaultValue) const {
    const auto found = value(section, key);
    if (!found || found->empty())
        return defaultValue;
    return parseProfileInt(*found);
}

double IniDocument::readDouble(std::string_view section, std::string_view key, std::string_view defaultText) const {
    const auto found = value(section, key);
    return parseProfileDouble(found ? std::string_view(*found) : defaultText);
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
    const std::string safeSection = oneLine(trimmed(section));
    const std::string safeKey = oneLine(trimmed(key));
    const std::string safeValue = oneLine(value);

    const long header = findSection(safeSection);
    if (header >= 0) {
        const long keyLine = findKey(header, safeKey);
        if (keyLine >= 0) {
            // Keep the key's own spelling and spacing; replace only what follows.
            std::string& text = lines_[static_cast<std::size_t>(keyLine)].text;
            std::size_t valueStart = text.find('=') + 1;
            while (valueStart < text.size() && (text[valueStart] == ' ' || text[valueStart] == '\t'))
                ++valueStart;
            text = text.substr(0, valueStart) + safeValue;
            return;
        }
        std::size_t insertAt = sectionEnd(header);
        while (insertAt > static_cast<std::size_t>(header) + 1 && trimmed(lines_[insertAt - 1].text).empty())
            --insertAt;
        if (lines_[insertAt - 1].end.empty())
            lines_[insertAt - 1].end = newline_;
        lines_.insert(lines_.begin() + static_cast<long>(insertAt), Line{safeKey + "=" + safeValue, newline_});
        return;
    }
    if (!lines_.empty()) {
        if (lines_.back().end.empty())
            lines_.back().end = newline_;
        if (!trimmed(lines_.back().text).empty())
            lines_.push_back(Line{"", newline_});
    }
    lines_.push_back(Line{"[" + safeSection + "]", newline_});
    lines_.push_back(Line{safeKey + "=" + safeValue, newline_});
}

std::string IniDocument::serialize() const {
    std::string bytes = byteOrderMark_;
    for (const Line& line : lines_) {
        bytes += line.text;
        bytes += line.end;
    }
    return bytes;
}

bool IniDocument::save(const std::string& path) const { return writeFileAtomically(path, serialize()); }

int parseProfileInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1)
            magnitude = static_cast<long long>(INT_MAX) + 1;  // saturate; keeps reading digits
    }
    const long long result = negative ? -magnitude : magnitude;
    if (result > INT_MAX)
        return INT_MAX;
    return static_cast<int>(result);
}

double parseProfileDouble(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    // from_chars takes no '+', but atof does.
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        return 0.0;
    double value = 0.0;
    const char* first = text.data() + i;
    const auto result = std::from_chars(first, text.data() + text.size(), value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Overflow gives ±HUGE_VAL in atof and is not finite; underflow is 0 either way.
        return 0.0;
    }
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0.0;
    return negative ? -value : value;
}

std::string formatFixed(double value, int decimals) {
    if (!std::isfinite(value))
        value = 0.0;
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return "0";
    return std::string(buffer, result.ptr);
}

std::string readIniString(const std::string& path, std::string_view section, std::string_view key,
                          std::string_view defaultValue) {
    return IniDocument::load(path).readString(section, key, defaultValue);
}

int readIniInt(const std::string& path, std::string_view section, std::string_view key, int defaultValue) {
    return IniDocument::load(path).readInt(section, key, defaultValue);
}

double readIniDouble(const std::string& path, std::string_view section, std::string_view key,
                     std::string_view defaultText) {
    return IniDocument::load(path).readDouble(section, key, defaultText);
}

bool writeIniValues(const std::string& path, const std::vector<IniEntry>& entries) {
    auto document = IniDocument::loadForUpdate(path);
    if (!document)
        return false;
    for (const IniEntry& entry : entries)
        document->setValue(entry.section, entry.key, entry.value);
    return document->save(path);
}

bool writeIniString(const std::string& path, std::string_view section, std::string_view key, std::string_view value) {
    return writeIniValues(path, {IniEntry{std::string(section), std::string(key), std::string(value)}});
}

bool writeIniInt(const std::string& path, std::string_view section, std::string_view key, int value) {
    return writeIniString(path, section, key, std::to_string(value));
}

}  // namespace tessera
