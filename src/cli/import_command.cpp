// tessera-cli import: record files and folders into the library of the program folder.

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_json.h"
#include "cli/command_table.h"
#include "library/library_import.h"
#include "library/library_store.h"
#include "platform/program_folders.h"
#include "training/book_import.h"

namespace tessera::cli {
namespace {

const char* kImportHelp =
    "Usage: tessera-cli import PATH... [--app-type 1|2|3] [--json]\n"
    "       tessera-cli import --book NAME [--title-en T] [--title-zh-tw T] [--json] FOLDER...\n"
    "Adds record files (.sgf, .gib, .sgg; folders are walked recursively) to the library of the\n"
    "program folder (--program-folder / TESSERA_PROGRAM_FOLDER): go.db, created when missing,\n"
    "and the game files under GoFile/. A game already in the library (same board size, main\n"
    "line of moves and players) is counted as a duplicate and not stored again; files that\n"
    "cannot be read are refused with their reason.\n"
    "  --app-type N  1 game records (default), 2 tutorials, 3 problems\n"
    "  --book NAME   make the records a problem book: they enter as problems (AppType 3) with\n"
    "                their right and wrong answers marked, their ids go to block/books/NAME and\n"
    "                TPBs.ini lists the book (an existing book of that name gains the new ones)\n"
    "  --title-en T, --title-zh-tw T  the book's English and Traditional Chinese titles\n"
    "                (default: NAME, and NAME converted to Traditional characters)\n"
    "  --json        print one object: imported, duplicates, refused, refusedFiles [{file, error}]\n"
    "                (with --book also book, problems, index)\n"
    "Exits with 1 when the library cannot be opened or written.\n";

int runImport(const std::vector<std::string>& args) {
    if (wantsHelp(args)) {
        std::cout << kImportHelp;
        return 0;
    }
    bool json = false;
    ImportOptions options;
    BookImportRequest book;
    bool makeBook = false;
    std::vector<std::string> paths;
    for (size_t k = 0; k < args.size(); ++k) {
        const std::string& arg = args[k];
        if (arg == "--json") {
            json = true;
        } else if (arg == "--app-type") {
            if (k + 1 >= args.size() || (args[k + 1] != "1" && args[k + 1] != "2" && args[k + 1] != "3"))
                return failWith("import: --app-type takes 1, 2 or 3");
            options.appType = std::atoi(args[++k].c_str());
        } else if (arg == "--book" || arg == "--title-en" || arg == "--title-zh-tw") {
            if (k + 1 >= args.size() || args[k + 1].empty())
                return failWith("import: " + arg + " takes a text");
            const std::string& text = args[++k];
            if (arg == "--book") {
                makeBook = true;
                book.name = text;
            } else {
                (arg == "--title-en" ? book.englishTitle : book.traditionalTitle) = text;
            }
        } else if (arg.rfind("--", 0) == 0) {
            return failWith("import: unknown option " + arg + " (see import --help)");
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.empty())
        return failWith("import: name at least one file or folder (see import --help)");
    const std::string folder = GetProgramFolder();
    if (folder.empty())
        return failWith("import: the program folder is unknown (use --program-folder)");
    LibraryStore store(folder);
    std::string error;
    if (!store.open(LibraryAccess::readWrite, error))
        return failWith("import: " + error);

    if (!makeBook && (!book.englishTitle.empty() || !book.traditionalTitle.empty()))
        return failWith("import: --title-en and --title-zh-tw belong to --book");
    if (makeBook && bookFileName(book.name).empty())
        return failWith("import: --book needs a name");

    ProgressBar bar(makeBook ? "problems" : "games");
    auto progress = [&bar](size_t done, size_t total) { bar.update(done, total); };
    BookImportResult made;
    bool ok = true;
    if (makeBook) {
        book.paths = paths;
        ok = importProblemBook(store, folder, book, made, progress);
    } else {
        ok = importRecords(store, paths, options, made.summary, progress);
        made.error = made.summary.error;
    }
    const ImportSummary& summary = made.summary;
    bar.finish();
    if (json) {
        std::ostringstream out;
        out << "{\"imported\":" << summary.imported << ",\"duplicates\":" << summary.duplicates
            << ",\"refused\":" << summary.refused << ",\"refusedFiles\":[";
        for (size_t k = 0; k < summary.refusedFiles.size(); ++k)
            out << (k ? "," : "") << "{\"file\":" << jsonString(summary.refusedFiles[k].file)
                << ",\"error\":" << jsonString(summary.refusedFiles[k].error) << "}";
        out << "]";
        if (makeBook)
            out << ",\"book\":" << jsonString(book.name) << ",\"problems\":" << made.problems
                << ",\"index\":" << jsonString(made.indexPath);
        if (!ok)
            out << ",\"error\":" << jsonString(made.error);
        out << "}\n";
        std::cout << out.str();
    } else {
        for (const auto& refused : summary.refusedFiles)
            std::cerr << "refused " << refused.file << ": " << refused.error << "\n";
        std::cout << "imported " << summary.imported << ", duplicates " << summary.duplicates << ", refused "
                  << summary.refused << " (library " << store.databasePath() << ")\n";
        if (makeBook && ok)
            std::cout << "book " << book.name << ": " << made.problems << " problems in " << made.indexPath << "\n";
    }
    if (!summary.indexError.empty())
        std::cerr << "tessera-cli: import: " << summary.indexError << " (run tessera-cli index)\n";
    if (!ok)
        return failWith("import: " + made.error);
    return 0;
}

const CliCommandRegistration kImport("import", "add record files and folders to the library", runImport);

}  // namespace
}  // namespace tessera::cli
