#include "room/count_report.h"

#include "platform/format_text.h"
#include "platform/ui_text.h"

namespace tessera {

namespace {

std::string tr(const char* source) { return uiText("Counting", source); }

}  // namespace

std::string countSummary(const CountResult& result) {
    const int winner = result.winner();
    const std::string word = winner == kBlack ? tr("黑胜") : winner == kWhite ? tr("白胜") : tr("平局");
    std::string margin;
    if (winner != kEmpty)
        margin = result.areaCount ? formatText("%.2f %s", result.margin(), tr("子").c_str())
                                  : formatText("%.1f%s", result.margin(), tr("目").c_str());
    return word + "  " + margin;
}

std::string countReport(const CountResult& result) {
    if (result.areaCount)
        return formatText("%s:\r\n%s: %d-%.2f(%s)=%.2f\r\n%s: %d+%.2f(%s)=%.2f\r\n%s", tr("结果").c_str(),
                          tr("黑").c_str(), result.blackPoints, result.komi, tr("贴子").c_str(), result.blackScore,
                          tr("白").c_str(), result.whitePoints, result.komi, tr("贴子").c_str(), result.whiteScore,
                          countSummary(result).c_str());
    return formatText("%s:\r\n%s: %d(%s)+%d(%s)=%.0f\r\n%s: %d(%s)+%d(%s)+%.1f(%s)=%.1f\r\n%s", tr("结果").c_str(),
                      tr("黑方").c_str(), result.blackPoints, tr("空").c_str(), result.whitePrisoners,
                      tr("白子").c_str(), result.blackScore, tr("白方").c_str(), result.whitePoints, tr("空").c_str(),
                      result.blackPrisoners, tr("黑子").c_str(), result.komi, tr("贴目").c_str(), result.whiteScore,
                      countSummary(result).c_str());
}

std::string countRefusal() { return tr("只有中国规则, 韩国规则, 日本规则 才支持点算胜负! 请先修改规则类型."); }

}  // namespace tessera
