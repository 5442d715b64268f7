// Library pattern search at scale, one search at a time, warm cache: whole-board positions
// after moves 0 to 80, corner regions holding 6, 3 and 2 stones, a side region and a centre
// region, through the search index (and the plain scan for one position, as the reference).
// The positions come from the library's own games (the first 19 x 19 game with 150 moves).
//
//   build/release/dist/bin/tessera-cli --program-folder /tmp/lib/bin import /tmp/p70/pro-70k
//   TESSERA_BENCH_PROGRAM_FOLDER=/tmp/lib/bin build/release/bench/bench_search
// Import and rebuild (speed, peak memory) are measured with the command line:
//   /usr/bin/time -v build/release/dist/bin/tessera-cli --program-folder /tmp/lib/bin index
// BM_WriteIndex isolates the index's share of an import: 1,000 of the library's games, held in
// memory, encoded and written 64 times over under new ids (a segment as large as the library's).

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench_library_fixture.h"
#include <unistd.h>

#include "library/library_store.h"
#include "library/search_index.h"
#include "stats/indexed_search.h"
#include "stats/pattern_search.h"

namespace {

using namespace tessera;

struct Fixture {
    std::unique_ptr<LibraryStore> store;
    SearchIndex index;
    std::vector<int32_t> ids;
    GameRecord game;  // the source of the positions
};

Fixture* fixture() {
    return bench::libraryFixture<Fixture>([](const std::string& folder) -> Fixture* {
        auto f = std::make_unique<Fixture>();
        f->store = std::make_unique<LibraryStore>(folder);
        std::string error;
        if (!f->store->open(LibraryAccess::readOnly, error) || !f->index.open(folder))
            return nullptr;
        f->ids = searchScopeIds(*f->store, kScopeAllGames);
        for (int32_t id : f->ids)
            if (f->store->readGame(id, f->game) && f->game.info.boardWidth == 19 && f->game.info.boardHeight == 19 &&
                f->game.tree.mainLine().size() > 150)
                break;
        return f.release();
    });
}

SearchPattern positionAfter(const GameRecord& game, size_t moves) {
    const auto line = game.tree.mainLine();
    const GameNode* node = line[std::min(moves, line.size() - 1)];
    SearchPattern pattern;
    pattern.position.copyFrom(node->position);
    pattern.colourToMove = node->sideToMove == 2 ? 2 : 1;
    return pattern;
}

// The first main-line position whose rectangle holds at least `stones` stones, cut to it.
SearchPattern regionWith(const GameRecord& game, int x0, int y0, int x1, int y1, int stones) {
    const auto line = game.tree.mainLine();
    for (size_t k = 0; k < line.size(); ++k) {
        SearchPattern pattern = positionAfter(game, k);
        pattern.regionMode = true;
        pattern.region = BoardGrid(19, 19);
        int count = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                pattern.region.set(y * 19 + x, 1);
                count += pattern.position.get(y * 19 + x) != 0;
            }
        if (count >= stones)
            return pattern;
    }
    return SearchPattern();
}

void runSearch(benchmark::State& state, const SearchPattern& pattern, bool scan = false) {
    Fixture* f = fixture();
    if (bench::skippedWithout(state, f, "set TESSERA_BENCH_PROGRAM_FOLDER to an imported library with its index"))
        return;
    size_t hits = 0;
    for (auto _ : state) {
        SearchResults results;
        SearchProgress progress;
        runPatternSearch(*f->store, scan ? nullptr : &f->index, f->ids, pattern, results, progress);
        hits = 0;
        for (const auto& point : results.snapshot())
            hits += point.games.size();
    }
    state.counters["hits"] = static_cast<double>(hits);
    state.counters["games"] = static_cast<double>(f->ids.size());
}

void BM_WholeBoard(benchmark::State& state) {
    Fixture* f = fixture();
    runSearch(state, f ? positionAfter(f->game, static_cast<size_t>(state.range(0))) : SearchPattern());
}
BENCHMARK(BM_WholeBoard)
    ->Arg(0)
    ->Arg(2)
    ->Arg(4)
    ->Arg(10)
    ->Arg(20)
    ->Arg(40)
    ->Arg(80)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_Corner7x7(benchmark::State& state) {
    Fixture* f = fixture();
    runSearch(state, f ? regionWith(f->game, 12, 0, 18, 6, static_cast<int>(state.range(0))) : SearchPattern());
}
BENCHMARK(BM_Corner7x7)->Arg(6)->Arg(3)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Side7x4(benchmark::State& state) {
    Fixture* f = fixture();
    runSearch(state, f ? regionWith(f->game, 6, 0, 12, 3, 2) : SearchPattern());
}
BENCHMARK(BM_Side7x4)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Centre3x3(benchmark::State& state) {
    Fixture* f = fixture();
    runSearch(state, f ? regionWith(f->game, 8, 8, 10, 10, 1) : SearchPattern());
}
BENCHMARK(BM_Centre3x3)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PlainScanAfterMove20(benchmark::State& state) {
    Fixture* f = fixture();
    runSearch(state, f ? positionAfter(f->game, 20) : SearchPattern(), true);
}
BENCHMARK(BM_PlainScanAfterMove20)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_WriteIndex(benchmark::State& state) {
    Fixture* f = fixture();
    if (!f) {
        state.SkipWithError("set TESSERA_BENCH_PROGRAM_FOLDER to an imported library with its index");
        return;
    }
    std::vector<GameRecord> games(std::min<size_t>(1000, f->ids.size()));
    for (size_t k = 0; k < games.size(); ++k)
        f->store->readGame(f->ids[k], games[k]);
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tessera-bench-index-" + std::to_string(::getpid()));
    constexpr int kCopies = 64;
    for (auto _ : state) {
        std::filesystem::create_directories(folder);
        {
            SearchIndexWriter writer(folder.string() + "/", true);
            for (int copy = 0; copy < kCopies; ++copy)
                for (size_t k = 0; k < games.size(); ++k) {
                    EncodedGame encoded;
                    if (encodeGame(int32_t(copy * games.size() + k + 1), games[k], encoded))
                        writer.add(std::move(encoded));
                }
            if (!writer.finish())
                state.SkipWithError(writer.error().c_str());
        }
        std::filesystem::remove_all(folder);
    }
    state.counters["games/s"] =
        benchmark::Counter(double(kCopies * games.size()), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_WriteIndex)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->Iterations(2);

}  // namespace
