#include "record/sgf_annotation.h"

#include <charconv>
#include <cmath>
#include <string>

namespace tessera {

namespace {

constexpr const char* kExactTagProperty = "TSTAG";
constexpr const char* kExactEvaluationProperty = "TSEVAL";

struct StandardProperty {
    const char* identifier;  // nullptr: no SGF property fits
    const char* value;
};

// The closest SGF move quality of each tag. TE and BM take 1 (good / bad) or 2 (very good /
// very bad); DO is a doubtful move, IT an interesting one (a gamble or a trick).
constexpr StandardProperty kTagProperties[kMoveTagCount] = {
    {nullptr, nullptr},  // no tag
    {"TE", "2"},         // 鬼手
    {"TE", "2"},         // 妙手
    {"TE", "1"},         // 好手
    {"IT", ""},          // 胜负手
    {"DO", ""},          // 疑问手
    {"BM", "1"},         // 俗手
    {"IT", ""},          // 骗着
    {"DO", ""},          // 无理手
    {"BM", "1"},         // 坏手
    {"BM", "1"},         // 中计
    {"BM", "2"},         // 昏着
    {"BM", "2"},         // 超级勺子
    {nullptr, nullptr},  // 求投手: a move in search of a place to resign has no SGF quality
    {"TE", "1"},         // 正解
    {"BM", "1"},         // 错解
    {"TE", "1"},         // 手筋
};

// The tag a standard move quality reads as; each is one of the tags written with it. Every BM is
// "坏手", the tag that problem answers count against the answering side.
uint32_t tagOfQuality(const SgfProperty& quality) {
    if (quality.identifier == "TE")
        return quality.value().find('2') != std::string::npos ? 2 : kMoveTagTesuji;
    if (quality.identifier == "BM")
        return kMoveTagBadMove;
    if (quality.identifier == "DO")
        return kMoveTagDoubtful;
    return 4;  // IT
}

// The SGF judgement of an evaluation: entries 0-2 very good for white, 3-4 good for white,
// 5 even, 6-7 good for black, 8-10 very good for black.
StandardProperty judgementOf(double evaluation) {
    const int entry = evaluationIndex(evaluation);
    if (entry == 5)
        return {"DM", "1"};
    const char* side = entry < 5 ? "GW" : "GB";
    return {side, entry <= 2 || entry >= 8 ? "2" : "1"};
}

// The evaluation a standard judgement reads as; judgementOf gives that judgement back.
double evaluationOfJudgement(const SgfProperty& judgement) {
    const bool strong = judgement.value().find('2') != std::string::npos;
    if (judgement.identifier == "GW")
        return strong ? 0.2 : 0.3;
    if (judgement.identifier == "GB")
        return strong ? 0.8 : 0.7;
    return 0.5;  // DM (even) and UC (unclear)
}

std::string shortestText(double value) {
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc() ? std::string(buffer, end) : std::string();
}

}  // namespace

SgfAnnotationSlot sgfAnnotationSlot(std::string_view id) {
    if (id == "BM" || id == "TE" || id == "DO" || id == "IT")
        return SgfAnnotationSlot::kMoveQuality;
    if (id == "GB" || id == "GW" || id == "DM" || id == "UC")
        return SgfAnnotationSlot::kPositionJudgement;
    if (id == kExactTagProperty)
        return SgfAnnotationSlot::kExactTag;
    if (id == kExactEvaluationProperty)
        return SgfAnnotationSlot::kExactEvaluation;
    return SgfAnnotationSlot::kNone;
}

uint32_t sgfMoveTag(const SgfProperty* quality, const SgfProperty* exactTag, bool onMove) {
    if (exactTag) {
        const std::string& text = exactTag->value();
        uint32_t tag = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), tag);
        if (error == std::errc() && end == text.data() + text.size() && tag > 0 && tag < kMoveTagCount)
            return tag;
    }
    return quality && onMove ? tagOfQuality(*quality) : 0;
}

double sgfEvaluation(const SgfProperty* judgement, const SgfProperty* exactEvaluation) {
    if (exactEvaluation) {
        const std::string& text = exactEvaluation->value();
        double value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error == std::errc() && end == text.data() + text.size() && value >= 0.0 && value <= 1.0)
            return value;
    }
    return judgement ? evaluationOfJudgement(*judgement) : 0.5;
}

void addSgfAnnotation(const GameNode& node, SgfNode& sgf) {
    const uint32_t tag = node.moveTag < kMoveTagCount ? node.moveTag : 0;
    if (tag != 0) {
        SgfProperty written;
        if (const StandardProperty standard = kTagProperties[tag]; standard.identifier && node.move.isStoneMove()) {
            written = SgfProperty{standard.identifier, {standard.value}};
            sgf.properties().push_back(written);
        }
        if (sgfMoveTag(written.identifier.empty() ? nullptr : &written, nullptr, true) != tag)
            sgf.add(kExactTagProperty, std::to_string(tag));
    }
    if (node.evaluation != 0.5 && std::isfinite(node.evaluation)) {
        const StandardProperty standard = judgementOf(node.evaluation);
        const SgfProperty written{standard.identifier, {standard.value}};
        sgf.properties().push_back(written);
        if (evaluationOfJudgement(written) != node.evaluation)
            sgf.add(kExactEvaluationProperty, shortestText(node.evaluation));
    }
}

}  // namespace tessera
