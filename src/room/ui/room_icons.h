#pragma once
// Small icons drawn at run time: the variation tree's item images and the toolbar buttons of
// the room commands that have no standard icon.

#include <QIcon>

#include "room/room_commands.h"

namespace tessera {

// The icon of variation-tree image number 0-7 (black move, white move, branch, other; each
// followed by its selected form).
QIcon variationImage(int image);

// The tool bar icon of a room command's picture; a null icon for CommandIcon::None.
QIcon roomCommandIcon(CommandIcon icon);

}  // namespace tessera
