// tessera-cli: the program's logic without a window, for scripts, tests and benchmarks.

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/settings_files.h"
#include "cli/command_table.h"
#include "library/database.h"
#include "platform/program_folders.h"

namespace {

void printUsage() {
    std::cout << "Usage: tessera-cli [--program-folder DIR] COMMAND [ARGS...]\n"
                 "       tessera-cli --help | --version\n\n"
                 "Commands:\n";
    for (const auto& command : tessera::cli::cliCommands())
        std::cout << "  " << command.name << std::string(command.name.size() < 14 ? 14 - command.name.size() : 1, ' ')
                  << command.summary << "\n";
    std::cout << "\nEvery command takes --help.\n";
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    // Global options come before the command's name.
    while (!args.empty() && args.front().rfind("--", 0) == 0) {
        const std::string option = args.front();
        if (option == "--help") {
            printUsage();
            return 0;
        }
        if (option == "--version") {
            std::cout << "tessera-cli " << TESSERA_VERSION << "\n";
            return 0;
        }
        if (option == "--program-folder") {
            if (args.size() < 2)
                return tessera::cli::failWith("--program-folder needs a folder");
            setenv("TESSERA_PROGRAM_FOLDER", args[1].c_str(), 1);
            args.erase(args.begin(), args.begin() + 2);
            continue;
        }
        return tessera::cli::failWith("unknown option " + option + " (see --help)");
    }
    if (args.empty()) {
        printUsage();
        return 2;
    }
    // [DATABASE] Connection of the user's settings may put the library on a database server.
    if (const std::string folder = tessera::GetProgramFolder(); !folder.empty())
        tessera::applyConnectionSetting(tessera::settingsFilesFor(tessera::GetRootFolder(folder)).customVantor);
    const std::string name = args.front();
    args.erase(args.begin());
    for (const auto& command : tessera::cli::cliCommands())
        if (command.name == name)
            return command.run(args);
    return tessera::cli::failWith("unknown command '" + name + "' (see --help)");
}
