#include "room/variation_tree.h"

#include "platform/format_text.h"

#include <cstdio>

#include "platform/ui_text.h"

namespace tessera {

namespace {

std::string tr(const char* source) { return uiText("GameRoom", source); }

// "A" .. "T" with I skipped, as players read columns; '?' beyond the alphabet.
char columnLetter(int x) {
    if (x < 0 || x >= 25)
        return '?';
    return static_cast<char>('A' + x + (x >= 8 ? 1 : 0));
}

std::string baseText(const GameNode& node, const BoardGeometry& geometry) {
    const std::string nameText = node.name.empty() ? std::string() : formatText(" %s", node.name.c_str());
    const std::string commentMark = node.name.empty() && !node.comment().empty() ? tr("解说") : std::string();
    if (node.hasSetup()) {
        const char* kind = !node.addBlack.empty() && !node.addWhite.empty() ? "添加棋子"
                           : !node.addBlack.empty()                         ? "添加黑子"
                                                                            : "添加白子";
        return formatText("%s%s%s", tr(kind).c_str(), nameText.c_str(), commentMark.c_str());
    }
    int x = -1, y = -1;
    if (node.move.isStoneMove() && geometry.coordsOf(node.move.point, x, y))
        return formatText("%c%d%s%s", columnLetter(x), geometry.height() - y, nameText.c_str(), commentMark.c_str());
    return formatText("%s%s%s", tr("无信息").c_str(), nameText.c_str(), commentMark.c_str());
}

int imageOf(const GameNode& node) {
    if (!node.hasSetup() && node.move.isStoneMove())
        return node.move.colour == kBlack ? kImageBlackMove : kImageWhiteMove;
    return kImageOther;
}

VariationItem nodeItem(const GameNode& node, const BoardGeometry& geometry) {
    VariationItem item;
    item.text = variationNodeText(node, geometry);
    item.nodeId = node.id;
    item.image = imageOf(node);
    item.selectedImage = item.image + 1;
    return item;
}

}  // namespace

std::string variationNodeText(const GameNode& node, const BoardGeometry& geometry) {
    const std::string base = baseText(node, geometry);
    const bool hasTag = node.moveTag != 0;
    const bool hasEvaluation = node.evaluation != 0.5;
    if (hasTag && hasEvaluation)
        return formatText("%s( %d, %.1f, %d )", base.c_str(), node.id, node.evaluation, static_cast<int>(node.moveTag));
    if (hasTag)
        return formatText("%s( %d, %d )", base.c_str(), node.id, static_cast<int>(node.moveTag));
    if (hasEvaluation)
        return formatText("%s( %d, %.1f )", base.c_str(), node.id, node.evaluation);
    return formatText("%s( %d )", base.c_str(), node.id);
}

std::string variationBranchText(const GameNode& child, int position, int32_t branchingId) {
    if (!child.name.empty())
        return child.name;
    return formatText("%s%d( %d )", tr("分枝").c_str(), position, branchingId);
}

std::vector<VariationItem> buildVariationTree(const GameTree& tree, const BoardGeometry& geometry) {
    std::vector<VariationItem> top;
    const GameNode* root = tree.root();
    if (!root)
        return top;
    // Iterative: each pending entry is a line start and the list it continues in. Lists are
    // addressed by the owning branch item so that growing vectors never invalidate them.
    // A flat entry (position > 0) first appends its own branch item, then its line.
    struct Pending {
        const GameNode* node;
        std::vector<VariationItem>* list;
        int depth;
        int position = 0;          // of a flat branch: its number among the branching node's children
        int32_t branchingId = -1;  // of a flat branch
    };
    auto branchItem = [](const GameNode& child, int position, int32_t branchingId) {
        VariationItem branch;
        branch.text = variationBranchText(child, position, branchingId);
        branch.nodeId = branchingId;
        branch.branch = true;
        branch.image = kImageBranch;
        branch.selectedImage = kImageBranch + 1;
        return branch;
    };
    std::vector<Pending> stack{{root, &top, 0}};
    while (!stack.empty()) {
        Pending pending = stack.back();
        stack.pop_back();
        const GameNode* node = pending.node;
        std::vector<VariationItem>* list = pending.list;
        if (pending.position > 0)
            list->push_back(branchItem(*node, pending.position, pending.branchingId));
        while (node) {
            list->push_back(nodeItem(*node, geometry));
            if (node->childIds.size() == 1) {
                node = tree.find(node->childIds.front());
                continue;
            }
            if (pending.depth >= kMaxNestedBranches) {
                // Too deep to nest: each branch and its line follow in this list, in order.
                std::vector<const GameNode*> children;
                for (int32_t childId : node->childIds)
                    if (const GameNode* child = tree.find(childId))
                        children.push_back(child);
                for (size_t i = children.size(); i-- > 0;)
                    stack.push_back({children[i], list, pending.depth, static_cast<int>(i) + 1, node->id});
                break;
            }
            // Create every branch item first, then queue the lines (in reverse so that the first
            // branch is filled first); list addresses are stable once the branch items exist.
            const size_t firstBranch = list->size();
            std::vector<const GameNode*> children;
            for (int32_t childId : node->childIds) {
                const GameNode* child = tree.find(childId);
                if (!child)
                    continue;
                list->push_back(branchItem(*child, static_cast<int>(children.size()) + 1, node->id));
                children.push_back(child);
            }
            for (size_t i = children.size(); i-- > 0;)
                stack.push_back({children[i], &(*list)[firstBranch + i].children, pending.depth + 1});
            node = nullptr;
        }
    }
    return top;
}

std::vector<int> findVariationItem(const std::vector<VariationItem>& items, int32_t nodeId) {
    struct Frame {
        const std::vector<VariationItem>* list;
        size_t index;
    };
    std::vector<Frame> path{{&items, 0}};
    while (!path.empty()) {
        Frame& frame = path.back();
        if (frame.index >= frame.list->size()) {
            path.pop_back();
            if (!path.empty())
                ++path.back().index;
            continue;
        }
        const VariationItem& item = (*frame.list)[frame.index];
        if (!item.branch && item.nodeId == nodeId) {
            std::vector<int> result;
            for (const Frame& f : path)
                result.push_back(static_cast<int>(f.index));
            return result;
        }
        if (!item.children.empty()) {
            path.push_back({&item.children, 0});
            continue;
        }
        ++frame.index;
    }
    return {};
}

}  // namespace tessera
