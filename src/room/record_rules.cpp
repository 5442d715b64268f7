#include "room/record_rules.h"

#include <cctype>
#include <cmath>
#include <string>

namespace tessera {

namespace {

// True when text holds word as a whole word, compared without regard to ASCII case.
bool hasWord(const std::string& text, const std::string& word) {
    std::string lower;
    for (const char c : text)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (size_t at = lower.find(word); at != std::string::npos; at = lower.find(word, at + 1)) {
        const bool startsWord = at == 0 || !std::isalpha(static_cast<unsigned char>(lower[at - 1]));
        const size_t end = at + word.size();
        const bool endsWord = end == lower.size() || !std::isalpha(static_cast<unsigned char>(lower[end]));
        if (startsWord && endsWord)
            return true;
    }
    return false;
}

// A komi in quarters that are not halves (3.75, 2.75) is counted in stones.
bool inStones(double komi) {
    const double quarters = komi * 4.0;
    return std::fabs(quarters - std::round(quarters)) < 1e-9 && std::llround(quarters) % 2 != 0;
}

}  // namespace

RuleType statedRuleType(const GameInfo& info) {
    if (info.ruleType >= kRulesChinese && info.ruleType <= kRulesIng)
        return static_cast<RuleType>(info.ruleType);
    static const std::pair<const char*, RuleType> names[] = {
        {"chinese", kRulesChinese}, {"japanese", kRulesJapanese}, {"korean", kRulesKorean},
        {"ing", kRulesIng},         {"goe", kRulesIng},
    };
    for (const auto& [name, rule] : names)
        if (hasWord(info.rulesText, name))
            return rule;
    return kRulesUnknown;
}

RuleSettings recordRules(const GameInfo& info, const RuleSettings& fallback) {
    RuleSettings rules = fallback;
    const RuleType stated = statedRuleType(info);
    if (stated != kRulesUnknown)
        rules.ruleType = stated;
    const bool komiStated =
        std::isfinite(info.komi) && (info.komi != 0.0 || info.handicap > 0 || stated != kRulesUnknown);
    if (!komiStated)
        return rules;
    if (playedAgainstComputer(info) && rules.ruleType == kRulesChinese && stated == kRulesChinese) {
        rules.komi = info.komi;
        return rules;
    }
    const double points = inStones(info.komi) ? info.komi * 2.0 : info.komi;
    rules.komi = rules.ruleType == kRulesChinese ? points / 2.0 : points;
    return rules;
}

}  // namespace tessera
