#pragma once
// The variation tree the room shows beside the board: a plain tree of items built from the
// game tree. A node with one child continues in the same list; a node with two or more
// children gets one branch item per child in the same list, and each child's line continues
// inside its branch item. Every item's data is a node id (a branch item carries the id of
// the branching node).

#include <cstdint>
#include <string>
#include <vector>

#include "go/board_geometry.h"
#include "record/game_tree.h"

namespace tessera {

// Item images of the variation tree (the selected image is the number + 1).
enum VariationImage : int {
    kImageBlackMove = 0,
    kImageWhiteMove = 2,
    kImageBranch = 4,
    kImageOther = 6,
};

struct VariationItem {
    std::string text;
    int32_t nodeId = -1;                  // item data
    bool branch = false;                  // a branch item (its nodeId is the branching node)
    int image = kImageOther;              // unselected image
    int selectedImage = kImageOther + 1;  // selected image
    std::vector<VariationItem> children;
};

// Branch items nest at most this deep. Below that, a branch item has no children and its line
// follows it in the same list, so that a record nested 100,000 deep still makes a shallow item
// tree (the tree widget lays out and deletes its items recursively).
constexpr int kMaxNestedBranches = 100;

// The top-level items of the tree of `tree` (built from its first root).
std::vector<VariationItem> buildVariationTree(const GameTree& tree, const BoardGeometry& geometry);

// The item text of a node: base text, id and annotations.
std::string variationNodeText(const GameNode& node, const BoardGeometry& geometry);

// The text of the branch item for the child at `position` (from 1) of the node `branchingId`.
std::string variationBranchText(const GameNode& child, int position, int32_t branchingId);

// The path of indices (top-level index first) to the node item whose data is nodeId; empty
// when no node item carries it.
std::vector<int> findVariationItem(const std::vector<VariationItem>& items, int32_t nodeId);

}  // namespace tessera
