#include "view/board_grid_finder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace tessera {

namespace {

constexpr int kReach = 3;          // a line pixel is compared with the pixels this far on either side
constexpr int kLineContrast = 28;  // and must be this much darker than both
constexpr int kMinRun = 5;         // shorter runs of line pixels are letters, dots or grain
constexpr int kMaxMisses = 3;      // lines in a row a chain may miss (rows full of stones)
constexpr std::array<int, 3> kBoardSizes = {19, 13, 9};

struct Peak {
    double position = 0;
    double strength = 0;
};

struct Area {
    int32_t x0, y0, x1, y1;  // inclusive
};

// Sums of the runs of at least `minRun` line pixels per row (horizontal lines) and per column
// (vertical lines).
void lineProfiles(const LumaImage& g, const Area& area, int minRun, std::vector<double>& rowProfile,
                  std::vector<double>& columnProfile) {
    rowProfile.assign(static_cast<size_t>(g.height), 0.0);
    columnProfile.assign(static_cast<size_t>(g.width), 0.0);
    const auto line = [&](int32_t y) { return g.values.data() + static_cast<size_t>(y) * g.width; };
    const int32_t yFirst = std::max(area.y0, kReach);
    const int32_t yLast = std::min(area.y1, g.height - 1 - kReach);
    for (int32_t y = yFirst; y <= yLast; ++y) {
        const uint8_t* up = line(y - kReach);
        const uint8_t* mid = line(y);
        const uint8_t* down = line(y + kReach);
        int run = 0;
        for (int32_t x = area.x0; x <= area.x1; ++x) {
            if (std::min(up[x], down[x]) - mid[x] >= kLineContrast) {
                ++run;
            } else {
                if (run >= minRun)
                    rowProfile[static_cast<size_t>(y)] += run;
                run = 0;
            }
        }
        if (run >= minRun)
            rowProfile[static_cast<size_t>(y)] += run;
    }
    const int32_t xFirst = std::max(area.x0, kReach);
    const int32_t xLast = std::min(area.x1, g.width - 1 - kReach);
    std::vector<int> runs(static_cast<size_t>(g.width), 0);
    for (int32_t y = area.y0; y <= area.y1; ++y) {
        const uint8_t* row = line(y);
        for (int32_t x = xFirst; x <= xLast; ++x) {
            int& run = runs[static_cast<size_t>(x)];
            if (std::min(row[x - kReach], row[x + kReach]) - row[x] >= kLineContrast) {
                ++run;
            } else {
                if (run >= minRun)
                    columnProfile[static_cast<size_t>(x)] += run;
                run = 0;
            }
        }
    }
    for (int32_t x = xFirst; x <= xLast; ++x)
        if (runs[static_cast<size_t>(x)] >= minRun)
            columnProfile[static_cast<size_t>(x)] += runs[static_cast<size_t>(x)];
}

// Local maxima of the profile (smoothed over three pixels), placed at the centroid of the five
// pixels around them, in ascending position.
std::vector<Peak> profilePeaks(const std::vector<double>& profile) {
    const auto n = static_cast<int>(profile.size());
    std::vector<double> smooth(profile.size(), 0.0);
    double highest = 0;
    for (int i = 1; i + 1 < n; ++i) {
        smooth[static_cast<size_t>(i)] =
            profile[static_cast<size_t>(i - 1)] + profile[static_cast<size_t>(i)] + profile[static_cast<size_t>(i + 1)];
        highest = std::max(highest, smooth[static_cast<size_t>(i)]);
    }
    std::vector<Peak> peaks;
    if (highest <= 0)
        return peaks;
    const auto s = [&](int i) { return i >= 0 && i < n ? smooth[static_cast<size_t>(i)] : 0.0; };
    for (int i = 1; i + 1 < n; ++i) {
        const double v = s(i);
        if (v < 0.03 * highest || v < s(i - 1) || v < s(i - 2) || v <= s(i + 1) || v <= s(i + 2))
            continue;
        double weight = 0;
        double moment = 0;
        for (int j = std::max(0, i - 2); j <= std::min(n - 1, i + 2); ++j) {
            weight += profile[static_cast<size_t>(j)];
            moment += profile[static_cast<size_t>(j)] * j;
        }
        if (weight > 0)
            peaks.push_back({moment / weight, weight});
    }
    return peaks;
}

// The index of the peak nearest to q within tolerance, or -1.
int nearestPeak(const std::vector<Peak>& peaks, double q, double tolerance) {
    const auto it =
        std::lower_bound(peaks.begin(), peaks.end(), q, [](const Peak& p, double value) { return p.position < value; });
    int best = -1;
    double bestDistance = tolerance;
    for (auto candidate : {it - 1, it}) {
        if (candidate < peaks.begin() || candidate >= peaks.end())
            continue;
        const double distance = std::abs(candidate->position - q);
        if (distance <= bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(candidate - peaks.begin());
        }
    }
    return best;
}

// One evenly spaced chain of lines: line k lies near first + k * spacing.
struct Chain {
    int kMin = 0;
    std::vector<int> peakOf;  // per line from kMin: the peak index, or -1 when missed
    double first = 0;
    double spacing = 0;
};

// Grows a chain from two neighbouring lines (peaks a < b) in both directions, refitting
// position and spacing by least squares after every line found.
Chain growChain(const std::vector<Peak>& peaks, int a, int b, double low, double high) {
    std::vector<std::pair<int, int>> members = {{0, a}, {1, b}};
    double first = peaks[static_cast<size_t>(a)].position;
    double spacing = peaks[static_cast<size_t>(b)].position - first;
    const auto refit = [&] {
        double n = 0, sk = 0, skk = 0, sp = 0, skp = 0;
        for (const auto& [k, index] : members) {
            const double p = peaks[static_cast<size_t>(index)].position;
            n += 1;
            sk += k;
            skk += static_cast<double>(k) * k;
            sp += p;
            skp += k * p;
        }
        const double denominator = n * skk - sk * sk;
        if (denominator > 0) {
            spacing = (n * skp - sk * sp) / denominator;
            first = (sp - spacing * sk) / n;
        }
    };
    for (int direction : {1, -1}) {
        int misses = 0;
        for (int k = direction > 0 ? 2 : -1; misses < kMaxMisses && members.size() < 40; k += direction) {
            const double q = first + k * spacing;
            const double tolerance = std::max(1.5, 0.12 * spacing);
            if (q < low - tolerance || q > high + tolerance)
                break;
            const int index = nearestPeak(peaks, q, tolerance);
            if (index >= 0) {
                members.emplace_back(k, index);
                refit();
                misses = 0;
            } else {
                ++misses;
            }
        }
    }
    Chain chain;
    int kMin = 0, kMax = 1;
    for (const auto& member : members) {
        kMin = std::min(kMin, member.first);
        kMax = std::max(kMax, member.first);
    }
    chain.kMin = kMin;
    chain.peakOf.assign(static_cast<size_t>(kMax - kMin + 1), -1);
    for (const auto& [k, index] : members)
        chain.peakOf[static_cast<size_t>(k - kMin)] = index;
    chain.first = first;
    chain.spacing = spacing;
    return chain;
}

// The best run of `lines` lines along one axis.
struct AxisChoice {
    double score = -std::numeric_limits<double>::infinity();
    double spacing = 0;
    std::vector<double> positions;
    bool found() const { return !positions.empty(); }
};

// For each board size, the best run of lines of every chain grown from the peaks.
std::array<AxisChoice, kBoardSizes.size()> chooseLines(const std::vector<Peak>& peaks, double low, double high) {
    std::array<AxisChoice, kBoardSizes.size()> best;
    if (peaks.size() < 2)
        return best;
    const double maxSpacing = (high - low) / 8.0;
    std::vector<int> seeds(peaks.size());
    for (size_t i = 0; i < peaks.size(); ++i)
        seeds[i] = static_cast<int>(i);
    std::sort(seeds.begin(), seeds.end(), [&](int x, int y) {
        return peaks[static_cast<size_t>(x)].strength > peaks[static_cast<size_t>(y)].strength;
    });
    seeds.resize(std::min<size_t>(seeds.size(), 24));
    for (int a : seeds) {
        for (size_t b = static_cast<size_t>(a) + 1; b < peaks.size(); ++b) {
            const double gap = peaks[b].position - peaks[static_cast<size_t>(a)].position;
            if (gap < 5.0)
                continue;
            if (gap > maxSpacing)
                break;
            const Chain chain = growChain(peaks, a, static_cast<int>(b), low, high);
            const auto length = static_cast<int>(chain.peakOf.size());
            const auto strength = [&](int i) {
                return i < 0 || i >= length || chain.peakOf[static_cast<size_t>(i)] < 0
                           ? 0.0
                           : peaks[static_cast<size_t>(chain.peakOf[static_cast<size_t>(i)])].strength;
            };
            for (size_t s = 0; s < kBoardSizes.size(); ++s) {
                const int lines = kBoardSizes[s];
                for (int start = 0; start + lines <= length; ++start) {
                    const int end = start + lines - 1;
                    if (chain.peakOf[static_cast<size_t>(start)] < 0 || chain.peakOf[static_cast<size_t>(end)] < 0)
                        continue;  // the outermost lines of a board are never hidden all along
                    double inside = 0;
                    int matched = 0;
                    for (int i = start; i <= end; ++i) {
                        inside += strength(i);
                        matched += chain.peakOf[static_cast<size_t>(i)] >= 0 ? 1 : 0;
                    }
                    if (matched * 3 < lines * 2)
                        continue;
                    const double score = inside - 2.0 * (strength(start - 1) + strength(end + 1));
                    if (score <= best[s].score)
                        continue;
                    AxisChoice choice;
                    choice.score = score;
                    choice.spacing = chain.spacing;
                    for (int i = start; i <= end; ++i) {
                        const int index = chain.peakOf[static_cast<size_t>(i)];
                        choice.positions.push_back(index >= 0 ? peaks[static_cast<size_t>(index)].position
                                                              : chain.first + (i + chain.kMin) * chain.spacing);
                    }
                    best[s] = std::move(choice);
                }
            }
        }
    }
    return best;
}

// One pass of the finder over an area of the picture, counting runs of at least `minRun` pixels.
BoardGridGuess findInArea(const LumaImage& g, const Area& area, int minRun) {
    std::vector<double> rowProfile, columnProfile;
    lineProfiles(g, area, minRun, rowProfile, columnProfile);
    const auto rowChoices = chooseLines(profilePeaks(rowProfile), area.y0, area.y1);
    const auto columnChoices = chooseLines(profilePeaks(columnProfile), area.x0, area.x1);
    BoardGridGuess guess;
    double bestScore = 0;
    for (size_t s = 0; s < kBoardSizes.size(); ++s) {
        const AxisChoice& rows = rowChoices[s];
        const AxisChoice& columns = columnChoices[s];
        if (!rows.found() || !columns.found() || rows.score <= 0 || columns.score <= 0)
            continue;
        const double ratio = rows.spacing / columns.spacing;
        if (ratio < 0.7 || ratio > 1.43)
            continue;  // boards are drawn with (nearly) square cells
        const double score = rows.score + columns.score;
        if (score > bestScore) {
            bestScore = score;
            guess.lines = kBoardSizes[s];
            guess.rows = rows.positions;
            guess.columns = columns.positions;
        }
    }
    return guess;
}

}  // namespace

ImageRect BoardGridGuess::corners() const {
    if (!found())
        return {};
    return {static_cast<int32_t>(std::lround(columns.front())), static_cast<int32_t>(std::lround(rows.front())),
            static_cast<int32_t>(std::lround(columns.back())), static_cast<int32_t>(std::lround(rows.back()))};
}

BoardGridGuess BoardGridGuess::fromCorners(const ImageRect& corners, int lines) {
    BoardGridGuess guess;
    if (lines < 2 || lines > 52)
        return guess;
    const ImageRect r = corners.normalized();
    guess.lines = lines;
    for (int i = 0; i < lines; ++i) {
        guess.columns.push_back(r.left + static_cast<double>(r.right - r.left) * i / (lines - 1));
        guess.rows.push_back(r.top + static_cast<double>(r.bottom - r.top) * i / (lines - 1));
    }
    return guess;
}

BoardGridGuess findBoardGrid(const LumaImage& image) {
    if (image.width < 20 || image.height < 20)
        return {};
    BoardGridGuess guess = findInArea(image, {0, 0, image.width - 1, image.height - 1}, kMinRun);
    if (!guess.found())
        return guess;
    // Again around the board found, now counting only runs of nearly half a cell: a grid line
    // shows that much at every empty point, while the strokes of letters and digits (a column
    // of coordinates, numbers on stones) and the outlines of stones are shorter. What lies
    // further out can no longer pull a chain along; a line and a half is kept on each side, so
    // an outermost line mostly hidden under stones, for which the coordinates beside it were
    // taken, is found again.
    const double cellX = (guess.columns.back() - guess.columns.front()) / (guess.lines - 1);
    const double cellY = (guess.rows.back() - guess.rows.front()) / (guess.lines - 1);
    const Area inner{std::max(0, static_cast<int32_t>(guess.columns.front() - cellX * 1.6)),
                     std::max(0, static_cast<int32_t>(guess.rows.front() - cellY * 1.6)),
                     std::min(image.width - 1, static_cast<int32_t>(guess.columns.back() + cellX * 1.6)),
                     std::min(image.height - 1, static_cast<int32_t>(guess.rows.back() + cellY * 1.6))};
    BoardGridGuess refined =
        findInArea(image, inner, std::max(kMinRun, static_cast<int>(0.45 * std::min(cellX, cellY))));
    return refined.found() ? refined : guess;
}

BoardGridGuess findBoardGrid(const PixelImage& image) { return findBoardGrid(makeLuma(image)); }

}  // namespace tessera
