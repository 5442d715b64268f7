#pragma once
// JSON and terminal helpers shared by the subcommands.

#include <cstddef>
#include <string>

namespace tessera::cli {

// text as a JSON string literal (quotes, backslashes and control characters escaped).
std::string jsonString(const std::string& text);

// A progress bar on standard error when it is a terminal ("\r[#####     ] 120/300 label"),
// nothing otherwise. finish() ends the line.
class ProgressBar {
public:
    explicit ProgressBar(std::string label);
    void update(size_t done, size_t total);
    void finish();

private:
    std::string label_;
    bool terminal_;
    bool shown_ = false;
};

}  // namespace tessera::cli
