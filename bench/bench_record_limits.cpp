// Records at the edge of what the readers accept: a node with a million children (built in
// the tree, then through an SGG file and an SGF text) and a 256 MB GIB file without one line
// break. Each must take seconds, not the minutes a scan per child or per line would take.
#include <benchmark/benchmark.h>

#include <string>

#include "record/gib_reader.h"
#include "record/sgf_file.h"
#include "record/sgg_file.h"

namespace tessera {
namespace {

constexpr int32_t kChildren = 1'000'000;

GameRecord wideRecord() {
    GameRecord record;
    record.info.boardWidth = record.info.boardHeight = 9;
    GameNode root;
    root.id = 0;
    record.tree.addNode(root);
    for (int32_t id = 1; id <= kChildren; ++id) {
        GameNode child;
        child.id = id;
        child.parentId = 0;
        record.tree.addNode(std::move(child));
    }
    return record;
}

void BM_MillionChildrenInTheTree(benchmark::State& state) {
    for (auto _ : state) {
        GameRecord record = wideRecord();
        benchmark::DoNotOptimize(record.tree.size());
    }
}
BENCHMARK(BM_MillionChildrenInTheTree)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_MillionChildrenThroughSgg(benchmark::State& state) {
    std::string bytes, error;
    if (!writeSggBytes(wideRecord(), bytes, error))
        state.SkipWithError(error.c_str());
    for (auto _ : state) {
        GameRecord record;
        if (!readSggBytes(bytes, record, error))
            state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(record.tree.size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes.size()) * state.iterations());
}
BENCHMARK(BM_MillionChildrenThroughSgg)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_MillionChildrenThroughSgf(benchmark::State& state) {
    // The SGF reader takes at most a million nodes: the root and 999,999 children.
    std::string text = "(;GM[1]SZ[9]";
    for (int32_t i = 1; i < kChildren; ++i)
        text += "(;B[aa])";
    text += ")";
    for (auto _ : state) {
        GameRecord record;
        std::string error;
        if (!readSgfBytes(text, record, error))
            state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(record.tree.size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(text.size()) * state.iterations());
}
BENCHMARK(BM_MillionChildrenThroughSgf)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_GibWithoutLineBreaks(benchmark::State& state) {
    std::string bytes = "\\HE\n";
    bytes.resize(size_t(256) << 20, 'x');
    for (auto _ : state) {
        GibReader reader;
        std::string error;
        if (!reader.readBytes(bytes, error))
            state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(reader.moves().size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes.size()) * state.iterations());
}
BENCHMARK(BM_GibWithoutLineBreaks)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace tessera
