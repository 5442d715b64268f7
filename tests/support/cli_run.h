#pragma once
// Running tessera-cli as a user does, for the command-line tests (TESSERA_CLI_PATH names the
// program built with them).

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace tessera::test {

struct CliRun {
    int exitCode = -1;
    std::string output;  // standard output, then standard error when asked for
};

inline std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs tessera-cli with args; withErrors also captures standard error (after the output);
// standard input comes from inputFile when one is named.
inline CliRun runCli(const std::vector<std::string>& args, bool withErrors = true, const std::string& inputFile = "") {
    std::string command = shellQuoted(TESSERA_CLI_PATH);
    for (const auto& arg : args)
        command += " " + shellQuoted(arg);
    if (!inputFile.empty())
        command += " < " + shellQuoted(inputFile);
    command += withErrors ? " 2>&1" : " 2>/dev/null";
    CliRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    std::array<char, 4096> buffer{};
    size_t got = 0;
    while ((got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.output.append(buffer.data(), got);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace tessera::test
