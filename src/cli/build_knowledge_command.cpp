// tessera-cli build-knowledge: the knowledge base from annotated records.

#include <iostream>
#include <string>
#include <vector>

#include "cli/command_table.h"
#include "platform/program_folders.h"
#include "stats/knowledge_builder.h"

namespace tessera::cli {
namespace {

const char* kBuildKnowledgeHelp =
    "Usage: tessera-cli build-knowledge FILE.sgf...\n"
    "Builds GFP2.dat/GFPKnow.dat in the program folder: every commented node of the records\n"
    "(19 x 19) becomes the note of its position, with its markup and labels. A position noted\n"
    "twice keeps both comments. The files are replaced only when complete.\n";

int runBuildKnowledge(const std::vector<std::string>& args) {
    if (wantsHelp(args)) {
        std::cout << kBuildKnowledgeHelp;
        return 0;
    }
    for (const std::string& arg : args)
        if (arg.rfind("--", 0) == 0)
            return failWith("build-knowledge: unknown option " + arg + " (see build-knowledge --help)");
    if (args.empty())
        return failWith("build-knowledge: name at least one record file (see build-knowledge --help)");
    const std::string folder = GetProgramFolder();
    if (folder.empty())
        return failWith("build-knowledge: the program folder is unknown (use --program-folder)");
    KnowledgeBuildSummary summary;
    std::string error;
    const bool ok = buildKnowledge(args, folder, summary, error);
    for (const std::string& refused : summary.refused)
        std::cerr << "refused " << refused << "\n";
    if (!ok)
        return failWith("build-knowledge: " + error);
    std::cout << "records " << summary.files << ", refused " << summary.refusedFiles << ", notes " << summary.notes
              << "\n";
    return 0;
}

const CliCommandRegistration kBuildKnowledge("build-knowledge", "build the knowledge base from annotated records",
                                             runBuildKnowledge);

}  // namespace
}  // namespace tessera::cli
