#pragma once
// Boards written as rows of text for the rules tests.

#include <initializer_list>
#include <string>

#include "go/board_grid.h"
#include "go/move.h"

namespace tessera::test {

// A grid from rows of text, top row first: '.' empty, 'X' black, 'O' white, '#' the scratch value 3.
inline BoardGrid gridFrom(std::initializer_list<std::string> rows) {
    const int width = static_cast<int>(rows.begin()->size());
    BoardGrid grid(width, static_cast<int>(rows.size()));
    int y = 0;
    for (const std::string& row : rows) {
        for (int x = 0; x < width; ++x) {
            const char c = row[static_cast<size_t>(x)];
            grid.set(grid.pointAt(x, y), c == 'X' ? kBlack : c == 'O' ? kWhite : c == '#' ? 3 : kEmpty);
        }
        ++y;
    }
    return grid;
}

}  // namespace tessera::test
