#pragma once
// Small text helpers of the database layer: quoting for SQL literals, the high-byte test,
// a bounded copy into fixed buffers, and the integer reading every column and id list uses.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessera {

// Doubles every "'" of text in place, so it can stand between quotes in a statement.
// Unlike the fixed-buffer original, texts of any length are quoted.
void quoteSql(std::string& text);

// True when text holds a byte with the high bit set (a non-ASCII character); false for "".
bool hasHighBytes(std::string_view text);

// Copies source with its terminator into destination[size]: returns strlen(source) + 1 when
// it fits; otherwise writes the first size - 1 bytes and a terminator and returns 0
// (nothing is written when size is 0).
size_t copyBounded(char* destination, size_t size, const char* source);

// The leading decimal number of text (optional white space and sign first); 0 when there is
// none. Values beyond the 32-bit range are clamped to it.
int32_t leadingInteger(std::string_view text);

}  // namespace tessera
