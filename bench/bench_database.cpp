// The database layer at library scale: reading a GoFile-like table of 70,000 games through
// ODBC (what loading the library catalogue does at start-up), looking one game up, loading
// the dictionary, and reading a long id list.
//
//   build/bench/bench_database

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "library/database.h"
#include "library/database_query.h"
#include "library/dictionary_builder.h"
#include "library/id_list_file.h"
#include "library/text_dictionary.h"

namespace {

using namespace tessera;

constexpr int kGames = 70000;

// A scratch folder for the run, removed at exit (the path is never destroyed, so the exit
// handler can still use it).
const std::filesystem::path& benchFolder() {
    static const std::filesystem::path* folder = [] {
        auto* path = new std::filesystem::path(std::filesystem::temp_directory_path() /
                                               ("tessera-bench-db-" + std::to_string(::getpid())));
        std::filesystem::create_directories(*path);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(benchFolder(), ec);
        });
        return path;
    }();
    return *folder;
}

// A library file with kGames rows of 17 columns, made once per run.
const std::string& libraryFile() {
    static const std::string path = [] {
        const std::string file = (benchFolder() / "go.db").string();
        Database database;
        connect(database, file, ConnectMode::createIfMissing);
        execute(
            database,
            "CREATE TABLE GoFile (ID INTEGER PRIMARY KEY, LangType INTEGER, AppType INTEGER, Event TEXT, Name TEXT, "
            "GameDate TEXT, Site TEXT, Black TEXT, BlackRank TEXT, White TEXT, WhiteRank TEXT, Result TEXT, "
            "ResultType INTEGER, TotalCount INTEGER, LastBoardKey INTEGER, GameMediaType INTEGER, ExpositType "
            "INTEGER)");
        execute(database, "BEGIN");
        std::mt19937 random(7);
        const char* players[] = {"古力", "李世石", "柯洁", "井山裕太", "朴廷桓", "申真谞", "常昊", "李昌镐"};
        for (int id = 1; id <= kGames; ++id)
            execute(database,
                    "INSERT INTO GoFile VALUES (?, 1, 1, '三星杯', '决赛第一局', ?, '首尔', ?, '九段', ?, '九段', "
                    "'黑中盘胜', 1, 211, 0, 0, 0)",
                    {int64_t(id), "20" + std::to_string(10 + id % 14) + "-05-01", std::string(players[random() % 8]),
                     std::string(players[random() % 8])});
        execute(database, "COMMIT");
        return file;
    }();
    return path;
}

void BM_ReadWholeLibraryTable(benchmark::State& state) {
    Database database;
    connect(database, libraryFile());
    for (auto _ : state) {
        Query query(database);
        int64_t rows = 0;
        openQuery(query, "SELECT * FROM GoFile ORDER BY ID");
        forEachRow(query, [&](Query& q) {
            benchmark::DoNotOptimize(q.text("Black"));
            benchmark::DoNotOptimize(q.number("TotalCount"));
            ++rows;
            return 1;
        });
        if (rows != kGames)
            state.SkipWithError("rows missing");
    }
    state.SetItemsProcessed(state.iterations() * kGames);
}
BENCHMARK(BM_ReadWholeLibraryTable)->Unit(benchmark::kMillisecond);

void BM_LookupOneGameByKey(benchmark::State& state) {
    Database database;
    connect(database, libraryFile());
    int id = 1;
    for (auto _ : state) {
        Query query(database);
        benchmark::DoNotOptimize(openQuery(query, "SELECT * FROM GoFile WHERE ID=?", {int64_t(id)}));
        id = id % kGames + 1;
    }
}
BENCHMARK(BM_LookupOneGameByKey)->Unit(benchmark::kMicrosecond);

void BM_LoadShippedDictionary(benchmark::State& state) {
    const std::string file = (benchFolder() / "dic.db").string();
    std::string tsv;
    readWholeFile(std::string(TESSERA_SOURCE_DATA_DIR) + "/dictionary.tsv", tsv);
    if (!buildDictionary(tsv, file).ok) {
        state.SkipWithError("cannot build the dictionary");
        return;
    }
    for (auto _ : state) {
        Database database;
        connect(database, file);
        TextDictionary dictionary;
        dictionary.Load(database, TextDictionary::kToEnglish);
        benchmark::DoNotOptimize(dictionary.size());
    }
}
BENCHMARK(BM_LoadShippedDictionary)->Unit(benchmark::kMillisecond);

void BM_ReadIdListOf100000Lines(benchmark::State& state) {
    const std::string file = (benchFolder() / "ids.txt").string();
    {
        std::ofstream out(file);
        for (int id = 0; id < 100000; ++id)
            if (id % 10 == 0)
                out << '[' << id << ',' << id + 5 << ")\n";
            else
                out << id << '\n';
    }
    std::vector<int32_t> ids;
    for (auto _ : state) {
        ReadIdList(file, ids);
        benchmark::DoNotOptimize(ids.data());
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_ReadIdListOf100000Lines)->Unit(benchmark::kMillisecond);

}  // namespace
