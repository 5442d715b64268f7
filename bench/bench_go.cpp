// Speed of the rules core: one playMove on a busy board, and recomputing every position of
// a 300-move game (what happens after a record is loaded or edited).

#include <benchmark/benchmark.h>

#include <random>

#include "go/play_move.h"
#include "record/game_tree.h"

namespace tessera {
namespace {

// A legal 300-move game on 19 x 19 from a fixed seed (random legal points, captures included).
GameTree makeGame(int moves) {
    const BoardGeometry g(19, 19);
    GameTree tree;
    tree.addNode(GameNode());
    tree.recomputePositions(g);
    std::mt19937 random(20261206);
    int32_t current = 0;
    uint32_t colour = kBlack;
    for (int made = 0; made < moves;) {
        const int32_t point = static_cast<int32_t>(random() % 361);
        if (GameNode* child = playMoveAtNode(tree, g, current, {colour, point})) {
            current = child->id;
            colour = opponentOf(colour);
            ++made;
        }
    }
    return tree;
}

void BM_PlayMove(benchmark::State& state) {
    GameTree game = makeGame(200);
    const GameNode* last = game.mainLine().back();
    const BoardGrid start = last->position;
    PointList empties;
    start.pointsWithValue(kEmpty, empties);
    size_t i = 0;
    BoardGrid position;
    PointList captured;
    for (auto _ : state) {
        position.copyFrom(start);
        benchmark::DoNotOptimize(playMove(position, {last->sideToMove, empties[i++ % empties.size()]}, captured));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PlayMove);

void BM_RecomputeGame300(benchmark::State& state) {
    GameTree game = makeGame(300);
    const BoardGeometry g(19, 19);
    for (auto _ : state) {
        game.recomputePositions(g);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 301);
}
BENCHMARK(BM_RecomputeGame300)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tessera
