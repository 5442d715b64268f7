#include "record/record_file.h"

#include <algorithm>
#include <cctype>
#include <new>

#include "record/gib_file.h"
#include "record/sgf_file.h"
#include "record/sgg_file.h"

namespace tessera {

std::string lowerExtension(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

bool loadRecordFile(const std::filesystem::path& file, GameRecord& record, std::string& error) {
    record.clear();
    const std::string extension = lowerExtension(file);
    bool ok = false;
    try {
        if (extension == ".sgf")
            ok = loadSgfFile(file, record, error);
        else if (extension == ".gib")
            ok = loadGibFile(file, record, error);
        else if (extension == ".sgg")
            ok = loadSggFile(file, record, error);
        else
            error = "unknown record file type '" + extension + "' (expected .sgf, .gib or .sgg)";
    } catch (const std::bad_alloc&) {
        // A record the budgets let through may still not fit in this machine's memory: it is
        // refused and the program lives on.
        record.clear();
        error = "the record is too large to hold in memory";
        ok = false;
    }
    if (!ok)
        record.clear();
    return ok;
}

bool saveRecordFile(const std::filesystem::path& file, const GameRecord& record, std::string& error) {
    const std::string extension = lowerExtension(file);
    if (extension == ".sgf")
        return saveSgfFile(file, record, error);
    if (extension == ".sgg")
        return saveSggFile(file, record, error);
    error = "records are saved as .sgf or .sgg, not '" + extension + "'";
    return false;
}

}  // namespace tessera
