#include "library/dictionary_builder.h"

#include <cstdio>
#include <filesystem>
#include <new>
#include <vector>

#include "library/database.h"
#include "platform/text_codec.h"

namespace tessera {
namespace {

struct Row {
    std::string simplified, english, traditional;
};

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos)
            return fields;
        start = tab + 1;
    }
}

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \r");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \r") - first + 1);
}

bool parse(const std::string& tsv, std::vector<Row>& rows, std::string& message) {
    size_t start = 0, lineNumber = 0;
    while (start < tsv.size()) {
        size_t end = tsv.find('\n', start);
        if (end == std::string::npos)
            end = tsv.size();
        std::string line = tsv.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (lineNumber == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0)
            line.erase(0, 3);
        if (trimmed(line).empty() || trimmed(line)[0] == '#')
            continue;
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        if (!isValidUtf8(line)) {
            message = where + "not valid UTF-8";
            return false;
        }
        std::vector<std::string> fields = splitTabs(line);
        for (auto& field : fields)
            field = trimmed(field);
        if (fields.size() > 3) {
            message = where + "more than three columns";
            return false;
        }
        if (fields.size() < 2 || fields[0].empty() || fields[1].empty()) {
            message = where + "needs a Chinese text, a tab and an English text";
            return false;
        }
        rows.push_back({fields[0], fields[1], fields.size() > 2 ? fields[2] : std::string()});
    }
    return true;
}

bool write(const std::vector<Row>& rows, const std::string& path, std::string& message) {
    Database database;
    if (connect(database, path, ConnectMode::createIfMissing) != 1) {
        message = "cannot create " + path + ": " + database.lastError();
        return false;
    }
    bool ok = execute(database,
                      "CREATE TABLE GB2Other (ID INTEGER PRIMARY KEY, GB_TEXT TEXT NOT NULL, "
                      "English_Text TEXT NOT NULL DEFAULT '', Big5_Text TEXT NOT NULL DEFAULT '')") &&
              execute(database, "CREATE INDEX GB2OtherText ON GB2Other (GB_TEXT)") && execute(database, "BEGIN");
    int64_t id = 0;
    for (const Row& row : rows) {
        if (!ok)
            break;
        ok = execute(database, "INSERT INTO GB2Other (ID, GB_TEXT, English_Text, Big5_Text) VALUES (?, ?, ?, ?)",
                     {++id, row.simplified, row.english, row.traditional});
    }
    ok = ok && execute(database, "COMMIT");
    if (!ok)
        message = "cannot write " + path + ": " + database.lastError();
    return ok;
}

}  // namespace

DictionaryBuildResult buildDictionary(const std::string& tsv, const std::string& outputPath) {
    DictionaryBuildResult result;
    try {
        std::vector<Row> rows;
        if (!parse(tsv, rows, result.message))
            return result;
        // A fresh file beside the target, renamed over it only when complete.
        const std::string temporary = outputPath + ".building";
        std::error_code ec;
        std::filesystem::remove(temporary, ec);
        if (!write(rows, temporary, result.message)) {
            std::filesystem::remove(temporary, ec);
            return result;
        }
        std::filesystem::rename(temporary, outputPath, ec);
        if (ec) {
            std::filesystem::remove(temporary, ec);
            result.message = "cannot replace " + outputPath;
            return result;
        }
        result.ok = true;
        result.rows = rows.size();
        return result;
    } catch (const std::bad_alloc&) {
        result.message = "out of memory";
        return result;
    }
}

}  // namespace tessera
