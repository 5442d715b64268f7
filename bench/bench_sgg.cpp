// Speed of SGG files: writing and reading a 300-move game (with a variation, comments and
// markup every tenth move), in memory and through a file.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "record/chunked_object.h"
#include "record/sgg_file.h"
#include "record/sgg_game_object.h"

namespace tessera {
namespace {

// A legal 300-move game on 19 x 19 from a fixed seed, with Chinese game information, a
// comment and a mark every tenth move and a short variation.
GameRecord makeGame(int moves) {
    GameRecord record;
    record.info.blackName = "聂卫平";
    record.info.whiteName = "曹薰铉";
    record.info.event = "第一届应氏杯";
    record.info.komi = 7.5;
    record.info.resultText = "W+2";
    const BoardGeometry g = record.geometry();
    record.tree.addNode(GameNode());
    record.recomputePositions();
    std::mt19937 random(20261206);
    int32_t current = 0;
    uint32_t colour = kBlack;
    for (int made = 0; made < moves;) {
        const int32_t point = static_cast<int32_t>(random() % 361);
        GameNode* child = playMoveAtNode(record.tree, g, current, {colour, point});
        if (!child)
            continue;
        if (made % 10 == 0) {
            child->comments = {{"", "第" + std::to_string(made + 1) + " 手: a comment of moderate length."}};
            child->marks = {{kMarkTriangle, point}};
        }
        if (made == 50)
            playMoveAtNode(record.tree, g, current, {colour, static_cast<int32_t>((point + 1) % 361)});
        current = child->id;
        colour = opponentOf(colour);
        ++made;
    }
    return record;
}

void BM_WriteSggBytes(benchmark::State& state) {
    const GameRecord game = makeGame(300);
    std::string bytes, error;
    for (auto _ : state) {
        writeSggBytes(game, bytes, error);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
    state.counters["games/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WriteSggBytes);

// Reading alone: the game object without rebuilding the positions.
void BM_ReadSggObject(benchmark::State& state) {
    std::string bytes, error;
    writeSggBytes(makeGame(300), bytes, error);
    for (auto _ : state) {
        GameRecord record;
        GameObject game(&record);
        MemoryStream stream(bytes.data(), bytes.size());
        benchmark::DoNotOptimize(readChunked(game, stream, 18));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
    state.counters["games/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReadSggObject);

// What opening a game costs: reading plus rebuilding every position.
void BM_ReadSggBytes(benchmark::State& state) {
    std::string bytes, error;
    writeSggBytes(makeGame(300), bytes, error);
    for (auto _ : state) {
        GameRecord record;
        benchmark::DoNotOptimize(readSggBytes(bytes, record, error));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
    state.counters["games/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReadSggBytes);

void BM_LoadSggFile(benchmark::State& state) {
    const auto file = std::filesystem::temp_directory_path() / "tessera_bench_sgg.sgg";
    std::string error;
    saveSggFile(file, makeGame(300), error);
    for (auto _ : state) {
        GameRecord record;
        benchmark::DoNotOptimize(loadSggFile(file, record, error));
    }
    std::filesystem::remove(file);
    state.counters["games/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LoadSggFile);

}  // namespace
}  // namespace tessera
