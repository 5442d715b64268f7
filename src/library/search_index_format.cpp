#include "library/search_index_format.h"

#include <algorithm>
#include <cstring>

namespace tessera {
namespace {

uint64_t mix64(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

void putVarint(std::string& out, uint64_t value) {
    while (value >= 0x80) {
        out.push_back(static_cast<char>((value & 0x7F) | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<char>(value));
}

}  // namespace

uint64_t stoneHash(int colour, int32_t p) { return mix64((uint64_t(uint32_t(p)) << 2) | uint64_t(colour & 3)); }

uint64_t sizeHash(int width, int height) {
    return mix64(0xA5A5000000000000ull ^ (uint64_t(width) << 16) ^ uint64_t(height));
}

uint64_t positionHash(const BoardGrid& grid) {
    uint64_t hash = sizeHash(grid.width(), grid.height());
    const auto& bytes = grid.bytes();
    for (size_t p = 0; p < bytes.size(); ++p)
        if (bytes[p] == 1 || bytes[p] == 2)
            hash ^= stoneHash(bytes[p], static_cast<int32_t>(p));
    return hash;
}

std::vector<const GameNode*> nodesInTreeOrder(const GameTree& tree) {
    std::vector<const GameNode*> order;
    order.reserve(tree.size());
    std::vector<const GameNode*> stack;
    for (const auto& node : tree.nodes())
        if (node->parentId < 0)
            stack.push_back(node.get());
    std::reverse(stack.begin(), stack.end());
    while (!stack.empty()) {
        const GameNode* node = stack.back();
        stack.pop_back();
        order.push_back(node);
        for (auto child = node->childIds.rbegin(); child != node->childIds.rend(); ++child)
            if (const GameNode* next = tree.find(*child))
                stack.push_back(next);
    }
    return order;
}

namespace {

// One node of a tree walked in tree order, with its parent's place in that order.
struct OrderedNode {
    const GameNode* node;
    uint32_t parentSeq;  // kNoParent for a root
};
constexpr uint32_t kNoParent = UINT32_MAX;

// The nodes of a tree in tree order with their parents; false when the links do not form a
// tree of exactly tree.size() nodes.
bool orderTree(const GameTree& tree, std::vector<OrderedNode>& order, std::vector<OrderedNode>& stack) {
    order.clear();
    stack.clear();
    for (auto node = tree.nodes().rbegin(); node != tree.nodes().rend(); ++node)
        if ((*node)->parentId < 0)
            stack.push_back({node->get(), kNoParent});
    while (!stack.empty()) {
        if (order.size() >= tree.size())
            return false;
        const OrderedNode next = stack.back();
        stack.pop_back();
        const auto seq = static_cast<uint32_t>(order.size());
        order.push_back(next);
        const auto& children = next.node->childIds;
        for (auto child = children.rbegin(); child != children.rend(); ++child)
            if (const GameNode* found = tree.find(*child))
                stack.push_back({found, seq});
    }
    return order.size() == tree.size();
}

// What encodeGame reuses from game to game on one thread.
struct EncodeScratch {
    std::vector<OrderedNode> order, stack;
    std::vector<uint64_t> hashes;
    std::vector<uint32_t> depth;
    std::vector<std::pair<int32_t, uint8_t>> change;
    std::vector<bool> hasChild;
    std::string body;
};

}  // namespace

bool encodeGame(int32_t id, const GameRecord& record, EncodedGame& out) {
    const BoardGeometry board = record.geometry();
    const int width = board.width();
    const int height = board.height();
    if (width > kMaxIndexedSide || height > kMaxIndexedSide)
        return false;
    const int area = width * height;
    thread_local EncodeScratch scratch;
    std::vector<OrderedNode>& nodes = scratch.order;
    if (record.tree.size() > UINT32_MAX / 2 || !orderTree(record.tree, nodes, scratch.stack))
        return false;
    for (const OrderedNode& ordered : nodes)
        if (!ordered.node->position.isUsable() || ordered.node->position.width() != width ||
            ordered.node->position.height() != height)
            return false;

    out.game = IndexedGame{};
    out.game.id = id;
    out.game.width = static_cast<uint16_t>(width);
    out.game.height = static_cast<uint16_t>(height);
    out.game.nodeCount = static_cast<uint32_t>(nodes.size());
    out.entries.clear();
    out.entries.reserve(nodes.size());
    std::string& body = scratch.body;
    body.clear();

    std::vector<uint64_t> everBlack(bitSetWords(area)), everWhite(bitSetWords(area));
    // The depth bounds: a point empty at some node stays empty down to a leaf or until a node
    // that fills it, so the greatest depth at which it is empty is found at leaves and just
    // above the nodes that fill it.
    std::vector<uint8_t> firstOccupied(size_t(area), kDepthCap), lastEmpty(size_t(area), 0);
    std::vector<bool>& hasChild = scratch.hasChild;
    hasChild.assign(nodes.size(), false);
    for (const OrderedNode& ordered : nodes)
        if (ordered.parentSeq != kNoParent)
            hasChild[ordered.parentSeq] = true;
    auto capped = [](uint32_t depth) { return static_cast<uint8_t>(std::min<uint32_t>(depth, kDepthCap)); };
    bool idsInOrder = true;
    for (uint32_t seq = 0; seq < nodes.size(); ++seq)
        idsInOrder = idsInOrder && nodes[seq].node->id == static_cast<int32_t>(seq);

    const BoardGrid empty(width, height);
    std::vector<uint64_t>& hashes = scratch.hashes;
    std::vector<uint32_t>& depth = scratch.depth;
    hashes.resize(nodes.size());
    depth.resize(nodes.size());
    std::vector<std::pair<int32_t, uint8_t>>& change = scratch.change;
    uint32_t pathLength = 0;
    for (uint32_t seq = 0; seq < nodes.size(); ++seq) {
        const GameNode& node = *nodes[seq].node;
        const bool hasParent = nodes[seq].parentSeq != kNoParent;
        const uint32_t parentSeq = hasParent ? nodes[seq].parentSeq : 0;
        const GameNode* parent = hasParent ? nodes[parentSeq].node : nullptr;
        depth[seq] = parent ? depth[parentSeq] + 1 : 0;
        putVarint(body, pathLength - depth[seq]);
        pathLength = depth[seq] + 1;

        // The change from the parent's position, word by word.
        const uint8_t* before = (parent ? parent->position : empty).bytes().data();
        const uint8_t* after = node.position.bytes().data();
        change.clear();
        uint64_t hash = parent ? hashes[parentSeq] : sizeHash(width, height);
        for (int p = 0; p < area;) {
            if (p + 8 <= area) {
                uint64_t a, b;
                std::memcpy(&a, before + p, 8);
                std::memcpy(&b, after + p, 8);
                if (a == b) {
                    p += 8;
                    continue;
                }
            }
            const int stop = std::min(area, p + 8);
            for (; p < stop; ++p) {
                if (before[p] == after[p])
                    continue;
                change.emplace_back(p, after[p]);
                if (before[p] == 0) {
                    firstOccupied[size_t(p)] = std::min(firstOccupied[size_t(p)], capped(depth[seq]));
                    if (parent)
                        lastEmpty[size_t(p)] = std::max(lastEmpty[size_t(p)], capped(depth[seq] - 1));
                }
                if (before[p] == 1 || before[p] == 2)
                    hash ^= stoneHash(before[p], p);
                if (after[p] == 1 || after[p] == 2)
                    hash ^= stoneHash(after[p], p);
                if (after[p] == 1)
                    everBlack[size_t(p) / 64] |= uint64_t(1) << (p % 64);
                if (after[p] == 2)
                    everWhite[size_t(p) / 64] |= uint64_t(1) << (p % 64);
            }
        }
        hashes[seq] = hash;
        if (!hasChild[seq])
            for (int p = 0; p < area; ++p)
                if (after[p] == 0)
                    lastEmpty[size_t(p)] = std::max(lastEmpty[size_t(p)], capped(depth[seq]));

        const int colour = node.move.colour == 1 || node.move.colour == 2 ? node.move.colour : 0;
        const bool plain = node.isPlainMove();
        const int32_t point = node.move.point;
        // The usual move: its stone appears and every other change empties a point.
        bool moveAndCaptures = plain && point >= 0 && point < area;
        if (moveAndCaptures) {
            int stones = 0;
            for (const auto& [p, value] : change) {
                if (p == point && value == colour)
                    ++stones;
                else if (value != 0)
                    moveAndCaptures = false;
            }
            moveAndCaptures = moveAndCaptures && stones == 1;
        }
        uint8_t head = static_cast<uint8_t>(colour);
        if (plain)
            head |= kNodePlainMove;
        if (point >= 0)
            head |= kNodeHasPoint;
        if (moveAndCaptures)
            head |= kNodeMoveAndCaptures;
        body.push_back(static_cast<char>(head));
        if (point >= 0)
            putVarint(body, uint64_t(uint32_t(point)));
        if (moveAndCaptures) {
            putVarint(body, change.size() - 1);
            for (const auto& [p, value] : change)
                if (p != point)
                    putVarint(body, uint64_t(p));
        } else {
            putVarint(body, change.size());
            for (const auto& [p, value] : change)
                putVarint(body, uint64_t(p) * 4 + value);
        }

        if (parent && plain && (colour == 1 || colour == 2) && point >= 0 && point <= INT16_MAX) {
            PositionEntry entry;
            entry.hash = hashes[parentSeq];
            entry.game = id;
            entry.parentSeq = parentSeq;
            entry.childSeq = seq;
            entry.point = static_cast<int16_t>(point);
            entry.colour = static_cast<uint8_t>(colour);
            entry.flags = change.empty() ? kSamePosition : 0;
            out.entries.push_back(entry);
        }
    }

    out.game.flags |= kHasDepthBounds;
    if (idsInOrder)
        out.game.flags |= kIdsInTreeOrder;
    out.tree.clear();
    out.tree.reserve(everBlack.size() * 16 + size_t(area) * 2 + body.size() + 16);
    out.tree.append(reinterpret_cast<const char*>(everBlack.data()), everBlack.size() * 8);
    out.tree.append(reinterpret_cast<const char*>(everWhite.data()), everWhite.size() * 8);
    out.tree.append(reinterpret_cast<const char*>(firstOccupied.data()), firstOccupied.size());
    out.tree.append(reinterpret_cast<const char*>(lastEmpty.data()), lastEmpty.size());
    out.tree.resize((out.tree.size() + 7) / 8 * 8, '\0');
    if (!idsInOrder)
        for (const OrderedNode& ordered : nodes)
            putVarint(out.tree, uint64_t(uint32_t(ordered.node->id)));
    out.tree += body;
    out.game.bytes = static_cast<uint32_t>(out.tree.size());
    return out.tree.size() < UINT32_MAX;
}

CompactTreeReader::CompactTreeReader(const uint8_t* data, size_t size, const IndexedGame& game)
    : at_(data),
      end_(data + size),
      nodeCount_(game.nodeCount),
      area_(game.width <= kMaxIndexedSide && game.height <= kMaxIndexedSide ? int(game.width) * int(game.height) : 0),
      idsInOrder_((game.flags & kIdsInTreeOrder) != 0) {
    const size_t words = bitSetWords(area_);
    const size_t bounds = (game.flags & kHasDepthBounds) ? (size_t(area_) * 2 + 7) / 8 * 8 : 0;
    if (area_ <= 0 || size < words * 16 + bounds || reinterpret_cast<uintptr_t>(data) % 8 != 0)
        return;
    everBlack_ = reinterpret_cast<const uint64_t*>(data);
    everWhite_ = everBlack_ + words;
    if (bounds) {
        firstOccupied_ = data + words * 16;
        lastEmpty_ = firstOccupied_ + area_;
    }
    at_ = data + words * 16 + bounds;
    valid_ = true;
}

bool CompactTreeReader::readIds() {
    if (idsRead_)
        return !damaged_;
    idsRead_ = true;
    damaged_ = !valid_;
    if (valid_ && !idsInOrder_) {
        ids_.reserve(std::min<size_t>(nodeCount_, size_t(end_ - at_)));
        for (uint32_t k = 0; k < nodeCount_; ++k) {
            uint64_t id = 0;
            if (!readVarint(id) || id > INT32_MAX) {
                ids_.clear();
                damaged_ = true;
                break;
            }
            ids_.push_back(static_cast<int32_t>(id));
        }
    }
    return !damaged_;
}

int32_t CompactTreeReader::nodeId(uint32_t seq) {
    if (seq >= nodeCount_ || !readIds())
        return -1;
    return idsInOrder_ ? static_cast<int32_t>(seq) : ids_[seq];
}

bool CompactTreeReader::readVarint(uint64_t& value) {
    value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        if (at_ >= end_)
            return false;
        const uint8_t byte = *at_++;
        value |= uint64_t(byte & 0x7F) << shift;
        if (!(byte & 0x80))
            return true;
    }
    return false;
}

bool CompactTreeReader::next(CompactNode& node) {
    if (!readIds() || read_ >= nodeCount_)
        return false;
    damaged_ = true;  // until the node is read whole
    uint64_t pop = 0, point = 0, count = 0;
    if (!readVarint(pop) || pop > read_ || at_ >= end_)
        return false;
    const uint8_t head = *at_++;
    node.pop = static_cast<uint32_t>(pop);
    node.colour = head & kNodeColourMask;
    node.plainMove = (head & kNodePlainMove) != 0;
    node.point = -1;
    if ((head & kNodeHasPoint) && (!readVarint(point) || point > INT32_MAX))
        return false;
    if (head & kNodeHasPoint)
        node.point = static_cast<int32_t>(point);
    if (!readVarint(count) || count > uint64_t(area_))
        return false;
    node.change.clear();
    if (head & kNodeMoveAndCaptures) {
        if (node.point < 0 || node.point >= area_)
            return false;
        node.change.emplace_back(node.point, node.colour);
        for (uint64_t k = 0; k < count; ++k) {
            uint64_t p = 0;
            if (!readVarint(p) || p >= uint64_t(area_))
                return false;
            node.change.emplace_back(static_cast<int32_t>(p), 0);
        }
    } else {
        for (uint64_t k = 0; k < count; ++k) {
            uint64_t code = 0;
            if (!readVarint(code) || code / 4 >= uint64_t(area_))
                return false;
            node.change.emplace_back(static_cast<int32_t>(code / 4), static_cast<uint8_t>(code % 4));
        }
    }
    ++read_;
    damaged_ = false;
    return true;
}

}  // namespace tessera
