#pragma once
// Copies what a room shows (RoomDisplay) into a board view state: position, mask, markup,
// the node's labels followed by the move numbers, draw records as region rectangles, the
// last-move cursor and the display transform. Hint marks and the layout are left alone
// (the statistics panels own the hints).

#include "room/room_display.h"
#include "view/board_view_state.h"

namespace tessera {

// Makes view show display. The keyboard cursor is moved to the last move only with
// moveCursor (when a node is shown), so that edits keep it where the keyboard put it.
void syncBoardView(const RoomDisplay& display, BoardViewState& view, bool moveCursor = true);

}  // namespace tessera
