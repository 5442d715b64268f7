// tessera-cli update: the online update without a window.

#include <chrono>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/settings.h"
#include "app/settings_files.h"
#include "cli/cli_json.h"
#include "cli/command_table.h"
#include "engine/program_log.h"
#include "library/library_store.h"
#include "platform/program_folders.h"
#include "update/online_update.h"

namespace tessera::cli {
namespace {

const char* kUpdateHelp =
    "Usage: tessera-cli update [--url URL] [--json]\n"
    "Brings the library and the data files of the program folder up to date from the update\n"
    "server: new library patches (or the whole database), the new games' files, and the data\n"
    "files whose CRC-32 differs from the server's file index. A failed or interrupted run can be\n"
    "run again; it carries on where the last one stopped.\n"
    "  --url URL  the server's base address (default: OnLineUpdateURL in vantor.ini)\n"
    "  --json     print one object: patches, games, files, failed [{path, error}]\n"
    "Exits with 1 when a file failed or the update could not run.\n";

std::string describe(const UpdateEvent& event) {
    switch (event.step) {
        case UpdateStep::downloadPatchIndex:
            return "downloading the library patch index";
        case UpdateStep::patchIndexFailed:
            return "the library patch index could not be downloaded";
        case UpdateStep::downloadPatch:
            return "downloading patch " + std::to_string(event.number);
        case UpdateStep::applyPatch:
            return "applying patch " + std::to_string(event.number) + " to the library";
        case UpdateStep::downloadDatabase:
            return "downloading the whole library";
        case UpdateStep::downloadGames:
            return {};
        case UpdateStep::analyseFiles:
            return "looking for changed files";
        case UpdateStep::noUpdate:
            return "the data files are up to date";
        case UpdateStep::downloadFileIndex:
            return "downloading the file index";
        case UpdateStep::buildFileList:
            return "listing the files to update";
        case UpdateStep::downloadFile:
            return "downloading " + event.path;
        case UpdateStep::reopenDataFiles:
            return "reopening the data files";
        case UpdateStep::fileFailed:
            return "failed: " + event.path + ": " + event.error;
        case UpdateStep::finished:
            return {};
    }
    return {};
}

int runUpdate(const std::vector<std::string>& args) {
    if (wantsHelp(args)) {
        std::cout << kUpdateHelp;
        return 0;
    }
    bool json = false;
    std::string url;
    bool urlGiven = false;
    for (size_t k = 0; k < args.size(); ++k) {
        if (args[k] == "--json") {
            json = true;
        } else if (args[k] == "--url" && k + 1 < args.size()) {
            url = args[++k];
            urlGiven = true;
        } else {
            return failWith("update: unknown argument " + args[k] + " (see update --help)");
        }
    }
    const std::string folder = GetProgramFolder();
    if (folder.empty())
        return failWith("update: the program folder is unknown (use --program-folder)");
    if (!urlGiven) {
        const SettingsFiles files = settingsFilesFor(GetRootFolder(folder));
        url = LoadOnlineUpdateUrl(effectiveSettingsFile(files.customVantor, files.shippedVantor));
    }
    if (url.empty())
        return failWith("update: no update server is configured (set OnLineUpdateURL in vantor.ini or use --url)");
    LibraryStore store(folder);
    ProgramLog log(programLogPath(folder));
    UpdateOptions options;
    options.baseUrl = url;
    options.log = &log;
    ProgressBar bar("games");
    const auto start = std::chrono::steady_clock::now();
    const UpdateReport report = runOnlineUpdate(store, options, [&](const UpdateEvent& event) {
        if (event.step == UpdateStep::downloadGames) {
            bar.update(static_cast<size_t>(event.done), static_cast<size_t>(event.total));
            return;
        }
        const std::string text = describe(event);
        if (!text.empty())
            std::cerr << text << "\n";
    });
    bar.finish();
    if (!report.error.empty())
        return failWith("update: " + report.error);
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start).count();
    if (json) {
        std::ostringstream out;
        out << "{\"patches\":[";
        for (size_t k = 0; k < report.patches.size(); ++k)
            out << (k ? "," : "") << report.patches[k];
        out << "],\"databaseReplaced\":" << (report.databaseReplaced ? "true" : "false")
            << ",\"games\":" << report.games << ",\"files\":" << report.files << ",\"failed\":[";
        for (size_t k = 0; k < report.failed.size(); ++k)
            out << (k ? "," : "") << "{\"path\":" << jsonString(report.failed[k].path)
                << ",\"error\":" << jsonString(report.failed[k].error) << "}";
        out << "],\"seconds\":" << seconds << "}\n";
        std::cout << out.str();
    } else {
        std::cout << "update finished in " << seconds << " s: " << report.patches.size() << " patches"
                  << (report.databaseReplaced ? " (whole library)" : "") << ", " << report.games << " games, "
                  << report.files << " files, " << report.failed.size() << " failed\n";
    }
    return report.failed.empty() ? 0 : 1;
}

const CliCommandRegistration kUpdate("update", "bring the library and data files up to date from the update server",
                                     runUpdate);

}  // namespace
}  // namespace tessera::cli
