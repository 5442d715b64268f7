#pragma once
// Answering a problem record without a room: the player's moves in turn, each followed by the
// record's reply (the first child), until the line is decided or the moves run out.

#include <string>
#include <vector>

#include "record/game_record.h"
#include "training/problem_answers.h"

namespace tessera {

struct ProblemRun {
    AnswerVerdict result = AnswerVerdict::Open;  // Open: unfinished
    int played = 0;                              // moves of the answer used (the one that strayed included)
    std::vector<int32_t> replies;                // the record's replies, in order
};

// Plays points (the player's moves, in the record's own orientation, -1 for a pass) from the root.
ProblemRun playProblemAnswer(const GameRecord& record, const std::vector<int32_t>& points);

// The point of a player's coordinate ("D04", "d4", "Q16": column letters skip I, rows count
// from the bottom), or -1 when it is not one of the board.
int32_t pointFromText(const std::string& text, const BoardGeometry& geometry);

}  // namespace tessera
