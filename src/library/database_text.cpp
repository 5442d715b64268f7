#include "library/database_text.h"

#include <cstring>
#include <limits>

namespace tessera {

void quoteSql(std::string& text) {
    if (text.find('\'') == std::string::npos)
        return;
    std::string quoted;
    quoted.reserve(text.size() + 8);
    for (char c : text) {
        quoted += c;
        if (c == '\'')
            quoted += '\'';
    }
    text.swap(quoted);
}

bool hasHighBytes(std::string_view text) {
    for (unsigned char c : text)
        if (c & 0x80)
            return true;
    return false;
}

size_t copyBounded(char* destination, size_t size, const char* source) {
    if (size == 0 || destination == nullptr)
        return 0;
    const size_t length = source ? std::strlen(source) : 0;
    if (length + 1 <= size) {
        if (length)
            std::memcpy(destination, source, length);
        destination[length] = '\0';
        return length + 1;
    }
    std::memcpy(destination, source, size - 1);
    destination[size - 1] = '\0';
    return 0;
}

int32_t leadingInteger(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate in 64 bits and stop growing once past the 32-bit range.
    int64_t value = 0;
    constexpr int64_t limit = int64_t(std::numeric_limits<int32_t>::max()) + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        if (value <= limit)
            value = value * 10 + (text[i] - '0');
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

}  // namespace tessera
