#include "library/library_query.h"

#include <cctype>
#include <cstdio>
#include <ctime>
#include <unordered_map>

#include "library/database_query.h"
#include "library/id_list_file.h"
#include "library/library_store.h"
#include "platform/text_codec.h"

namespace tessera {
namespace {

std::string dateText(int32_t value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", value / 10000, value / 100 % 100, value % 100);
    return buffer;
}

int localYear() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

// The condition of a player query, with its name bound once per "?".
BoundSql playerSql(const LibraryQuery& q) {
    const std::string& n = q.player;
    const std::string order = " ORDER BY ID";
    static const char* const blackResults[] = {"", " AND ResultType=1", " AND ResultType=0", " AND ResultType=2",
                                               " AND ResultType=-1"};
    static const char* const whiteResults[] = {"", " AND ResultType=2", " AND ResultType=0", " AND ResultType=1",
                                               " AND ResultType=-1"};
    const int result = q.result >= kAnyResult && q.result <= kResultNotKnown ? q.result : kAnyResult;
    if (q.side == kBlackSide)
        return {std::string("SELECT * FROM GoFile WHERE Black=?") + blackResults[result] + order, {n}};
    if (q.side == kWhiteSide)
        return {std::string("SELECT * FROM GoFile WHERE White=?") + whiteResults[result] + order, {n}};
    switch (result) {
        case kPlayerWins:
            return {"SELECT * FROM GoFile WHERE (Black=? AND ResultType=1) OR (White=? AND ResultType=2)" + order,
                    {n, n}};
        case kPlayerDraws:
            return {"SELECT * FROM GoFile WHERE ( White=? OR Black=? ) AND ResultType=0" + order, {n, n}};
        case kPlayerLoses:
            return {"SELECT * FROM GoFile WHERE (Black=? AND ResultType=2) OR (White=? AND ResultType=1)" + order,
                    {n, n}};
        case kResultNotKnown:
            return {"SELECT * FROM GoFile WHERE (White=? OR Black=?) AND ResultType=-1" + order, {n, n}};
        default:
            return {"SELECT * FROM GoFile WHERE White=? OR Black=?" + order, {n, n}};
    }
}

bool endsWithSql(const std::string& file) {
    if (file.size() < 4)
        return false;
    std::string tail = file.substr(file.size() - 4);
    for (char& c : tail)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tail == ".sql";
}

// The games of the ids in list order (missing ids skipped), fetched a few hundred at a time.
int recordsOfIds(LibraryStore& store, const std::vector<int32_t>& ids, std::vector<LibraryRecord>& list) {
    constexpr size_t chunk = 400;
    for (size_t start = 0; start < ids.size(); start += chunk) {
        const size_t end = std::min(ids.size(), start + chunk);
        std::string sql = "SELECT * FROM GoFile WHERE ID IN (";
        for (size_t k = start; k < end; ++k)
            sql += (k > start ? "," : "") + std::to_string(ids[k]);
        sql += ")";
        std::vector<LibraryRecord> found;
        if (store.queryRecords(sql, {}, found) < 0)
            return -1;
        std::unordered_map<int32_t, size_t> at;
        for (size_t k = 0; k < found.size(); ++k)
            at.emplace(found[k].id, k);
        for (size_t k = start; k < end; ++k)
            if (const auto it = at.find(ids[k]); it != at.end())
                list.push_back(found[it->second]);
    }
    return static_cast<int>(list.size());
}

// GB2312 pinyin boundaries: the highest one not above a code gives its letter.
struct Boundary {
    uint16_t code;
    char letter;
};
constexpr Boundary kBoundaries[] = {
    {0xB0A1, 'A'}, {0xB0C5, 'B'}, {0xB2C1, 'C'}, {0xB4EE, 'D'}, {0xB6EA, 'E'}, {0xB7A2, 'F'},
    {0xB8C1, 'G'}, {0xB9FE, 'H'}, {0xBBF7, 'J'}, {0xBFA6, 'K'}, {0xC0AC, 'L'}, {0xC2E8, 'M'},
    {0xC4C3, 'N'}, {0xC5B6, 'O'}, {0xC5BE, 'P'}, {0xC6DA, 'Q'}, {0xC8BB, 'R'}, {0xC8F6, 'S'},
    {0xCBFA, 'T'}, {0xCDDA, 'W'}, {0xCEF4, 'X'}, {0xD1B9, 'Y'}, {0xD4D1, 'Z'},
};

// Characters whose reading the boundaries get wrong (rare characters and polyphones).
const std::unordered_map<std::string, char>& initialExceptions() {
    static const std::unordered_map<std::string, char> table = [] {
        const char* const entries[][2] = {
            {"重", "C"}, {"钽", "D"}, {"孚", "F"}, {"兖", "G"}, {"寰", "H"}, {"隍", "H"}, {"桦", "H"}, {"宸", "H"},
            {"晖", "H"}, {"行", "X"}, {"黔", "Q"}, {"浏", "L"}, {"泸", "L"}, {"岷", "M"}, {"茉", "M"}, {"琦", "Q"},
            {"琪", "Q"}, {"钛", "T"}, {"沱", "T"}, {"调", "T"}, {"榕", "R"}, {"鑫", "X"}, {"栖", "X"}, {"甬", "Y"},
            {"冀", "Y"}, {"圳", "Z"}, {"藏", "Z"}, {"酯", "Z"}, {"庾", "Y"}, {"窦", "D"}, {"瞿", "Q"}, {"筠", "J"},
            {"邝", "K"}, {"裘", "Q"}, {"芮", "R"}, {"邰", "T"}, {"婷", "T"}, {"佟", "T"},
        };
        std::unordered_map<std::string, char> map;
        for (const auto& entry : entries)
            map.emplace(entry[0], entry[1][0]);
        return map;
    }();
    return table;
}

// The first UTF-8 character of text (at most 4 bytes).
std::string firstCharacter(const std::string& text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return text.substr(0, length);
}

}  // namespace

bool isSingleSelect(const std::string& text) {
    size_t start = 0;
    while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start])))
        ++start;
    std::string head;
    for (size_t k = start; k < text.size() && std::isalpha(static_cast<unsigned char>(text[k])); ++k)
        head += static_cast<char>(std::toupper(static_cast<unsigned char>(text[k])));
    if (head != "SELECT" && head != "WITH")
        return false;
    // One statement: a ";" outside quotes may only be followed by white space.
    char quote = 0;
    for (size_t k = start; k < text.size(); ++k) {
        const char c = text[k];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ';') {
            for (size_t rest = k + 1; rest < text.size(); ++rest)
                if (!std::isspace(static_cast<unsigned char>(text[rest])))
                    return false;
        }
    }
    return true;
}

BoundSql librarySql(const LibraryQuery& query, int currentYear) {
    switch (query.kind) {
        case kQueryByDate:
            if (query.dateKind == kLatestGames) {
                char sql[200];
                std::snprintf(sql, sizeof sql,
                              "SELECT Top 300 * FROM GoFile WHERE GameDate>='%04d-01-01' AND GameDate<='%04d-12-31' "
                              "ORDER BY GameDate DESC, ID DESC",
                              currentYear - 1, currentYear);
                return {sql, {}};
            }
            if (query.dateKind == kDateRange)
                return {"SELECT * FROM GoFile WHERE GameDate>=? AND GameDate<=? ORDER BY GameDate DESC, ID DESC",
                        {dateText(query.fromDate), dateText(query.toDate < 1 ? 29991231 : query.toDate)}};
            if (query.dateKind == kUndatedGames)
                return {"SELECT * FROM GoFile WHERE GameDate='' ORDER BY ID DESC", {}};
            return {};
        case kQueryByPlayer:
            return playerSql(query);
        case kQueryByEvent:
            return {"SELECT * FROM GoFile WHERE Event=? ORDER BY ID", {query.event}};
        case kQueryBySql:
            return {query.sql, {}};
        default:
            return {};
    }
}

std::string blockIndexPath(const std::string& programFolder, const std::string& group, const std::string& file) {
    for (const std::string* part : {&group, &file})
        if (part->empty() || *part == "." || *part == ".." || part->find('/') != std::string::npos ||
            part->find('\0') != std::string::npos)
            return {};
    return programFolder + "block/" + group + "/" + file;
}

int runLibraryQuery(LibraryStore& store, const LibraryQuery& query, std::vector<LibraryRecord>& list, int currentYear) {
    list.clear();
    if (query.kind == kQueryByIndex) {
        const std::string path = blockIndexPath(store.programFolder(), query.group, query.file);
        if (path.empty())
            return 0;
        if (endsWithSql(query.file)) {
            std::string sql;
            if (!readWholeFile(path, sql, size_t(1) << 20))
                return 0;
            LibraryQuery free;
            free.kind = kQueryBySql;
            free.sql = sql;
            return runLibraryQuery(store, free, list, currentYear);
        }
        std::vector<int32_t> ids;
        if (!ReadIdList(path, ids))
            return 0;
        if (recordsOfIds(store, ids, list) < 0)
            list.clear();
        return static_cast<int>(list.size());
    }
    if (query.kind == kQueryBySql && !isSingleSelect(query.sql))
        return 0;
    const BoundSql bound = librarySql(query, currentYear < 0 ? localYear() : currentYear);
    if (bound.sql.empty())
        return 0;
    if (store.queryRecords(bound.sql, bound.parameters, list) < 0)
        list.clear();
    return static_cast<int>(list.size());
}

char playerInitial(const std::string& name) {
    if (name.empty())
        return 0;
    const auto first = static_cast<unsigned char>(name[0]);
    if (first < 0x80)
        return std::isalpha(first) ? static_cast<char>(std::toupper(first)) : 0;
    const std::string character = firstCharacter(name);
    if (const auto it = initialExceptions().find(character); it != initialExceptions().end())
        return it->second;
    const std::string gb = utf8ToGb18030(character);
    if (gb.size() != 2)
        return 0;
    const auto code =
        static_cast<uint16_t>((static_cast<unsigned char>(gb[0]) << 8) | static_cast<unsigned char>(gb[1]));
    char letter = 0;
    for (const auto& boundary : kBoundaries)
        if (code >= boundary.code)
            letter = boundary.letter;
    return letter;
}

BoundSql playerListSql(const std::string& nation, const std::string& sex) {
    if (nation.empty() && sex.empty())
        return {"SELECT * FROM Player ORDER BY Name", {}};
    if (sex.empty())
        return {"SELECT * FROM Player WHERE Nation=? ORDER BY Name", {nation}};
    if (nation.empty())
        return {"SELECT * FROM Player WHERE Sex=? ORDER BY Name", {sex}};
    return {"SELECT * FROM Player WHERE Sex=? and Nation=? ORDER BY Name", {sex, nation}};
}

bool loadPlayers(LibraryStore& store, const BoundSql& sql, char letter, std::vector<PlayerRecord>& list) {
    list.clear();
    std::lock_guard lock(store.databaseLock());
    Query query(store.database());
    if (!openQuery(query, sql.sql, sql.parameters))
        return !query.failed();
    const char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    do {
        PlayerRecord player;
        player.id = query.number("ID");
        player.name = query.text("Name");
        if (wanted && playerInitial(player.name) != wanted)
            continue;
        player.sex = query.text("Sex");
        player.nation = query.text("Nation");
        player.rank = query.text("Rank");
        player.birthday = query.text("Birthday");
        fitPlayerFields(player);
        list.push_back(std::move(player));
    } while (query.next());
    return !query.failed();
}

bool eventNames(LibraryStore& store, std::vector<std::string>& list) {
    std::lock_guard lock(store.databaseLock());
    return queryTexts(store.database(), "SELECT DISTINCT Event FROM GoFile ORDER BY Event ", list) == 1;
}

bool nationNames(LibraryStore& store, std::vector<std::string>& list) {
    std::lock_guard lock(store.databaseLock());
    return queryTexts(store.database(), "SELECT DISTINCT Nation FROM Player ORDER BY Nation ", list) == 1;
}

}  // namespace tessera
