#pragma once
// The subcommands of tessera-cli. Each subcommand's file defines one static
// CliCommandRegistration; main() looks the first argument up in the table.

#include <functional>
#include <string>
#include <vector>

namespace tessera::cli {

// One subcommand: its name, a one-line summary for `tessera-cli --help`, and its entry
// point, which receives the arguments after the subcommand's name and returns the exit code.
struct CliCommand {
    std::string name;
    std::string summary;
    std::function<int(const std::vector<std::string>& args)> run;
};

// All registered subcommands, sorted by name.
std::vector<CliCommand> cliCommands();

// Adds a subcommand to the table at static-initialisation time.
struct CliCommandRegistration {
    CliCommandRegistration(std::string name, std::string summary,
                           std::function<int(const std::vector<std::string>&)> run);
};

// True when args holds "--help" or "-h".
bool wantsHelp(const std::vector<std::string>& args);

// Prints "tessera-cli: <message>" on standard error and returns exit code 1 (or `code`).
int failWith(const std::string& message, int code = 1);

}  // namespace tessera::cli
