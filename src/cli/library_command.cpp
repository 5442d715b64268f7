// tessera-cli library: a library on a PostgreSQL server (create it, copy a local library into
// it, show what it holds).

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_json.h"
#include "cli/command_table.h"
#include "library/library_copy.h"
#include "library/library_store.h"
#include "platform/program_folders.h"

namespace tessera::cli {
namespace {

const char* kLibraryHelp =
    "Usage: tessera-cli library --server CONNECTION init|status [--json]\n"
    "       tessera-cli library --server CONNECTION copy-from PROGRAM_FOLDER [--json]\n"
    "A library shared on a PostgreSQL server, reached through the ODBC connection string\n"
    "CONNECTION, for example \"DRIVER={PostgreSQL Unicode};Server=db.example;Port=5432;\n"
    "Database=tessera;UID=go;PWD=secret\" (the database must exist).\n"
    "  init                     create the library's tables on the server (an existing\n"
    "                           library is kept), then show its status\n"
    "  copy-from PROGRAM_FOLDER copy the library of a program folder (go.db and the game files\n"
    "                           of GoFile/) into the server library; games and players whose id\n"
    "                           the server holds already are skipped, so an interrupted copy can\n"
    "                           be run again\n"
    "  status                   games, players, stored game files and the largest game id\n"
    "  --json                   one object: games, players, storedFiles, largestId (copy-from\n"
    "                           adds copied, alreadyThere, missingFiles, copiedPlayers)\n"
    "Programs use the server library when [DATABASE] Connection in custom/vantor.ini or the\n"
    "environment variable TESSERA_ODBC_CONNECTION holds the connection string.\n";

void printStatus(const LibraryStatus& status, const LibraryCopySummary* copy, bool json) {
    std::ostringstream out;
    if (json) {
        out << "{\"games\":" << status.games << ",\"players\":" << status.players
            << ",\"storedFiles\":" << status.storedFiles << ",\"largestId\":" << status.largestId;
        if (copy)
            out << ",\"copied\":" << copy->copied << ",\"alreadyThere\":" << copy->alreadyThere
                << ",\"missingFiles\":" << copy->missingFiles << ",\"copiedPlayers\":" << copy->players;
        out << "}\n";
    } else {
        if (copy)
            out << "copied " << copy->copied << " games (" << copy->alreadyThere << " already there, "
                << copy->missingFiles << " without a game file) and " << copy->players << " players\n";
        out << "server library: " << status.games << " games, " << status.players << " players, " << status.storedFiles
            << " game files, largest id " << status.largestId << "\n";
    }
    std::cout << out.str();
}

int runLibrary(const std::vector<std::string>& args) {
    if (wantsHelp(args)) {
        std::cout << kLibraryHelp;
        return 0;
    }
    std::string connection, action, sourceFolder;
    bool json = false;
    for (size_t k = 0; k < args.size(); ++k) {
        const std::string& arg = args[k];
        if (arg == "--json") {
            json = true;
        } else if (arg == "--server") {
            if (k + 1 >= args.size() || args[k + 1].empty())
                return failWith("library: --server takes a connection string");
            connection = args[++k];
        } else if (arg.rfind("--", 0) == 0) {
            return failWith("library: unknown option " + arg + " (see library --help)");
        } else if (action.empty()) {
            action = arg;
        } else if (action == "copy-from" && sourceFolder.empty()) {
            sourceFolder = arg;
        } else {
            return failWith("library: unexpected argument " + arg + " (see library --help)");
        }
    }
    if (connection.empty())
        return failWith("library: name the server with --server CONNECTION (see library --help)");
    if (dialectOf(connection) == SqlDialect::sqlite)
        return failWith(
            "library: --server takes the connection string of a PostgreSQL server "
            "(DRIVER={PostgreSQL Unicode};Server=...;Database=...)");
    if (action != "init" && action != "status" && action != "copy-from")
        return failWith("library: say init, status or copy-from PROGRAM_FOLDER (see library --help)");
    if (action == "copy-from" && sourceFolder.empty())
        return failWith("library: copy-from needs the program folder of the local library");

    LibraryStore server(GetProgramFolder());
    server.setConnectionTemplate(connection);
    std::string error;
    if (!server.open(action == "status" ? LibraryAccess::readOnly : LibraryAccess::readWrite, error))
        return failWith("library: " + error);

    LibraryCopySummary copy;
    if (action == "copy-from") {
        LibraryStore local(withTrailingSlash(sourceFolder));
        local.setConnectionTemplate(kSqliteConnectionTemplate);
        if (!local.open(LibraryAccess::readOnly, error))
            return failWith("library: " + error);
        ProgressBar bar("games");
        const bool ok =
            copyLibrary(local, server, copy, [&bar](size_t done, size_t total) { bar.update(done, total); });
        bar.finish();
        if (!ok)
            return failWith("library: " + copy.error + " (" + std::to_string(copy.copied) +
                            " games were copied; run copy-from again to go on)");
    }
    LibraryStatus status;
    if (!libraryStatus(server, status, error))
        return failWith("library: " + error);
    printStatus(status, action == "copy-from" ? &copy : nullptr, json);
    return 0;
}

const CliCommandRegistration kLibrary("library", "create, fill and inspect a library on a PostgreSQL server",
                                      runLibrary);

}  // namespace
}  // namespace tessera::cli
