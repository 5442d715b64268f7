#include "record/sgf_record_conversion.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "go/board_geometry.h"
#include "record/sgf_annotation.h"

namespace tessera {

namespace {

// 'a'-'z' are 0-25 and 'A'-'Z' 26-51; anything else -1.
int coordinateOf(char c) {
    if (c >= 'a' && c <= 'z')
        return c - 'a';
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 26;
    return -1;
}

char letterOf(int coordinate) { return static_cast<char>('a' + coordinate); }

// The point of a two-letter value (surrounding white space ignored), or -1.
int32_t pointOf(const std::string& value, const BoardGeometry& geometry) {
    if (value.size() != 2) {
        const std::string text = trimText(value);
        return text.size() == 2 ? pointOf(text, geometry) : -1;
    }
    const int x = coordinateOf(value[0]);
    const int y = coordinateOf(value[1]);
    return x < 0 || y < 0 ? -1 : geometry.pointAt(x, y);
}

// Appends the points of every value: single points, and rectangles written "aa:cc". Every
// point taken counts against budget; false (points incomplete) once the budget is spent.
bool appendPoints(const SgfProperty* property, const BoardGeometry& geometry, PointList& points, size_t& budget) {
    if (!property)
        return true;
    for (const auto& value : property->values) {
        const size_t colon = value.find(':');
        if (colon == std::string::npos) {
            if (const int32_t p = pointOf(value, geometry); p >= 0) {
                if (budget == 0)
                    return false;
                --budget;
                points.push_back(p);
            }
            continue;
        }
        const int32_t from = pointOf(value.substr(0, colon), geometry);
        const int32_t to = pointOf(value.substr(colon + 1), geometry);
        if (from < 0 || to < 0)
            continue;
        int x1, y1, x2, y2;
        geometry.coordsOf(from, x1, y1);
        geometry.coordsOf(to, x2, y2);
        const size_t area = size_t(std::abs(x2 - x1) + 1) * size_t(std::abs(y2 - y1) + 1);
        if (area > budget)
            return false;
        budget -= area;
        for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y)
            for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x)
                points.push_back(geometry.pointAt(x, y));
    }
    return true;
}

// A leading decimal integer (optional sign), 0 when there is none; clamped to +-1,000,000.
long leadingInteger(const std::string& text) {
    const long value = std::strtol(text.c_str(), nullptr, 10);
    return std::clamp(value, -1'000'000L, 1'000'000L);
}

// The pieces of text between runs of ':' (empty pieces dropped).
std::vector<std::string> splitAtColons(const std::string& text) {
    std::vector<std::string> pieces;
    size_t at = 0;
    while (at <= text.size()) {
        const size_t colon = std::min(text.find(':', at), text.size());
        if (colon > at)
            pieces.push_back(text.substr(at, colon - at));
        at = colon + 1;
    }
    return pieces;
}

bool readGameInfo(const SgfNode& root, GameInfo& info, std::string& error) {
    if (const std::string* size = root.findValue("SZ")) {
        const auto pieces = splitAtColons(*size);
        long width = info.boardWidth;
        long height = info.boardHeight;
        if (pieces.size() == 1)
            width = height = leadingInteger(pieces[0]);
        else if (pieces.size() == 2)
            width = leadingInteger(pieces[0]), height = leadingInteger(pieces[1]);
        if (width > kMaxSgfReadBoardSize || height > kMaxSgfReadBoardSize) {
            error = "the board size " + std::to_string(width) + "x" + std::to_string(height) + " is larger than " +
                    std::to_string(kMaxSgfReadBoardSize) + " lines";
            return false;
        }
        info.boardWidth = static_cast<int16_t>(width < 1 ? 19 : width);
        info.boardHeight = static_cast<int16_t>(height < 1 ? 19 : height);
    }
    if (const std::string* result = root.findValue("RE")) {
        info.resultText = trimText(*result);
        info.resultType = static_cast<int16_t>(parseResultType(info.resultText));
    }
    if (const std::string* rules = root.findValue("RU")) {
        info.rulesText = *rules;
        info.ruleType = static_cast<int16_t>(parseRuleType(*rules));
    }
    if (const std::string* komi = root.findValue("KM")) {
        info.komi = parseKomi(*komi);
        if (!std::isfinite(info.komi))  // "KM[1e999]" is no komi anyone plays with
            info.komi = 0.0;
    }
    if (const std::string* handicap = root.findValue("HA"))
        info.handicap = static_cast<int16_t>(std::clamp(leadingInteger(*handicap), 0L, 400L));
    const std::pair<const char*, std::string GameInfo::*> texts[] = {
        {"PB", &GameInfo::blackName}, {"BR", &GameInfo::blackRank}, {"PW", &GameInfo::whiteName},
        {"WR", &GameInfo::whiteRank}, {"EV", &GameInfo::event},     {"GN", &GameInfo::gameName},
        {"DT", &GameInfo::date},      {"PC", &GameInfo::place},     {"US", &GameInfo::writer},
        {"SO", &GameInfo::source},
    };
    for (const auto& [identifier, field] : texts)
        if (const std::string* value = root.findValue(identifier))
            info.*field = *value;
    return true;
}

// The first property of each identifier that a game-tree node reads, found in one pass.
struct NodeProperties {
    const SgfProperty* black = nullptr;            // B
    const SgfProperty* white = nullptr;            // W
    const SgfProperty* addBlack = nullptr;         // AB
    const SgfProperty* addWhite = nullptr;         // AW
    const SgfProperty* clear = nullptr;            // AE
    const SgfProperty* marks[4] = {};              // TR, CR, SQ, MA
    const SgfProperty* labels = nullptr;           // LB
    const SgfProperty* comment = nullptr;          // C
    const SgfProperty* name = nullptr;             // N
    const SgfProperty* quality = nullptr;          // BM, TE, DO or IT: the move's quality
    const SgfProperty* judgement = nullptr;        // GB, GW, DM or UC: who stands better
    const SgfProperty* exactTag = nullptr;         // our private move tag
    const SgfProperty* exactEvaluation = nullptr;  // our private evaluation

    explicit NodeProperties(const SgfNode& sgf) {
        for (const SgfProperty& property : sgf.properties())
            if (const SgfProperty** slot = slotOf(property.identifier); slot && !*slot)
                *slot = &property;
    }

private:
    const SgfProperty** slotOf(const std::string& id) {
        if (id.size() == 1)
            return id[0] == 'B'   ? &black
                   : id[0] == 'W' ? &white
                   : id[0] == 'C' ? &comment
                   : id[0] == 'N' ? &name
                                  : nullptr;
        if (id == "AB")
            return &addBlack;
        if (id == "AW")
            return &addWhite;
        if (id == "AE")
            return &clear;
        if (id == "TR")
            return &marks[0];
        if (id == "CR")
            return &marks[1];
        if (id == "SQ")
            return &marks[2];
        if (id == "MA")
            return &marks[3];
        if (id == "LB")
            return &labels;
        switch (sgfAnnotationSlot(id)) {
            case SgfAnnotationSlot::kMoveQuality:
                return &quality;
            case SgfAnnotationSlot::kPositionJudgement:
                return &judgement;
            case SgfAnnotationSlot::kExactTag:
                return &exactTag;
            case SgfAnnotationSlot::kExactEvaluation:
                return &exactEvaluation;
            case SgfAnnotationSlot::kNone:
                break;
        }
        return nullptr;
    }
};

// The first value of a property, or nullptr when it is absent or has none.
const std::string* firstValue(const SgfProperty* property) {
    return property && !property->values.empty() ? &property->values.front() : nullptr;
}

// Fills node from sgf; false when its point lists overrun the record's point budget.
bool readNode(const SgfNode& sgf, const BoardGeometry& geometry, GameNode& node, size_t& budget) {
    const NodeProperties found(sgf);
    const SgfProperty* move = found.black ? found.black : found.white;
    const uint32_t colour = found.black ? kBlack : kWhite;
    if (move) {
        if (const int32_t p = pointOf(move->value(), geometry); p >= 0)
            node.move = Move{colour, p};
    }
    if (!appendPoints(found.addBlack, geometry, node.addBlack, budget) ||
        !appendPoints(found.addWhite, geometry, node.addWhite, budget) ||
        !appendPoints(found.clear, geometry, node.clearPoints, budget))
        return false;
    const MarkKind markKinds[4] = {kMarkTriangle, kMarkCircle, kMarkSquare, kMarkCross};
    for (int i = 0; i < 4; ++i) {
        if (!found.marks[i])
            continue;
        PointList points;
        if (!appendPoints(found.marks[i], geometry, points, budget))
            return false;
        for (const int32_t p : points)
            node.marks.push_back(Mark{static_cast<int16_t>(markKinds[i]), p});
    }
    if (const SgfProperty* labels = found.labels) {
        for (const auto& value : labels->values) {
            const size_t colon = value.find(':');
            if (colon == std::string::npos || colon + 1 >= value.size())
                continue;
            const int32_t p = pointOf(value.substr(0, colon), geometry);
            if (p >= 0)
                node.addLabel(Label{p, 0x00FF0000u, value.substr(colon + 1)});
        }
    }
    if (const std::string* comment = firstValue(found.comment))
        node.comments.push_back(Comment{{}, *comment});
    if (const std::string* name = firstValue(found.name))
        node.name = *name;
    node.moveTag = sgfMoveTag(found.quality, found.exactTag, move != nullptr);
    node.evaluation = sgfEvaluation(found.judgement, found.exactEvaluation);
    return true;
}

void completeGameInfo(GameRecord& record) {
    GameInfo& info = record.info;
    info.langType = 1;
    if (!info.blackName.empty() && !info.whiteName.empty())
        info.appType = 1;
    info.mediaType = 1;
    info.blackKind = info.whiteKind = 2;
    info.totalMoves = record.tree.countMainLineMoves();
    if (info.ruleType == 0) {
        auto decide = [&](int16_t rule, const char* text) {
            info.ruleType = rule;
            if (info.rulesText.empty())
                info.rulesText = text;
        };
        if (info.komi == 3.75 || info.komi == 2.75)
            decide(kRulesChinese, "中国规则");
        else if (info.komi == 6.5 || info.komi == 5.5)
            decide(kRulesJapanese, "日本规则");
        else if (info.komi == 8.0)
            decide(kRulesIng, "应氏规则");
    }
}

std::string pointText(int32_t point, const BoardGeometry& geometry) {
    int x, y;
    if (!geometry.coordsOf(point, x, y))
        return {};
    return {letterOf(x), letterOf(y)};
}

void addPointList(SgfNode& sgf, const char* identifier, const PointList& points, const BoardGeometry& geometry) {
    SgfProperty property{identifier, {}};
    for (const int32_t p : points)
        if (std::string text = pointText(p, geometry); !text.empty())
            property.values.push_back(std::move(text));
    if (!property.values.empty())
        sgf.properties().push_back(std::move(property));
}

void writeNode(const GameNode& node, const BoardGeometry& geometry, SgfNode& sgf) {
    if (node.move.isStoneMove())
        if (std::string text = pointText(node.move.point, geometry); !text.empty())
            sgf.add(node.move.colour == kBlack ? "B" : "W", std::move(text));
    addPointList(sgf, "AB", node.addBlack, geometry);
    addPointList(sgf, "AW", node.addWhite, geometry);
    addPointList(sgf, "AE", node.clearPoints, geometry);
    const std::pair<const char*, MarkKind> marks[] = {
        {"TR", kMarkTriangle}, {"CR", kMarkCircle}, {"SQ", kMarkSquare}, {"MA", kMarkCross}};
    for (const auto& [identifier, kind] : marks) {
        PointList points;
        for (const auto& mark : node.marks)
            if (mark.kind == kind)
                points.push_back(mark.point);
        addPointList(sgf, identifier, points, geometry);
    }
    SgfProperty labels{"LB", {}};
    for (const auto& label : node.labels)
        if (std::string text = pointText(label.point, geometry); !text.empty())
            labels.values.push_back(text + ":" + label.text);
    if (!labels.values.empty())
        sgf.properties().push_back(std::move(labels));
    if (!node.comments.empty() && !node.comments.front().body.empty())
        sgf.add("C", node.comments.front().body);
    if (!node.name.empty())
        sgf.add("N", node.name);
    addSgfAnnotation(node, sgf);
}

std::string komiText(double komi) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", komi);
    return buffer;
}

void writeGameInfo(const GameInfo& info, SgfNode& root) {
    root.properties().insert(root.properties().begin(),
                             {SgfProperty{"GM", {"1"}}, SgfProperty{"FF", {"4"}}, SgfProperty{"CA", {"UTF-8"}}});
    root.set("SZ", info.boardWidth == info.boardHeight
                       ? std::to_string(info.boardWidth)
                       : std::to_string(info.boardWidth) + ":" + std::to_string(info.boardHeight));
    root.set("RE", info.resultText);
    // A game played in a room holds its rules as a number and, against the computer under
    // Chinese rules, its komi in stones as played; RU names the rules and KM is in points.
    static const char* const ruleNames[] = {"Chinese", "Japanese", "Korean", "GOE"};
    const bool ruleKnown = info.ruleType >= kRulesChinese && info.ruleType <= kRulesIng;
    root.set("RU", info.rulesText.empty() && ruleKnown ? ruleNames[info.ruleType - 1] : info.rulesText);
    const bool komiInStones = info.ruleType == kRulesChinese && playedAgainstComputer(info);
    root.set("KM", komiText(komiInStones ? info.komi * 2.0 : info.komi));
    if (info.handicap > 0)
        root.set("HA", std::to_string(info.handicap));
    root.set("PB", info.blackName);
    root.set("BR", info.blackRank);
    root.set("PW", info.whiteName);
    root.set("WR", info.whiteRank);
    root.set("EV", info.event);
    root.set("GN", info.gameName);
    root.set("DT", info.date);
    root.set("PC", info.place);
    root.set("US", info.writer);
    root.set("SO", info.source);
}

}  // namespace

bool sgfTreeToRecord(const SgfNode& root, GameRecord& record, std::string& error) {
    record.clear();
    if (!readGameInfo(root, record.info, error)) {
        record.clear();
        return false;
    }
    const BoardGeometry geometry = record.geometry();
    // Pre-order listing with the parent's position in the list; ids are list positions.
    std::vector<std::pair<const SgfNode*, int32_t>> order;
    std::vector<std::pair<const SgfNode*, int32_t>> pending{{&root, -1}};
    while (!pending.empty()) {
        auto [sgf, parentId] = pending.back();
        pending.pop_back();
        const auto id = static_cast<int32_t>(order.size());
        order.emplace_back(sgf, parentId);
        if (order.size() * static_cast<size_t>(geometry.area()) > kMaxRecordPositionBytes) {
            error = "the record has too many nodes for its board size";
            record.clear();
            return false;
        }
        const auto& children = sgf->children();
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            pending.emplace_back(it->get(), id);
    }
    record.tree.reserve(order.size());
    size_t pointBudget = kMaxRecordExpandedPoints;
    for (size_t i = 0; i < order.size(); ++i) {
        GameNode node;
        node.id = static_cast<int32_t>(i);
        node.parentId = order[i].second;
        if (!readNode(*order[i].first, geometry, node, pointBudget)) {
            error =
                "the record's point lists expand to more than " + std::to_string(kMaxRecordExpandedPoints) + " points";
            record.clear();
            return false;
        }
        record.tree.addNode(std::move(node));
    }
    record.recomputePositions();
    completeGameInfo(record);
    return true;
}

std::unique_ptr<SgfNode> recordToSgfTree(const GameRecord& record, std::string& error) {
    const GameNode* first = record.tree.root();
    if (!first) {
        error = "the record has no node to write";
        return nullptr;
    }
    const BoardGeometry geometry = record.geometry();
    if (geometry.width() > kMaxSgfWriteBoardSize || geometry.height() > kMaxSgfWriteBoardSize) {
        error = "SGF files are written for boards of at most " + std::to_string(kMaxSgfWriteBoardSize) +
                " lines, not " + std::to_string(geometry.width()) + "x" + std::to_string(geometry.height());
        return nullptr;
    }
    auto root = std::make_unique<SgfNode>();
    std::vector<std::pair<const GameNode*, SgfNode*>> pending{{first, root.get()}};
    while (!pending.empty()) {
        auto [node, sgf] = pending.back();
        pending.pop_back();
        writeNode(*node, geometry, *sgf);
        for (const int32_t childId : node->childIds)
            if (const GameNode* child = record.tree.find(childId); child && child->parentId == node->id)
                pending.emplace_back(child, sgf->addChild(std::make_unique<SgfNode>()));
    }
    writeGameInfo(record.info, *root);
    return root;
}

}  // namespace tessera
