// tessera-cli publish: the update server's tree from a program folder.

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_table.h"
#include "update/update_publisher.h"

namespace tessera::cli {
namespace {

const char* kPublishHelp =
    "Usage: tessera-cli publish PROGRAM_FOLDER OUT_FOLDER [--since PATCH] [--json]\n"
    "Builds or extends the tree an update server serves (tessera-cli update, the window's\n"
    "online update) from the library and data files of PROGRAM_FOLDER: a new patch holding the\n"
    "games and players added since the last patch, the zipped game files of that patch, the\n"
    "packed database, the patch history, and the zipped data files with their file index\n"
    "(its version moves on when a file changed). Run it again after importing more games.\n"
    "  --since PATCH  start the new patch after patch PATCH instead of the last one\n"
    "  --json         print one object: patch, games, players, files, indexVersion\n";

int runPublish(const std::vector<std::string>& args) {
    if (wantsHelp(args)) {
        std::cout << kPublishHelp;
        return 0;
    }
    std::vector<std::string> folders;
    int since = -1;
    bool json = false;
    for (size_t k = 0; k < args.size(); ++k) {
        if (args[k] == "--since") {
            char* end = nullptr;
            if (k + 1 >= args.size() || (since = static_cast<int>(std::strtol(args[k + 1].c_str(), &end, 10))) < 0 ||
                *end != '\0' || args[k + 1].empty())
                return failWith("publish: --since takes a patch number");
            ++k;
        } else if (args[k] == "--json") {
            json = true;
        } else if (args[k].rfind("--", 0) == 0) {
            return failWith("publish: unknown option " + args[k] + " (see publish --help)");
        } else {
            folders.push_back(args[k]);
        }
    }
    if (folders.size() != 2)
        return failWith("publish: name PROGRAM_FOLDER and OUT_FOLDER (see publish --help)");
    for (auto& folder : folders)
        if (folder.back() != '/')
            folder += '/';
    PublishReport report;
    if (!publishUpdateTree(folders[0], folders[1], since, report))
        return failWith("publish: " + report.error);
    if (json)
        std::cout << "{\"patch\":" << report.patch << ",\"games\":" << report.games << ",\"players\":" << report.players
                  << ",\"files\":" << report.files << ",\"indexVersion\":" << report.indexVersion << "}\n";
    else if (report.patch < 0)
        std::cout << "no new games; " << report.files << " data files packed, file index version "
                  << report.indexVersion << "\n";
    else
        std::cout << "patch " << report.patch << ": " << report.games << " games, " << report.players << " players; "
                  << report.files << " data files packed, file index version " << report.indexVersion << "\n";
    return 0;
}

const CliCommandRegistration kPublish("publish", "build the update server's tree from a program folder", runPublish);

}  // namespace
}  // namespace tessera::cli
