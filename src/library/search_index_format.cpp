#include "library/search_index_format.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

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

constexpr int kMaxIndexedSide = 255;

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

bool encodeGame(int32_t id, const GameRecord& record, EncodedGame& out) {
    const BoardGeometry board = record.geometry();
    const int width = board.width();
    const int height = board.height();
    if (width > kMaxIndexedSide || height > kMaxIndexedSide)
        return false;
    const int area = width * height;
    const std::vector<const GameNode*> nodes = nodesInTreeOrder(record.tree);
    if (nodes.size() != record.tree.size() || nodes.size() > UINT32_MAX / 2)
        return false;
    for (const GameNode* node : nodes)
        if (!node->position.isUsable() || node->position.width() != width || node->position.height() != height)
            return false;

    out.game = IndexedGame{};
    out.game.id = id;
    out.game.width = static_cast<uint16_t>(width);
    out.game.height = static_cast<uint16_t>(height);
    out.game.nodeCount = static_cast<uint32_t>(nodes.size());
    out.entries.clear();
    std::string body;
    body.reserve(nodes.size() * 6);

    std::vector<uint64_t> everBlack(bitSetWords(area)), everWhite(bitSetWords(area));
    std::unordered_map<int32_t, uint32_t> seqOfId;
    seqOfId.reserve(nodes.size());
    bool idsInOrder = true;
    for (uint32_t seq = 0; seq < nodes.size(); ++seq) {
        seqOfId.emplace(nodes[seq]->id, seq);
        idsInOrder = idsInOrder && nodes[seq]->id == static_cast<int32_t>(seq);
    }

    const BoardGrid empty(width, height);
    std::vector<uint64_t> hashes(nodes.size());
    std::vector<uint32_t> depth(nodes.size());
    std::vector<std::pair<int32_t, uint8_t>> change;
    uint32_t pathLength = 0;
    for (uint32_t seq = 0; seq < nodes.size(); ++seq) {
        const GameNode& node = *nodes[seq];
        const GameNode* parent = node.parentId >= 0 ? record.tree.find(node.parentId) : nullptr;
        const uint32_t parentSeq = parent ? seqOfId.at(parent->id) : 0;
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

    if (idsInOrder)
        out.game.flags |= kIdsInTreeOrder;
    out.tree.clear();
    out.tree.reserve(everBlack.size() * 16 + body.size() + 8);
    out.tree.append(reinterpret_cast<const char*>(everBlack.data()), everBlack.size() * 8);
    out.tree.append(reinterpret_cast<const char*>(everWhite.data()), everWhite.size() * 8);
    if (!idsInOrder)
        for (const GameNode* node : nodes)
            putVarint(out.tree, uint64_t(uint32_t(node->id)));
    out.tree += body;
    out.game.bytes = static_cast<uint32_t>(out.tree.size());
    return out.tree.size() < UINT32_MAX;
}

CompactTreeReader::CompactTreeReader(const uint8_t* data, size_t size, const IndexedGame& game)
    : at_(data), end_(data + size), nodeCount_(game.nodeCount), area_(int(game.width) * int(game.height)) {
    const size_t words = bitSetWords(area_);
    if (area_ <= 0 || size < words * 16 || reinterpret_cast<uintptr_t>(data) % 8 != 0)
        return;
    everBlack_ = reinterpret_cast<const uint64_t*>(data);
    everWhite_ = everBlack_ + words;
    at_ = data + words * 16;
    if (!(game.flags & kIdsInTreeOrder)) {
        ids_.reserve(std::min<size_t>(nodeCount_, size));
        for (uint32_t k = 0; k < nodeCount_; ++k) {
            uint64_t id = 0;
            if (!readVarint(id) || id > INT32_MAX)
                return;
            ids_.push_back(static_cast<int32_t>(id));
        }
    }
    valid_ = true;
}

int32_t CompactTreeReader::nodeId(uint32_t seq) const {
    if (seq >= nodeCount_)
        return -1;
    return ids_.empty() ? static_cast<int32_t>(seq) : ids_[seq];
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
    if (!valid_ || read_ >= nodeCount_)
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
