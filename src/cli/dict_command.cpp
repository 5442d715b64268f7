// tessera-cli dict build: makes the dictionary file dic.db from its tab-separated source.

#include <iostream>

#include "cli/command_table.h"
#include "library/dictionary_builder.h"
#include "library/id_list_file.h"
#include "platform/program_folders.h"

namespace tessera::cli {
namespace {

constexpr size_t kMaxSourceBytes = 64u << 20;

int runDict(const std::vector<std::string>& args) {
    if (wantsHelp(args) || args.empty()) {
        std::cout << "Usage: tessera-cli dict build TSV [-o FILE]\n\n"
                     "Builds the dictionary of data texts (table GB2Other) from a UTF-8 text file\n"
                     "with one entry per line: Simplified Chinese, a tab, English, and optionally a\n"
                     "tab and Traditional Chinese. Lines starting with # are comments.\n"
                     "FILE defaults to dic.db in the program folder; an old file is replaced only\n"
                     "when the new one is complete.\n";
        return args.empty() ? 2 : 0;
    }
    if (args[0] != "build")
        return failWith("unknown dict action '" + args[0] + "' (see dict --help)");
    std::string source, output;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "-o" || args[i] == "--output") {
            if (i + 1 >= args.size())
                return failWith(args[i] + " needs a file name");
            output = args[++i];
        } else if (source.empty()) {
            source = args[i];
        } else {
            return failWith("dict build takes one source file (see dict --help)");
        }
    }
    if (source.empty())
        return failWith("dict build needs the source file (see dict --help)");
    if (output.empty()) {
        const std::string programFolder = GetProgramFolder();
        if (programFolder.empty())
            return failWith("the program folder cannot be found; give -o FILE");
        output = programFolder + "dic.db";
    }
    std::string tsv;
    if (!readWholeFile(source, tsv, kMaxSourceBytes))
        return failWith("cannot read " + source);
    const DictionaryBuildResult result = buildDictionary(tsv, output);
    if (!result.ok)
        return failWith(source + ": " + result.message);
    std::cout << "wrote " << result.rows << " entries to " << output << "\n";
    return 0;
}

const CliCommandRegistration registration("dict", "build the dictionary dic.db from its text source", runDict);

}  // namespace
}  // namespace tessera::cli
