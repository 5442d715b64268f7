#pragma once
// The imported library the search and statistics benchmarks read: the program folder named by
// TESSERA_BENCH_PROGRAM_FOLDER, its fixture built once on first use.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace tessera::bench {

// The fixture made by build(programFolder) (the folder ends in '/'), or nullptr when the
// variable is unset or build gives nullptr; built on the first call only.
template <class Fixture, class Build>
Fixture* libraryFixture(Build build) {
    static Fixture* ready = [&]() -> Fixture* {
        const char* folder = std::getenv("TESSERA_BENCH_PROGRAM_FOLDER");
        return folder ? build(std::string(folder) + "/") : nullptr;
    }();
    return ready;
}

// True, with the benchmark marked skipped and told what to set up, when there is no fixture.
inline bool skippedWithout(benchmark::State& state, bool ready, const char* setUp) {
    if (!ready)
        state.SkipWithError(setUp);
    return !ready;
}

}  // namespace tessera::bench
