#include "go/counting.h"

#include <cmath>
#include <cstdio>

#include "go/regions.h"

namespace tessera {

double CountResult::margin() const {
    const double difference = std::fabs(blackScore - whiteScore);
    return areaCount ? difference * 0.5 : difference;
}

BoardGrid assignRegions(const BoardGrid& position, const PointList& dead, PointList& blackTerritory,
                        PointList& whiteTerritory) {
    blackTerritory.clear();
    whiteTerritory.clear();
    BoardGrid work;
    work.copyFrom(position);
    if (!work.isUsable())
        return work;
    for (int32_t p : dead)
        work.set(p, kEmpty);
    for (const PointList& region : enumerateRegions(work, kEmpty)) {
        bool touchesBlack = false;
        bool touchesWhite = false;
        for (int32_t p : region) {
            for (int direction = 0; direction < 4; ++direction) {
                const int value = work.get(work.neighbour(direction, p));
                touchesBlack = touchesBlack || value == kBlack;
                touchesWhite = touchesWhite || value == kWhite;
            }
        }
        if (touchesBlack == touchesWhite)
            continue;  // seki, an open boundary, or an empty board: nobody's
        PointList& owner = touchesBlack ? blackTerritory : whiteTerritory;
        owner.insert(owner.end(), region.begin(), region.end());
    }
    // Filled only after the scan so that a filled region never looks like a border to the next.
    work.setAll(blackTerritory, kBlack);
    work.setAll(whiteTerritory, kWhite);
    return work;
}

CountResult countArea(const BoardGrid& position, const PointList& dead, double komi) {
    CountResult result;
    result.areaCount = true;
    result.komi = komi;
    PointList blackTerritory, whiteTerritory;
    const BoardGrid work = assignRegions(position, dead, blackTerritory, whiteTerritory);
    result.blackPoints = work.pointsWithValue(kBlack, result.blackOwned);
    result.whitePoints = work.pointsWithValue(kWhite, result.whiteOwned);
    result.blackScore = result.blackPoints - komi;
    result.whiteScore = result.whitePoints + komi;
    result.counted = true;
    return result;
}

CountResult countTerritory(const BoardGrid& position, const PointList& dead, double komi, int blackCaptured,
                           int whiteCaptured) {
    CountResult result;
    result.areaCount = false;
    result.komi = komi;
    int deadBlack = 0;
    int deadWhite = 0;
    for (int32_t p : dead) {
        const int value = position.get(p);
        deadBlack += value == kBlack ? 1 : 0;
        deadWhite += value == kWhite ? 1 : 0;
    }
    assignRegions(position, dead, result.blackOwned, result.whiteOwned);
    result.blackPrisoners = blackCaptured + deadBlack;
    result.whitePrisoners = whiteCaptured + deadWhite;
    result.blackPoints = static_cast<int>(result.blackOwned.size());
    result.whitePoints = static_cast<int>(result.whiteOwned.size());
    result.blackScore = result.blackPoints + result.whitePrisoners;
    result.whiteScore = result.whitePoints + result.blackPrisoners + komi;
    result.counted = true;
    return result;
}

}  // namespace tessera
