#pragma once
// Where fixed handicap stones stand. Servers agree on every count but three: the common
// layout puts the third stone in the lower right (Q4), Tygem's client in the upper left (D16).

#include <string>

#include "go/move.h"

namespace tessera {

enum class HandicapLayout { kCommon, kTygem };

// The points of count (2 to 9) handicap stones on a 19 x 19 board in the layout's order;
// empty for any other count.
PointList handicapPoints(int count, HandicapLayout layout);

// The layout of the server that wrote a GIB file, from its GIBOKIND header value ("Korea",
// "Global", "China", "Japan", or none): every GIB writer known is a Tygem client.
HandicapLayout gibHandicapLayout(const std::string& gibKind);

}  // namespace tessera
