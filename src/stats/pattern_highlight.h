#pragma once
// The highlight a room receives when a game is opened from the games behind a pattern: the
// stones that were looked up, laid onto the opened position so the player sees where the
// pattern stands in that game.

#include "go/board_grid.h"

namespace tessera {

// The stones of pattern on the points mask shows (non-zero; an unusable mask shows every
// point), mapped by the display transform code (-1: as they are). Empty when pattern is.
BoardGrid handedOverHighlight(const BoardGrid& pattern, const BoardGrid& mask, int transformCode);

// highlight as it fits position: as given when each of its stones stands on a stone of the
// same colour there, else its first other orientation (transform codes 0 .. 6) that does;
// as given when none does. A game reaches a pattern in any of the eight orientations.
BoardGrid fitHighlight(const BoardGrid& highlight, const BoardGrid& position);

}  // namespace tessera
