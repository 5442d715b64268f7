#pragma once
// The position a subcommand works on: a node of a record's main line.

#include "record/game_record.h"

namespace tessera::cli {

// The main-line node after `moves` stone moves (negative: the last node); the root when the
// line starts with more; nullptr for a record without nodes.
inline const GameNode* mainLineNodeAfter(const GameRecord& record, long moves) {
    const auto line = record.tree.mainLine();
    if (line.empty())
        return nullptr;
    const GameNode* node = line.front();
    long played = 0;
    for (const GameNode* next : line) {
        if (moves >= 0 && played >= moves)
            break;
        node = next;
        if (next->move.isStoneMove())
            ++played;
    }
    return node;
}

}  // namespace tessera::cli
