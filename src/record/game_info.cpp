#include "record/game_info.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "platform/ui_text.h"

namespace tessera {

namespace {

bool contains(const std::string& text, const char* word) { return text.find(word) != std::string::npos; }
bool startsWith(const std::string& text, const char* word) { return text.rfind(word, 0) == 0; }

std::string asciiLower(std::string text) {
    for (auto& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string pick(const char* const* texts, int count, int index) {
    return uiText("GameInfo", texts[index >= 0 && index < count ? index : 0]);
}

}  // namespace

std::string trimText(const std::string& text) {
    const char* space = " \t\r\n\f\v";
    const size_t first = text.find_first_not_of(space);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(space) - first + 1);
}

int parseRuleType(const std::string& text) {
    static const char* const names[] = {"中国", "日本", "韩国", "应氏"};
    for (int i = 0; i < 4; ++i)
        if (contains(text, names[i]))
            return i + 1;
    return -1;
}

int parseResultType(const std::string& raw) {
    const std::string text = trimText(raw);
    const std::string lower = asciiLower(text);
    if (text == "0" || lower == "draw" || startsWith(text, "和棋"))
        return kResultDraw;
    if (startsWith(lower, "w+") || startsWith(text, "白胜"))
        return kResultWhiteWins;
    if (startsWith(lower, "b+") || startsWith(text, "黑胜"))
        return kResultBlackWins;
    if (contains(text, "和棋"))
        return kResultDraw;
    const bool black = contains(text, "黑");
    const bool white = contains(text, "白");
    const bool win = contains(text, "胜");
    const bool loss = contains(text, "负");
    if (black == white)
        return kResultUnknown;  // both named, or neither
    const int named = black ? kResultBlackWins : kResultWhiteWins;
    const int other = black ? kResultWhiteWins : kResultBlackWins;
    if (win && !loss)
        return named;
    if (loss && !win)
        return other;
    return kResultUnknown;
}

double parseKomi(const std::string& text) {
    const std::string trimmed = trimText(text);
    if (trimmed.empty())
        return 0.0;
    char* end = nullptr;
    const double value = std::strtod(trimmed.c_str(), &end);
    if (end == trimmed.c_str() || value != value)
        return 0.0;
    // Some servers write komi in hundredths ("750" for 7.5). No game is played with a komi of
    // a hundred points, so a whole multiple of 25 from 100 up is read that way.
    if (std::fabs(value) >= 100.0 && std::fmod(value, 25.0) == 0.0)
        return value / 100.0;
    return value;
}

std::string GameInfo::title() const {
    if (blackName.empty() && whiteName.empty() && resultText.empty())
        return uiText("GameInfo", "无比赛信息");
    // What is unknown is left out rather than shown as empty brackets.
    auto player = [](const std::string& name, const std::string& rank) {
        return rank.empty() ? name : name + "(" + rank + ")";
    };
    std::string title = uiText("GameInfo", "黑") + " " + player(blackName, blackRank) + " VS " +
                        uiText("GameInfo", "白") + " " + player(whiteName, whiteRank);
    if (!resultText.empty())
        title += "(" + uiText("GameInfo", "结果") + ": " + resultText + ")";
    return title;
}

std::string langTypeText(int langType) {
    static const char* const texts[] = {"未知语言类型", "英文", "简体中文(GB)", "繁体中文(BIG5)"};
    return pick(texts, 4, langType + 1);
}
std::string appTypeText(int appType) {
    static const char* const texts[] = {"未知应用类型", "棋谱", "教程", "考题"};
    return pick(texts, 4, appType);
}
std::string eventLevelText(int eventLevel) {
    static const char* const texts[] = {"未知比赛等级", "国内比赛", "国际比赛"};
    return pick(texts, 3, eventLevel);
}
std::string mediaTypeText(int mediaType) {
    static const char* const texts[] = {"未知媒介类型", "棋盘对局", "网络实时对局", "网络非实时对局", "盲棋", "连棋"};
    return pick(texts, 6, mediaType);
}
std::string playerKindText(int kind) {
    static const char* const texts[] = {"未知游戏者类型", "电脑", "人"};
    return pick(texts, 3, kind);
}
std::string ruleTypeText(int ruleType) {
    static const char* const texts[] = {"未知规则类型", "中国规则", "日本规则", "韩国规则", "应氏规则"};
    return pick(texts, 5, ruleType);
}
std::string resultTypeText(int resultType) {
    static const char* const texts[] = {"结果不详", "和局", "黑赢", "白赢"};
    return pick(texts, 4, resultType + 1);
}

}  // namespace tessera
