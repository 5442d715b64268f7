#pragma once
// printf-style formatting into a std::string, for the fixed report and title formats of the
// program ("%s  %s", "%.2f %s").

#include <cstdio>
#include <string>

namespace tessera {

// The text printf would write for pattern and args; empty when formatting fails.
template <typename... Args>
std::string formatText(const char* pattern, Args... args) {
    const int length = std::snprintf(nullptr, 0, pattern, args...);
    if (length <= 0)
        return std::string();
    std::string out(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(out.data(), out.size(), pattern, args...);
    out.resize(static_cast<size_t>(length));
    return out;
}

}  // namespace tessera
