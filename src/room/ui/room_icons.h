#pragma once
// Small icons drawn at run time: the variation tree's item images and the toolbar buttons of
// the room commands that have no standard icon.

#include <QIcon>

namespace tessera {

// The icon of variation-tree image number 0-7 (black move, white move, branch, other; each
// followed by its selected form).
QIcon variationImage(int image);

// The toolbar icon of a room command id; a null icon when the command has none.
QIcon roomCommandIcon(int id);

}  // namespace tessera
