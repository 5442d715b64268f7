#pragma once
// Conversions between UTF-8 (the program's inner form) and the legacy code pages met at
// file boundaries (GB18030, GBK, BIG5, CP949, SHIFT_JIS), through glibc iconv.

#include <optional>
#include <string>

namespace tessera {

// Converts bytes from one iconv encoding name to another; nullopt when the input does not
// decode cleanly or an encoding is unknown.
std::optional<std::string> convertEncoding(const std::string& bytes, const char* from, const char* to);

// True when bytes are well-formed UTF-8 (no overlongs, no surrogates, nothing above U+10FFFF).
bool isValidUtf8(const std::string& bytes);

// UTF-8 to GB18030 (lossless for every Unicode character); invalid UTF-8 input is returned unchanged.
std::string utf8ToGb18030(const std::string& utf8);

// GB18030 to UTF-8; bytes that do not decode become U+FFFD so that nothing is dropped silently.
std::string gb18030ToUtf8(const std::string& gb);

// Any code page to UTF-8 with U+FFFD for undecodable bytes.
std::string toUtf8Lossy(const std::string& bytes, const char* from);

}  // namespace tessera
