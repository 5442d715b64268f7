#pragma once
// A node's move tag and evaluation as SGF properties. Where SGF has a property close in meaning
// the node gets it (BM, TE, DO, IT on a move; GB, GW, DM on the position), so other programs
// show the gist; where that property reads back as something else, a private property
// (TSTAG, TSEVAL) holds the exact value, which other programs ignore and our reader prefers.

#include <cstdint>
#include <string_view>

#include "record/game_node.h"
#include "record/sgf_property_tree.h"

namespace tessera {

// Which annotation slot an identifier fills: BM/TE/DO/IT, GB/GW/DM/UC, or one of the private two.
enum class SgfAnnotationSlot { kNone, kMoveQuality, kPositionJudgement, kExactTag, kExactEvaluation };
SgfAnnotationSlot sgfAnnotationSlot(std::string_view identifier);

// The tag the properties give: a valid private tag first, else the standard quality, which SGF
// allows only in a node with a move (onMove); 0 when neither says anything.
uint32_t sgfMoveTag(const SgfProperty* quality, const SgfProperty* exactTag, bool onMove);
// The evaluation the properties give: a valid private value first, else the standard judgement,
// else the even 0.5 that every node starts with.
double sgfEvaluation(const SgfProperty* judgement, const SgfProperty* exactEvaluation);

// Appends the properties that carry node's move tag and evaluation (none for an untagged node
// at 0.5); the standard move quality only when the node plays a stone.
void addSgfAnnotation(const GameNode& node, SgfNode& sgf);

}  // namespace tessera
