#include "training/book_import.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <unordered_set>

#include "library/id_list_file.h"
#include "library/library_query.h"
#include "library/library_record.h"
#include "platform/chinese_script.h"
#include "training/problem_answers.h"
#include "training/problem_books.h"

namespace tessera {

std::string bookFileName(const std::string& name) {
    std::string file = name;
    for (char& c : file)
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '_';
    if (file.empty() || file == "." || file == "..")
        return {};
    // An index file named *.sql would be read as a statement.
    if (file.size() >= 4) {
        std::string tail = file.substr(file.size() - 4);
        std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return std::tolower(c); });
        if (tail == ".sql")
            file += "_";
    }
    return file;
}

bool importProblemBook(LibraryStore& store, const std::string& programFolder, const BookImportRequest& request,
                       BookImportResult& result, const ImportProgress& progress, const std::atomic<bool>* cancel) {
    result = BookImportResult();
    const std::string file = bookFileName(request.name);
    if (file.empty()) {
        result.error = "a book needs a name";
        return false;
    }
    result.indexPath = blockIndexPath(programFolder, kBookGroup, file);
    if (result.indexPath.empty()) {
        result.error = "the name " + request.name + " cannot name an index file";
        return false;
    }
    ImportOptions options;
    options.appType = kAppProblem;
    options.prepare = [](GameRecord& record) { markProblemAnswers(record); };
    if (!importRecords(store, request.paths, options, result.summary, progress, cancel)) {
        result.error = result.summary.error;
        return false;
    }
    // The book's own problems first, the new ones after them, each once.
    std::vector<int32_t> ids;
    if (std::filesystem::exists(result.indexPath))
        ReadIdList(result.indexPath, ids);
    std::unordered_set<int32_t> present(ids.begin(), ids.end());
    for (int32_t id : result.summary.gameIds)
        if (present.insert(id).second)
            ids.push_back(id);
    result.problems = static_cast<int>(ids.size());
    if (ids.empty()) {
        result.error = "no problem could be read";
        return false;
    }
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(result.indexPath).parent_path(), ec);
    if (!WriteIdList(ids, result.indexPath)) {
        result.error = "cannot write " + result.indexPath;
        return false;
    }
    ProblemBookEntry entry;
    entry.titles[0] = request.englishTitle.empty() ? request.name : request.englishTitle;
    entry.titles[1] = request.name;
    entry.titles[2] = request.traditionalTitle.empty() ? GbToBig5(request.name) : request.traditionalTitle;
    entry.singlePlay = request.singlePlay;
    entry.group = kBookGroup;
    entry.block = file;
    if (!saveProblemBook(programFolder + "TPBs.ini", entry, &result.bookIndex)) {
        result.error = "cannot write " + programFolder + "TPBs.ini";
        return false;
    }
    return true;
}

}  // namespace tessera
