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

namespace tessera {

// The iconv name of the East Asian code page that uchardet takes bytes to be in: "GB18030",
// "BIG5", "CP932" (Shift_JIS) or "CP949" (EUC-KR / UHC); empty when its guess is none of them.
// Bytes uchardet does not place that decode cleanly as Shift_JIS into kana give "CP932".
std::string guessCjkCodePage(const std::string& bytes);

}  // namespace tessera

namespace tessera {

// bytes with every damaged UTF-8 sequence (a lead byte with missing continuation bytes, or a
// stray byte) replaced by one U+FFFD; valid UTF-8 comes back unchanged.
std::string repairUtf8(const std::string& bytes);

}  // namespace tessera
