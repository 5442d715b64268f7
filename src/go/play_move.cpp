#include "go/play_move.h"

#include "go/regions.h"

namespace tessera {

bool playMove(BoardGrid& position, const Move& move, PointList& captured) {
    captured.clear();
    if (!move.isStoneMove() || !position.isValidPoint(move.point) || position.get(move.point) != kEmpty)
        return false;

    BoardGrid work;
    work.copyFrom(position);
    work.set(move.point, static_cast<int>(move.colour));
    std::vector<uint8_t> capturedLayer(static_cast<size_t>(work.area()), 0);
    const int opponent = static_cast<int>(opponentOf(move.colour));

    PointList group;
    PointList liberties;
    for (int direction = 0; direction < 4; ++direction) {
        const int32_t n = work.neighbour(direction, move.point);
        if (n < 0 || work.get(n) != opponent || capturedLayer[static_cast<size_t>(n)])
            continue;
        floodRegion(work, n, group);
        if (libertiesOf(work, group, liberties) == 0)
            for (int32_t p : group)
                capturedLayer[static_cast<size_t>(p)] = 1;
    }
    for (size_t p = 0; p < capturedLayer.size(); ++p)
        if (capturedLayer[p])
            captured.push_back(static_cast<int32_t>(p));

    if (captured.empty()) {
        floodRegion(work, move.point, group);
        if (libertiesOf(work, group, liberties) == 0)
            return false;  // suicide
        position.set(move.point, static_cast<int>(move.colour));
        return true;
    }
    work.setAll(captured, kEmpty);
    position.copyFrom(work);
    return true;
}

}  // namespace tessera
