// Pattern statistics at scale: a whole-board lookup under the eight symmetries with its
// statistics and results (what a room does at every move of a replay), on bases built by
// tessera-cli build-stats, warm cache.
//
//   TESSERA_BENCH_PROGRAM_FOLDER=/tmp/lib/bin build/release/bench/bench_stats
// The builder itself is measured with the command line on the 70,000 games:
//   /usr/bin/time -v build/release/dist/bin/tessera-cli --program-folder /tmp/lib/bin build-stats

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "bench_library_fixture.h"
#include "go/board_transform.h"
#include "library/library_store.h"
#include "stats/pattern_bases.h"

namespace {

using namespace tessera;

struct Fixture {
    PatternBases bases;
    LibraryCatalogue catalogue;
    std::vector<PatternPosition> stored;  // positions of the base, each turned by a symmetry
};

Fixture* fixture() {
    return bench::libraryFixture<Fixture>([](const std::string& folder) -> Fixture* {
        auto f = std::make_unique<Fixture>();
        f->bases.open(folder);
        LibraryStore store(folder);
        std::string error;
        if (store.open(LibraryAccess::readOnly, error))
            store.loadCatalogue(f->catalogue);
        for (int32_t id = 0; id < 2000; id += 7) {
            auto position = f->bases.globalIndex.readPosition(id);
            if (!position)
                break;
            const int code = id % 8 - 1;  // -1 as stored, else transform code 0-6
            if (code >= 0)
                position->grid = BoardTransform(code, position->grid).mapGrid(position->grid);
            f->stored.push_back(*position);
        }
        return f->stored.empty() ? nullptr : f.release();
    });
}

constexpr const char* kSetUp = "set TESSERA_BENCH_PROGRAM_FOLDER to a program folder with built statistics";

void BM_LookupUnderSymmetryWithStatistics(benchmark::State& state) {
    Fixture* f = fixture();
    if (bench::skippedWithout(state, f, kSetUp))
        return;
    size_t k = 0;
    for (auto _ : state) {
        const PatternPosition& position = f->stored[k++ % f->stored.size()];
        const auto found = lookUpStats(f->bases.globalIndex, f->bases.globalStats, position.grid, position.colour);
        if (!found)
            state.SkipWithError("a stored position was not found");
        benchmark::DoNotOptimize(countAllResults(found->stats, f->catalogue, position.colour));
    }
}
BENCHMARK(BM_LookupUnderSymmetryWithStatistics)->Unit(benchmark::kMicrosecond);

// The worst case: a position the base does not hold costs all eight bucket reads.
void BM_LookupOfAnAbsentPosition(benchmark::State& state) {
    Fixture* f = fixture();
    if (bench::skippedWithout(state, f, kSetUp))
        return;
    BoardGrid grid = f->stored.front().grid;
    grid.set(0, 1);
    grid.set(1, 2);
    grid.set(19, 2);
    for (auto _ : state)
        benchmark::DoNotOptimize(lookUpStats(f->bases.globalIndex, f->bases.globalStats, grid, 1));
}
BENCHMARK(BM_LookupOfAnAbsentPosition)->Unit(benchmark::kMicrosecond);

}  // namespace
