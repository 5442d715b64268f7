#pragma once
// INI files with the behaviour of the Windows private-profile functions.
//
// Syntax: "[SECTION]" lines and "key=value" lines. Section and key names are matched without
// regard to ASCII case and without surrounding blanks; a value loses its surrounding blanks and
// one pair of matching quotes. Lines starting with ';' or '#' are comments; lines that are
// neither sections nor keys are kept as they stand and otherwise ignored, as are keys above
// the first section. When a section appears twice, the first one wins, and inside a section
// the first line of a key wins, as with the Windows functions; writing changes that same line.
//
// A document keeps every line of its file, so writing one key leaves comments, unknown keys
// and other programs' keys exactly as they were. Files are read whole up to kMaxIniFileBytes
// and written atomically (see atomic_file.h).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessera {

// Largest INI file that is read; a larger one reads as empty and is never overwritten.
inline constexpr std::size_t kMaxIniFileBytes = 1 << 20;

// One key to write with IniDocument::setValue or writeIniValues.
struct IniEntry {
    std::string section;
    std::string key;
    std::string value;
};

class IniDocument {
public:
    // Parses any bytes; never fails (lines that make no sense are kept and ignored).
    static IniDocument parse(std::string_view bytes);

    // The file at `path` for reading; a missing, unreadable or oversized file gives an empty
    // document, so that every lookup yields its default.
    static IniDocument load(const std::string& path);

    // The file at `path` for changing and saving: an empty document when the file is missing,
    // nullopt when it exists but cannot be read whole (saving would lose its contents).
    static std::optional<IniDocument> loadForUpdate(const std::string& path);

    // The value of the first `key` in the first `section`; nullopt when either is missing.
    // A present key with an empty value gives the empty string.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // The value, or `defaultValue` when the key is missing.
    std::string readString(std::string_view section, std::string_view key, std::string_view defaultValue) const;

    // The integer of the profile reader: `defaultValue` when the key is missing or its value
    // is empty; else optional blanks, an optional sign and the leading decimal digits (0 when
    // there are none), saturated to the int range.
    int readInt(std::string_view section, std::string_view key, int defaultValue) const;

    // The value (or `defaultText` when the key is missing) converted like atof in the C
    // locale: leading number only, 0.0 when there is none or it is not finite.
    double readDouble(std::string_view section, std::string_view key, std::string_view defaultText) const;

    // Sets `key` in `section`: changes the existing line of the key (keeping its spelling and
    // the text up to its value), else adds a line after the section's last non-blank line,
    // else adds the section at the end. Line breaks in the arguments become blanks, so that a
    // value can never add lines of its own.
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    // The file's bytes: every line as read, with its own line ending, plus the changes.
    std::string serialize() const;

    // Writes serialize() atomically to `path`; false when the file could not be written.
    bool save(const std::string& path) const;

private:
    struct Line {
        std::string text;  // without its line ending
        std::string end;   // "\n", "\r\n", or empty for a last line without one
    };
    // Index of the first line of the first section named `section`, or -1.
    long findSection(std::string_view section) const;
    // Index of the line of `key` in the section whose header is at `header`, or -1.
    long findKey(long header, std::string_view key) const;
    // Index one past the last line belonging to the section whose header is at `header`.
    std::size_t sectionEnd(long header) const;

    std::string byteOrderMark_;  // a UTF-8 byte order mark the file started with
    std::vector<Line> lines_;
    std::string newline_ = "\n";  // line ending for added lines: the file's own
};

// Parses an integer as IniDocument::readInt does a present, non-empty value.
int parseProfileInt(std::string_view text);

// Converts text as atof does in the C locale; 0.0 for text that holds no finite number.
double parseProfileDouble(std::string_view text);

// `value` with exactly `decimals` digits after the point, rounded like printf("%.*f") and
// independent of the process locale; a value that is not finite is written as 0.
std::string formatFixed(double value, int decimals);

// Reads one string from the file at `path` (the profile reader's one-shot form).
std::string readIniString(const std::string& path, std::string_view section, std::string_view key,
                          std::string_view defaultValue);

// Reads one integer from the file at `path`.
int readIniInt(const std::string& path, std::string_view section, std::string_view key, int defaultValue);

// Reads one real number from the file at `path`.
double readIniDouble(const std::string& path, std::string_view section, std::string_view key,
                     std::string_view defaultText);

// Sets every entry in the file at `path` and writes it once, atomically; the file is made
// when missing (its folder must exist). False when the file could not be read whole or written.
bool writeIniValues(const std::string& path, const std::vector<IniEntry>& entries);

// Sets one string in the file at `path`; see writeIniValues.
bool writeIniString(const std::string& path, std::string_view section, std::string_view key, std::string_view value);

// Sets one integer (written as "%d") in the file at `path`; see writeIniValues.
bool writeIniInt(const std::string& path, std::string_view section, std::string_view key, int value);

}  // namespace tessera
