#pragma once
// A game record's tree of nodes. The tree owns its nodes (kept in insertion order) and
// indexes them by id. Invariants: ids are unique; every id in a node's childIds names a node
// whose parentId is that node; a node is listed at most once in its parent's childIds.
// Child links are only made to parents that already exist, so following childIds never
// loops; every walk here is iterative, so records nested 100,000 deep are safe.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "go/board_geometry.h"
#include "record/game_node.h"

namespace tessera {

class GameTree {
public:
    GameTree() = default;
    GameTree(const GameTree& other) { copyFrom(other); }
    GameTree& operator=(const GameTree& other) {
        if (this != &other)
            copyFrom(other);
        return *this;
    }
    GameTree(GameTree&&) noexcept = default;
    GameTree& operator=(GameTree&&) noexcept = default;

    // Deletes every node.
    void clear();
    // Makes room for count nodes, so a tree built at once is not moved while it grows.
    void reserve(size_t count);
    // A deep copy of every node, ids preserved.
    void copyFrom(const GameTree& other);

    // Adds a node. Id -1 receives largestId() + 1. Fails (returns nullptr, nothing added) on a
    // duplicate id, or for id -1 when the largest id is INT32_MAX. With linkToParent, a node whose parent exists
    // becomes the parent's last child (a new id cannot be listed yet, so this is O(1));
    // without it child lists stay as they are and the caller mends the links (a reader adding
    // nodes as stored). Returns the stored node.
    GameNode* addNode(GameNode node, bool linkToParent = true);
    // The node with this id, or nullptr (also for a negative id).
    GameNode* find(int32_t id);
    const GameNode* find(int32_t id) const;
    // Sets the node's comment (GameNode::setComment) without a new revision: the room follows
    // typed comments itself. False when the id is unknown.
    bool setComment(int32_t id, const std::string& body);
    // Changes whenever a non-const member runs (a node handed out for writing, nodes added,
    // removed or recomputed), setComment aside; never equal between two trees unless one was
    // moved from the other. Equal revisions of one tree mean nothing was changed in between,
    // as long as nodes are written through what the non-const members hand out.
    uint64_t revision() const { return revision_; }
    // The largest id, or -1 for an empty tree.
    int32_t largestId() const { return largestId_; }
    // Number of nodes.
    size_t size() const { return nodes_.size(); }
    bool empty() const { return nodes_.empty(); }

    // The first node in insertion order whose parentId is negative, or nullptr.
    GameNode* root();
    const GameNode* root() const;
    // All nodes with a negative parentId, in insertion order.
    std::vector<GameNode*> roots();
    // The root, then each first child to the end.
    std::vector<GameNode*> mainLine();
    std::vector<const GameNode*> mainLine() const;
    // The first child of node, its first child, and so on (node excluded).
    std::vector<GameNode*> lineBelow(const GameNode& node);
    // The parent, grandparent, ... up to a root (node excluded).
    std::vector<GameNode*> ancestors(const GameNode& node);
    // The parent of node, or nullptr.
    GameNode* parentOf(const GameNode& node) { return find(node.parentId); }
    // Every node of the subtree under node (node first), depth first in child order.
    std::vector<GameNode*> subtree(const GameNode& node);
    // All nodes in insertion order.
    const std::vector<std::unique_ptr<GameNode>>& nodes() const { return nodes_; }
    // Number of main-line nodes whose move is a stone move.
    int countMainLineMoves() const;

    // Removes one node; its children move to the end of its parent's child list (or become
    // roots). False when the id is unknown.
    bool removeNodeKeepChildren(int32_t id);
    // Removes a node and everything below it. False when the id is unknown.
    bool removeSubtree(int32_t id);

    // Recomputes position, prisoners, captured stones and side to move of every node.
    void recomputePositions(const BoardGeometry& geometry);
    // The same for node and everything below it.
    void recomputeSubtree(const BoardGeometry& geometry, GameNode& node);

private:
    static uint64_t newRevisionBase();
    GameNode* locate(int32_t id) const;
    GameNode* firstRoot() const;
    void unlinkFromParent(const GameNode& node);
    void eraseNodes(const std::vector<int32_t>& ids);
    void recomputeLargestId();

    // Records a stored node under its id (ids near the node count go to denseIndex_).
    void indexNode(GameNode* node);
    // Forgets the node of an id.
    void unindexNode(int32_t id);

    std::vector<std::unique_ptr<GameNode>> nodes_;  // insertion order, owning
    // id -> node. Ids are usually 0..n-1, so most live in a vector indexed by id (nullptr
    // where no node has that id); an id far above the node count goes to the map instead,
    // so one id at the integer limit costs no memory.
    std::vector<GameNode*> denseIndex_;
    std::unordered_map<int32_t, GameNode*> sparseIndex_;
    int32_t largestId_ = -1;
    uint64_t revision_ = newRevisionBase();  // a base per tree, counted up from there
};

// Plays move at the node `currentId` (a root position of the geometry's size when the id
// names no node): a new child is always created and linked last. Returns the new node, or
// nullptr when playMove refuses the move (nothing is created).
GameNode* playMoveAtNode(GameTree& tree, const BoardGeometry& geometry, int32_t currentId, const Move& move);

// A full-setup node that sets up exactly position (every stone in addBlack / addWhite) with
// sideToMove to play; no id or parent yet.
GameNode fullSetupNode(const BoardGrid& position, uint32_t sideToMove);

// Toggles a setup stone at the node `currentId`: unless that node is a full-setup node, a new
// full-setup child is created first (side to move black, the current position). An occupied
// point is emptied, an empty one receives `colour`; addBlack and addWhite are rewritten as
// the complete lists of the position's stones. Returns the edited node, or nullptr for an
// invalid point or colour.
GameNode* addSetupStone(GameTree& tree, const BoardGeometry& geometry, int32_t currentId, int32_t point,
                        uint32_t colour);

}  // namespace tessera
