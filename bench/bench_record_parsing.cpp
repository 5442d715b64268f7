// Reading the professional games of the shared corpus: SGF parsing alone (bytes to property
// tree, encoding decided, values in UTF-8) and whole records (parsing, conversion and every
// position derived), from bytes in memory and from the files. Counters: games/s and MB/s of SGF input.

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

// The bytes of every record file under the named corpus folders, read once per folder list.
std::vector<std::string> readCorpus(std::initializer_list<const char*> folders) {
    std::vector<std::string> result;
    const char* env = std::getenv("TESSERA_SHARED_DIR");
    const fs::path corpus = fs::path(env && *env ? env : TESSERA_DEFAULT_SHARED_DIR) / "corpus";
    std::vector<fs::path> files;
    for (const char* folder : folders) {
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
}

// Every professional game (pro, pro-gbk, pro-big5, pro-fox).
const std::vector<std::string>& professionalGames() {
    static const std::vector<std::string> games = readCorpus({"pro", "pro-gbk", "pro-big5", "pro-fox"});
    return games;
}

// The UTF-8 professional games of corpus/pro alone.
const std::vector<std::string>& proFolderGames() {
    static const std::vector<std::string> games = readCorpus({"pro"});
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

void readAndDerive(benchmark::State& state, const std::vector<std::string>& games) {
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

void BM_ReadAndDeriveCorpus(benchmark::State& state) { readAndDerive(state, professionalGames()); }
BENCHMARK(BM_ReadAndDeriveCorpus)->Unit(benchmark::kMillisecond);

// Every record of corpus/pro read from its bytes and every position of it derived.
void BM_ReadAndDeriveProFolder(benchmark::State& state) { readAndDerive(state, proFolderGames()); }
BENCHMARK(BM_ReadAndDeriveProFolder)->Unit(benchmark::kMillisecond);

// The same from the files on disk: opening and reading each file included.
void BM_LoadAndDeriveProFolder(benchmark::State& state) {
    const char* env = std::getenv("TESSERA_SHARED_DIR");
    const fs::path folder = fs::path(env && *env ? env : TESSERA_DEFAULT_SHARED_DIR) / "corpus" / "pro";
    std::vector<fs::path> files;
    std::error_code code;
    if (fs::is_directory(folder, code))
        for (const auto& entry : fs::recursive_directory_iterator(folder))
            if (entry.is_regular_file() && tessera::lowerExtension(entry.path()) == ".sgf")
                files.push_back(entry.path());
    if (files.empty()) {
        state.SkipWithError("the shared corpus is absent");
        return;
    }
    for (auto _ : state) {
        for (const auto& file : files) {
            tessera::GameRecord record;
            std::string error;
            benchmark::DoNotOptimize(tessera::loadRecordFile(file, record, error));
        }
    }
    state.counters["games/s"] =
        benchmark::Counter(double(state.iterations()) * double(files.size()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LoadAndDeriveProFolder)->Unit(benchmark::kMillisecond);

}  // namespace
