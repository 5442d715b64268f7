#pragma once
// Between the SGF property tree and a GameRecord: which properties fill which fields.

#include <memory>
#include <string>

#include "record/game_record.h"
#include "record/sgf_property_tree.h"

namespace tessera {

// Boards larger than this in either direction are refused when reading (SGF letters end at 52).
constexpr int kMaxSgfReadBoardSize = 52;
// The writer uses the letters a-z only, so it refuses boards larger than this.
constexpr int kMaxSgfWriteBoardSize = 26;

// Fills record (cleared first) from the tree under root: game information from the root,
// one GameNode per tree node with pre-order ids, positions recomputed. False with a reason
// in error when the board is too large or the record would need too much memory.
bool sgfTreeToRecord(const SgfNode& root, GameRecord& record, std::string& error);

// The property tree of a record (its first root and everything below it), with
// GM[1]FF[4]CA[UTF-8] and the game information in the root. nullptr with a reason in error
// when the record has no node or its board is larger than 26 lines.
std::unique_ptr<SgfNode> recordToSgfTree(const GameRecord& record, std::string& error);

}  // namespace tessera
