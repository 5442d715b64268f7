#include "cli/command_table.h"

#include <algorithm>
#include <iostream>

namespace tessera::cli {
namespace {
std::vector<CliCommand>& table() {
    static std::vector<CliCommand> commands;
    return commands;
}
}  // namespace

std::vector<CliCommand> cliCommands() {
    auto commands = table();
    std::sort(commands.begin(), commands.end(),
              [](const CliCommand& a, const CliCommand& b) { return a.name < b.name; });
    return commands;
}

CliCommandRegistration::CliCommandRegistration(std::string name, std::string summary,
                                               std::function<int(const std::vector<std::string>&)> run) {
    table().push_back({std::move(name), std::move(summary), std::move(run)});
}

bool wantsHelp(const std::vector<std::string>& args) {
    return std::any_of(args.begin(), args.end(), [](const std::string& a) { return a == "--help" || a == "-h"; });
}

int failWith(const std::string& message, int code) {
    std::cerr << "tessera-cli: " << message << "\n";
    return code;
}

}  // namespace tessera::cli
