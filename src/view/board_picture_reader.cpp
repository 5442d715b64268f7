#include "view/board_picture_reader.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "go/move.h"

namespace tessera {

namespace {

constexpr int kLineContrast = 20;  // a grid line pixel against the pixels beside the line
// Below this share of line pixels along its arms a point holds a stone: empty points show
// their lines nearly all along, stones with numbers on them at most half of it.
constexpr double kStoneLineShare = 0.75;

int medianOf(std::vector<int>& values) {
    if (values.empty())
        return 0;
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

int roundToInt(double value) { return static_cast<int>(std::lround(value)); }

// The two looks at one intersection; `sides` tells which of left, right, up, down has a line.
PointLook lookAt(const LumaImage& g, double cx, double cy, double cellX, double cellY, const bool sides[4],
                 std::vector<int>& scratch) {
    PointLook look;
    const double cell = std::min(cellX, cellY);
    const int x0 = roundToInt(cx);
    const int y0 = roundToInt(cy);
    // The stone's tone comes from four small patches above and below the centre, just off the
    // vertical line: a number on a stone is wide but short, so even three digits that fill
    // the stone from side to side leave these patches alone, as do star points and marks.
    scratch.clear();
    const int nearX = std::max(2, roundToInt(0.08 * cellX));
    const int farX = std::max(nearX, roundToInt(0.15 * cellX));
    const int nearY = roundToInt(0.28 * cellY);
    const int farY = std::max(nearY, roundToInt(0.34 * cellY));
    const int step = std::max(1, roundToInt(cell / 40));  // at most about 10 x 10 samples a patch
    for (int sy : {-1, 1})
        for (int sx : {-1, 1})
            for (int dy = nearY; dy <= farY; dy += step)
                for (int dx = nearX; dx <= farX; dx += step)
                    scratch.push_back(g.at(x0 + sx * dx, y0 + sy * dy));
    look.tone = medianOf(scratch);

    const int search = std::max(1, roundToInt(0.06 * cell));
    const int beside = std::max(search + 2, roundToInt(0.15 * cell));
    const int from = std::max(1, roundToInt(0.18 * cell));
    const int to = std::max(from + 1, roundToInt(0.40 * cell));
    // A grid line is straight: along each arm the row (or column) near the intersection that
    // shows the most line pixels counts, so the strokes of a number on a stone, which wander,
    // do not add up to a line.
    const auto isLinePixel = [&](int x, int y, bool horizontal) {
        const int v = g.at(x, y);
        const int a = horizontal ? g.at(x, y - beside) : g.at(x - beside, y);
        const int b = horizontal ? g.at(x, y + beside) : g.at(x + beside, y);
        return std::min(a, b) - v >= kLineContrast;
    };
    int seen = 0;
    int total = 0;
    for (int arm = 0; arm < 4; ++arm) {
        if (!sides[arm])
            continue;
        const bool horizontal = arm < 2;
        const int sign = arm % 2 == 0 ? -1 : 1;
        int best = 0;
        for (int offset = -search; offset <= search; ++offset) {
            int hits = 0;
            for (int t = from; t <= to; ++t)
                hits += horizontal ? isLinePixel(x0 + sign * t, y0 + offset, true)
                                   : isLinePixel(x0 + offset, y0 + sign * t, false);
            best = std::max(best, hits);
        }
        seen += best;
        total += to - from + 1;
    }
    look.lineShare = total > 0 ? static_cast<double>(seen) / total : 0.0;
    return look;
}

// The tone that parts black stones from white ones: Otsu's split of the tones when the two
// sides lie at least 60 apart, else `fallback` (all stones of one colour).
int stoneSplit(const std::vector<int>& tones, int fallback) {
    if (tones.size() < 2)
        return fallback;
    std::array<int, 256> histogram{};
    for (int tone : tones)
        ++histogram[static_cast<size_t>(std::clamp(tone, 0, 255))];
    const double count = static_cast<double>(tones.size());
    double total = 0;
    for (int t = 0; t < 256; ++t)
        total += static_cast<double>(t) * histogram[static_cast<size_t>(t)];
    double below = 0, belowSum = 0, bestVariance = -1;
    int best = fallback;
    double bestGap = 0;
    for (int t = 0; t < 255; ++t) {
        below += histogram[static_cast<size_t>(t)];
        belowSum += static_cast<double>(t) * histogram[static_cast<size_t>(t)];
        if (below == 0 || below == count)
            continue;
        const double lowMean = belowSum / below;
        const double highMean = (total - belowSum) / (count - below);
        const double variance = below * (count - below) * (highMean - lowMean) * (highMean - lowMean);
        if (variance > bestVariance) {
            bestVariance = variance;
            best = t + 1;
            bestGap = highMean - lowMean;
        }
    }
    return bestGap >= 60 ? best : fallback;
}

double spacingAt(const std::vector<double>& lines, size_t i) {
    if (lines.size() < 2)
        return 0;
    if (i + 1 < lines.size())
        return lines[i + 1] - lines[i];
    return lines[i] - lines[i - 1];
}

}  // namespace

std::vector<PointLook> lookAtPoints(const LumaImage& image, const BoardGridGuess& grid) {
    std::vector<PointLook> looks;
    if (!grid.found() || image.values.empty())
        return looks;
    const int n = grid.lines;
    looks.resize(static_cast<size_t>(n) * n);
    std::vector<int> scratch;
    for (int row = 0; row < n; ++row) {
        for (int column = 0; column < n; ++column) {
            const bool sides[4] = {column > 0, column<n - 1, row> 0, row < n - 1};
            const double cellX = std::abs(spacingAt(grid.columns, static_cast<size_t>(column)));
            const double cellY = std::abs(spacingAt(grid.rows, static_cast<size_t>(row)));
            looks[static_cast<size_t>(row * n + column)] =
                lookAt(image, grid.columns[static_cast<size_t>(column)], grid.rows[static_cast<size_t>(row)], cellX,
                       cellY, sides, scratch);
        }
    }
    return looks;
}

BoardGrid readStones(const LumaImage& image, const BoardGridGuess& grid) {
    const std::vector<PointLook> looks = lookAtPoints(image, grid);
    if (looks.empty())
        return {};
    const int n = grid.lines;
    BoardGrid position(n, n);
    // The board's tone and how much it varies, from the points whose lines are seen.
    std::vector<int> boardTones;
    for (const PointLook& look : looks)
        if (look.lineShare >= kStoneLineShare)
            boardTones.push_back(look.tone);
    if (boardTones.size() < 4) {
        boardTones.clear();
        for (const PointLook& look : looks)
            boardTones.push_back(look.tone);
    }
    const int board = medianOf(boardTones);
    std::vector<int> deviations;
    for (int tone : boardTones)
        deviations.push_back(std::abs(tone - board));
    const int spread = medianOf(deviations);
    const int darker = std::max(30, 4 * spread);
    // A point whose lines are hidden holds a stone, and so does one clearly darker than the
    // board (the strokes of a light number on a small black stone can pass for lines). The
    // colour comes from splitting the stones' tones in two where they fall apart, else from
    // the board's tone.
    const auto holdsStone = [&](const PointLook& look) {
        return look.lineShare < kStoneLineShare || look.tone < board - darker;
    };
    std::vector<int> stoneTones;
    for (const PointLook& look : looks)
        if (holdsStone(look))
            stoneTones.push_back(look.tone);
    const int split = stoneSplit(stoneTones, board - darker);
    for (int p = 0; p < n * n; ++p) {
        const PointLook& look = looks[static_cast<size_t>(p)];
        if (holdsStone(look))
            position.set(p, look.tone < split ? kBlack : kWhite);
    }
    return position;
}

BoardPictureReading readBoardPicture(const PixelImage& image, const BoardGridGuess& grid) {
    BoardPictureReading reading;
    const LumaImage luma = makeLuma(image);
    reading.grid = grid.found() ? grid : findBoardGrid(luma);
    if (reading.grid.found())
        reading.position = readStones(luma, reading.grid);
    return reading;
}

}  // namespace tessera
