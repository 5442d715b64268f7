// The game library at scale: loading the catalogue of 70,000 games (what start-up does) and a
// player query over them.
//
//   build/release/bench/bench_library
// Against a library on a PostgreSQL server, name an empty database on it:
//   TESSERA_ODBC_CONNECTION='DRIVER={PostgreSQL Unicode};Server=HOST;Database=DB;UID=USER'
//   build/release/bench/bench_library
// The import speed is measured on the real collection with the command line:
//   /usr/bin/time -v build/release/dist/bin/tessera-cli --program-folder /tmp/lib/bin import /tmp/pro-70k

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdlib>
#include <filesystem>

#include "library/library_patch.h"
#include "library/library_query.h"
#include "library/library_store.h"

namespace {

using namespace tessera;

constexpr int kGames = 70000;

// A library of kGames games in a scratch folder, built once (removed at exit).
LibraryStore& benchStore() {
    static LibraryStore* store = [] {
        auto* folder = new std::filesystem::path(std::filesystem::temp_directory_path() /
                                                 ("tessera-bench-lib-" + std::to_string(::getpid())));
        std::filesystem::create_directories(*folder);
        static const std::filesystem::path* removeAtExit = folder;
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(*removeAtExit, ec);
        });
        auto* opened = new LibraryStore(folder->string());
        std::string error;
        if (!opened->open(LibraryAccess::readWrite, error))
            std::abort();
        std::vector<LibraryRecord> games;
        const char* players[] = {"古力", "李世石", "常昊", "朴廷桓", "柯洁", "井山裕太", "申真谞", "芈昱廷"};
        for (int id = 1; id <= kGames; ++id) {
            LibraryRecord r;
            r.id = id;
            r.langType = 1;
            r.appType = 1;
            r.event = "第" + std::to_string(id % 40) + "届名人战";
            r.date =
                std::to_string(1960 + id % 66) + "-0" + std::to_string(1 + id % 9) + "-1" + std::to_string(id % 10);
            r.black = players[id % 8];
            r.white = players[(id / 8) % 8];
            r.blackRank = "九段";
            r.whiteRank = "九段";
            r.resultText = id % 2 ? "黑中盘胜" : "白胜2目半";
            r.resultType = static_cast<int16_t>(1 + id % 2);
            r.totalMoves = 150 + id % 150;
            r.lastBoardKey = id * 2654435761u;
            games.push_back(std::move(r));
        }
        if (!applyPatch(*opened, games, {}, error))
            std::abort();
        return opened;
    }();
    return *store;
}

void BM_LoadCatalogue(benchmark::State& state) {
    LibraryStore& store = benchStore();
    for (auto _ : state) {
        LibraryCatalogue catalogue;
        store.loadCatalogue(catalogue);
        benchmark::DoNotOptimize(catalogue.count());
    }
    state.SetItemsProcessed(state.iterations() * kGames);
}
BENCHMARK(BM_LoadCatalogue)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void BM_PlayerQuery(benchmark::State& state) {
    LibraryStore& store = benchStore();
    LibraryQuery query;
    query.kind = kQueryByPlayer;
    query.player = "古力";
    for (auto _ : state) {
        std::vector<LibraryRecord> list;
        benchmark::DoNotOptimize(runLibraryQuery(store, query, list));
    }
}
BENCHMARK(BM_PlayerQuery)->Unit(benchmark::kMillisecond);

}  // namespace
