// Reading the professional games of the shared corpus: SGF parsing alone (bytes to property
// tree, encoding decided, values in UTF-8) and whole records (parsing, conversion and every
// position derived). Counters: games/s and MB/s of SGF input.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "record/record_file.h"
#include "record/sgf_file.h"
#include "record/sgf_reader.h"

namespace {

namespace fs = std::filesystem;

// The bytes of every professional game (pro, pro-gbk, pro-big5, pro-fox), read once.
const std::vector<std::string>& professionalGames() {
    static const std::vector<std::string> games = [] {
        std::vector<std::string> result;
        const char* env = std::getenv("TESSERA_SHARED_DIR");
        const fs::path corpus = fs::path(env && *env ? env : TESSERA_DEFAULT_SHARED_DIR) / "corpus";
        std::vector<fs::path> files;
        for (const char* folder : {"pro", "pro-gbk", "pro-big5", "pro-fox"}) {
            std::error_code code;
            if (!fs::is_directory(corpus / folder, code))
                continue;
            for (const auto& entry : fs::recursive_directory_iterator(corpus / folder))
                if (entry.is_regular_file() && tessera::lowerExtension(entry.path()) == ".sgf")
                    files.push_back(entry.path());
        }
        std::sort(files.begin(), files.end());
        for (const auto& file : files) {
            std::ifstream in(file, std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            result.push_back(bytes.str());
        }
        return result;
    }();
    return games;
}

void setCounters(benchmark::State& state, const std::vector<std::string>& games) {
    size_t bytes = 0;
    for (const auto& game : games)
        bytes += game.size();
    const auto rounds = static_cast<double>(state.iterations());
    state.counters["games/s"] = benchmark::Counter(rounds * double(games.size()), benchmark::Counter::kIsRate);
    state.counters["MB/s"] = benchmark::Counter(rounds * double(bytes) / 1e6, benchmark::Counter::kIsRate);
    state.counters["games"] = double(games.size());
}

void BM_ParseSgfCorpus(benchmark::State& state) {
    const auto& games = professionalGames();
    if (games.empty()) {
        state.SkipWithError("the shared corpus is absent");
        return;
    }
    for (auto _ : state) {
        for (const auto& game : games) {
            std::string error;
            auto root = tessera::SgfReader::ReadFirstTreeFromBytes(game, error);
            benchmark::DoNotOptimize(root);
        }
    }
    setCounters(state, games);
}
BENCHMARK(BM_ParseSgfCorpus)->Unit(benchmark::kMillisecond);

void BM_ReadAndDeriveCorpus(benchmark::State& state) {
    const auto& games = professionalGames();
    if (games.empty()) {
        state.SkipWithError("the shared corpus is absent");
        return;
    }
    for (auto _ : state) {
        for (const auto& game : games) {
            tessera::GameRecord record;
            std::string error;
            benchmark::DoNotOptimize(tessera::readSgfBytes(game, record, error));
        }
    }
    setCounters(state, games);
}
BENCHMARK(BM_ReadAndDeriveCorpus)->Unit(benchmark::kMillisecond);

}  // namespace
