#include "go/counting.h"

#include "platform/format_text.h"

#include <cmath>
#include <cstdio>

#include "go/regions.h"
#include "platform/ui_text.h"

namespace tessera {

namespace {

std::string tr(const char* source) { return uiText("Counting", source); }

std::string resultWordFor(double blackScore, double whiteScore) {
    if (blackScore > whiteScore)
        return tr("黑胜");
    if (blackScore < whiteScore)
        return tr("白胜");
    return tr("平局");
}

void finish(CountResult& result) {
    result.counted = true;
    result.resultWord = resultWordFor(result.blackScore, result.whiteScore);
    result.summary = formatText("%s  %s", result.resultWord.c_str(), result.marginText.c_str());
}

}  // namespace

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
    const double margin = std::fabs(result.blackScore - result.whiteScore);
    if (margin != 0.0)
        result.marginText = formatText("%.2f %s", margin * 0.5, tr("子").c_str());
    finish(result);
    const std::string emptyText;
    result.report = formatText(
        "%s:\r\n%s: %d-%.2f(%s)%s=%.2f\r\n%s: %d+%.2f(%s)=%.2f\r\n%s  %s", tr("结果").c_str(), tr("黑").c_str(),
        result.blackPoints, komi, tr("贴子").c_str(), emptyText.c_str(), result.blackScore, tr("白").c_str(),
        result.whitePoints, komi, tr("贴子").c_str(), result.whiteScore, result.resultWord.c_str(),
        result.marginText.c_str());
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
    const double margin = std::fabs(result.blackScore - result.whiteScore);
    if (margin != 0.0)
        result.marginText = formatText("%.1f%s", margin, tr("目").c_str());
    finish(result);
    result.report = formatText("%s:\r\n%s: %d(%s)+%d(%s)=%.0f\r\n%s: %d(%s)+%d(%s)+%.1f(%s)=%.1f\r\n%s  %s",
                           tr("结果").c_str(), tr("黑方").c_str(), result.blackPoints, tr("空").c_str(),
                           result.whitePrisoners, tr("白子").c_str(), result.blackScore, tr("白方").c_str(),
                           result.whitePoints, tr("空").c_str(), result.blackPrisoners, tr("黑子").c_str(), komi,
                           tr("贴目").c_str(), result.whiteScore, result.resultWord.c_str(),
                           result.marginText.c_str());
    return result;
}

CountResult countByRules(int ruleType, const BoardGrid& position, const PointList& dead, double komi,
                         int blackCaptured, int whiteCaptured) {
    if (ruleType == 1)
        return countArea(position, dead, komi);
    if (ruleType == 2 || ruleType == 3)
        return countTerritory(position, dead, komi, blackCaptured, whiteCaptured);
    CountResult refused;
    refused.report = tr("只有中国规则, 韩国规则, 日本规则 才支持点算胜负! 请先修改规则类型.");
    return refused;
}

}  // namespace tessera
