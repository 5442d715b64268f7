#include "cli/cli_json.h"

#include <unistd.h>

#include <cstdio>

namespace tessera::cli {

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (byte < 0x20) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04x", byte);
                    out += buffer;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

ProgressBar::ProgressBar(std::string label) : label_(std::move(label)), terminal_(::isatty(STDERR_FILENO) == 1) {}

void ProgressBar::update(size_t done, size_t total) {
    if (!terminal_ || total == 0)
        return;
    constexpr int width = 30;
    const int filled = static_cast<int>(width * done / total);
    std::fprintf(stderr, "\r[%.*s%*s] %zu/%zu %s", filled, "##############################", width - filled, "", done,
                 total, label_.c_str());
    std::fflush(stderr);
    shown_ = true;
}

void ProgressBar::finish() {
    if (shown_)
        std::fputc('\n', stderr);
    shown_ = false;
}

}  // namespace tessera::cli
