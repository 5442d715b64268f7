#include "record/game_tree.h"

#include <algorithm>
#include <atomic>
#include <unordered_set>

#include "go/play_move.h"
#include "record/derive_position.h"

namespace tessera {

void GameTree::clear() {
    ++revision_;
    nodes_.clear();
    denseIndex_.clear();
    sparseIndex_.clear();
    largestId_ = -1;
}

void GameTree::reserve(size_t count) {
    nodes_.reserve(count);
    denseIndex_.reserve(count);
}

void GameTree::copyFrom(const GameTree& other) {
    if (this == &other)
        return;
    clear();  // a new revision
    nodes_.reserve(other.nodes_.size());
    for (const auto& node : other.nodes_) {
        nodes_.push_back(std::make_unique<GameNode>(*node));
        indexNode(nodes_.back().get());
    }
    largestId_ = other.largestId_;
}

GameNode* GameTree::addNode(GameNode node, bool linkToParent) {
    if (node.id < 0) {
        if (largestId_ == INT32_MAX)
            return nullptr;  // readers renumber such trees; never wrap to a negative id
        node.id = largestId_ + 1;
    }
    if (find(node.id))
        return nullptr;
    nodes_.push_back(std::make_unique<GameNode>(std::move(node)));
    GameNode* stored = nodes_.back().get();
    indexNode(stored);
    largestId_ = std::max(largestId_, stored->id);
    // Every listed child exists, so the parent cannot list this new id yet.
    if (GameNode* parent = find(stored->parentId); linkToParent && parent && parent != stored)
        parent->childIds.push_back(stored->id);
    return stored;
}

GameNode* GameTree::locate(int32_t id) const {
    if (id < 0)
        return nullptr;
    if (static_cast<size_t>(id) < denseIndex_.size() && denseIndex_[static_cast<size_t>(id)])
        return denseIndex_[static_cast<size_t>(id)];
    if (sparseIndex_.empty())
        return nullptr;
    auto it = sparseIndex_.find(id);
    return it == sparseIndex_.end() ? nullptr : it->second;
}

void GameTree::indexNode(GameNode* node) {
    const auto id = static_cast<size_t>(node->id);
    if (id < denseIndex_.size()) {
        denseIndex_[id] = node;
    } else if (id <= 2 * nodes_.size() + 1024) {
        denseIndex_.resize(std::max(id + 1, 2 * denseIndex_.size()), nullptr);
        denseIndex_[id] = node;
    } else {
        sparseIndex_[node->id] = node;
    }
}

void GameTree::unindexNode(int32_t id) {
    if (static_cast<size_t>(id) < denseIndex_.size())
        denseIndex_[static_cast<size_t>(id)] = nullptr;
    sparseIndex_.erase(id);
}

uint64_t GameTree::newRevisionBase() {
    static std::atomic<uint64_t> trees{0};
    return trees.fetch_add(1, std::memory_order_relaxed) << 32;
}

GameNode* GameTree::find(int32_t id) {
    ++revision_;
    return locate(id);
}

const GameNode* GameTree::find(int32_t id) const { return locate(id); }

bool GameTree::setComment(int32_t id, const std::string& body) {
    GameNode* node = locate(id);
    if (!node)
        return false;
    node->setComment(body);
    return true;
}

GameNode* GameTree::firstRoot() const {
    for (const auto& node : nodes_)
        if (node->parentId < 0)
            return node.get();
    return nullptr;
}

GameNode* GameTree::root() {
    ++revision_;
    return firstRoot();
}

const GameNode* GameTree::root() const { return firstRoot(); }

std::vector<GameNode*> GameTree::roots() {
    ++revision_;
    std::vector<GameNode*> result;
    for (auto& node : nodes_)
        if (node->parentId < 0)
            result.push_back(node.get());
    return result;
}

std::vector<GameNode*> GameTree::mainLine() {
    ++revision_;
    std::vector<GameNode*> line;
    if (GameNode* first = root()) {
        line.push_back(first);
        auto below = lineBelow(*first);
        line.insert(line.end(), below.begin(), below.end());
    }
    return line;
}

std::vector<const GameNode*> GameTree::mainLine() const {
    std::vector<const GameNode*> line;
    // As lineBelow, without handing out nodes for writing; no line is longer than the tree.
    for (const GameNode* at = firstRoot(); at && line.size() <= nodes_.size() + 1;
         at = at->childIds.empty() ? nullptr : locate(at->childIds.front()))
        line.push_back(at);
    return line;
}

std::vector<GameNode*> GameTree::lineBelow(const GameNode& node) {
    ++revision_;
    std::vector<GameNode*> line;
    const GameNode* at = &node;
    while (!at->childIds.empty()) {
        GameNode* next = find(at->childIds.front());
        if (!next || line.size() > nodes_.size())
            break;
        line.push_back(next);
        at = next;
    }
    return line;
}

std::vector<GameNode*> GameTree::ancestors(const GameNode& node) {
    ++revision_;
    std::vector<GameNode*> result;
    // A record can hold parent links that loop; no chain is longer than the tree.
    for (GameNode* at = find(node.parentId); at && result.size() < nodes_.size(); at = find(at->parentId))
        result.push_back(at);
    return result;
}

std::vector<GameNode*> GameTree::subtree(const GameNode& node) {
    ++revision_;
    std::vector<GameNode*> result;
    GameNode* start = find(node.id);
    if (!start)
        return result;
    std::vector<GameNode*> stack{start};
    // Visited ids: a flag per id up to the largest when ids are dense, else a set.
    const bool dense = static_cast<size_t>(largestId_) <= 2 * nodes_.size() + 1024;
    std::vector<bool> seenDense(dense ? static_cast<size_t>(largestId_) + 1 : 0);
    std::unordered_set<int32_t> seenSparse;
    auto firstVisit = [&](int32_t id) {
        if (!dense)
            return seenSparse.insert(id).second;
        if (seenDense[static_cast<size_t>(id)])
            return false;
        seenDense[static_cast<size_t>(id)] = true;
        return true;
    };
    while (!stack.empty()) {
        GameNode* at = stack.back();
        stack.pop_back();
        if (!firstVisit(at->id))
            continue;
        result.push_back(at);
        for (auto it = at->childIds.rbegin(); it != at->childIds.rend(); ++it)
            if (GameNode* child = find(*it))
                stack.push_back(child);
    }
    return result;
}

int GameTree::countMainLineMoves() const {
    int count = 0;
    for (const GameNode* node : mainLine())
        if (node->move.isStoneMove())
            ++count;
    return count;
}

void GameTree::unlinkFromParent(const GameNode& node) {
    if (GameNode* parent = find(node.parentId)) {
        auto& children = parent->childIds;
        children.erase(std::remove(children.begin(), children.end(), node.id), children.end());
    }
}

void GameTree::eraseNodes(const std::vector<int32_t>& ids) {
    std::unordered_set<int32_t> doomed(ids.begin(), ids.end());
    for (int32_t id : ids)
        unindexNode(id);
    nodes_.erase(std::remove_if(nodes_.begin(), nodes_.end(),
                                [&](const std::unique_ptr<GameNode>& n) { return doomed.count(n->id) > 0; }),
                 nodes_.end());
    recomputeLargestId();
}

void GameTree::recomputeLargestId() {
    largestId_ = -1;
    for (const auto& node : nodes_)
        largestId_ = std::max(largestId_, node->id);
}

bool GameTree::removeNodeKeepChildren(int32_t id) {
    GameNode* node = find(id);
    if (!node)
        return false;
    unlinkFromParent(*node);
    GameNode* parent = find(node->parentId);
    for (int32_t childId : node->childIds) {
        GameNode* child = find(childId);
        if (!child)
            continue;
        child->parentId = parent ? parent->id : -1;
        if (parent && std::find(parent->childIds.begin(), parent->childIds.end(), childId) == parent->childIds.end())
            parent->childIds.push_back(childId);
    }
    eraseNodes({id});
    return true;
}

bool GameTree::removeSubtree(int32_t id) {
    GameNode* node = find(id);
    if (!node)
        return false;
    unlinkFromParent(*node);
    std::vector<int32_t> ids;
    for (GameNode* n : subtree(*node))
        ids.push_back(n->id);
    eraseNodes(ids);
    return true;
}

void GameTree::recomputePositions(const BoardGeometry& geometry) {
    for (GameNode* r : roots())
        recomputeSubtree(geometry, *r);
}

void GameTree::recomputeSubtree(const BoardGeometry& geometry, GameNode& node) {
    // subtree() lists parents before their children, so each parent is ready when its
    // children are derived.
    for (GameNode* at : subtree(node)) {
        derivePosition(geometry, find(at->parentId), *at);
        if (at->sideToMove != kBlack && at->sideToMove != kWhite) {
            at->sideToMove = kBlack;
            for (int32_t childId : at->childIds) {
                const GameNode* child = find(childId);
                if (child && child->move.isStoneMove()) {
                    at->sideToMove = static_cast<uint8_t>(child->move.colour);
                    break;
                }
            }
        }
    }
}

GameNode* playMoveAtNode(GameTree& tree, const BoardGeometry& geometry, int32_t currentId, const Move& move) {
    const GameNode* current = tree.find(currentId);
    BoardGrid position(geometry.width(), geometry.height());
    if (current && current->position.isUsable())
        position.copyFrom(current->position);
    GameNode child;
    if (!playMove(position, move, child.captured))
        return nullptr;
    child.move = move;
    child.position = std::move(position);
    child.blackCaptured = current ? current->blackCaptured : 0;
    child.whiteCaptured = current ? current->whiteCaptured : 0;
    const auto removed = static_cast<uint32_t>(child.captured.size());
    if (move.colour == kBlack)
        child.whiteCaptured += removed;
    else
        child.blackCaptured += removed;
    child.sideToMove = static_cast<uint8_t>(opponentOf(move.colour));
    child.parentId = current ? current->id : -1;
    return tree.addNode(std::move(child));
}

GameNode fullSetupNode(const BoardGrid& position, uint32_t sideToMove) {
    GameNode setup;
    setup.fullSetup = 1;
    setup.sideToMove = static_cast<uint8_t>(sideToMove);
    position.pointsWithValue(kBlack, setup.addBlack);
    position.pointsWithValue(kWhite, setup.addWhite);
    setup.position.copyFrom(position);
    return setup;
}

GameNode* addSetupStone(GameTree& tree, const BoardGeometry& geometry, int32_t currentId, int32_t point,
                        uint32_t colour) {
    if (!geometry.isValidPoint(point) || (colour != kBlack && colour != kWhite))
        return nullptr;
    GameNode* node = tree.find(currentId);
    if (!node || !node->fullSetup) {
        GameNode setup;
        setup.fullSetup = 1;
        setup.sideToMove = kBlack;
        setup.position = BoardGrid(geometry.width(), geometry.height());
        if (node && node->position.isUsable() && node->position.sameSize(geometry)) {
            setup.position.copyFrom(node->position);
            setup.blackCaptured = node->blackCaptured;
            setup.whiteCaptured = node->whiteCaptured;
        }
        setup.parentId = node ? node->id : -1;
        node = tree.addNode(std::move(setup));
        if (!node)
            return nullptr;
    }
    if (!node->position.isUsable())
        node->position = BoardGrid(geometry.width(), geometry.height());
    node->position.set(point, node->position.get(point) == kEmpty ? static_cast<int>(colour) : kEmpty);
    node->position.pointsWithValue(kBlack, node->addBlack);
    node->position.pointsWithValue(kWhite, node->addWhite);
    return node;
}

}  // namespace tessera
