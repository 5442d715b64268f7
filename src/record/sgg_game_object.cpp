#include "record/sgg_game_object.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <unordered_set>
#include <variant>

#include "record/sgg_node.h"

namespace tessera {

namespace {

enum GameChunk : uint32_t { kInfoChunk = 0, kTagsChunk = 1, kNodesChunk = 2 };

// GameInfo fields in chunk order; the member's type decides its encoding (int32 as u32,
// int16 as u16, double as f64, text as text).
using InfoField = std::variant<int32_t GameInfo::*, int16_t GameInfo::*, double GameInfo::*, std::string GameInfo::*>;
const std::array<InfoField, GameInfo::kFieldCount> kInfoFields = {
    &GameInfo::libraryId, &GameInfo::langType,   &GameInfo::appType,    &GameInfo::boardWidth, &GameInfo::boardHeight,
    &GameInfo::event,     &GameInfo::eventLevel, &GameInfo::gameName,   &GameInfo::date,       &GameInfo::place,
    &GameInfo::mediaType, &GameInfo::timeLimit,  &GameInfo::rulesText,  &GameInfo::ruleType,   &GameInfo::komi,
    &GameInfo::handicap,  &GameInfo::blackName,  &GameInfo::blackRank,  &GameInfo::blackKind,  &GameInfo::whiteName,
    &GameInfo::whiteRank, &GameInfo::whiteKind,  &GameInfo::resultText, &GameInfo::resultType, &GameInfo::totalMoves,
    &GameInfo::writer,    &GameInfo::source,
};

class InfoObject : public ChunkedObject {
public:
    explicit InfoObject(GameInfo& target) : target_(&target) {}
    explicit InfoObject(const GameInfo& source) : source_(&source) {
        for (size_t k = 0; k < kInfoFields.size(); ++k)
            if (auto text = std::get_if<std::string GameInfo::*>(&kInfoFields[k]))
                encoded_[k] = toStoredText(source.**text);
    }

    bool listChunks(ChunkDirectory& directory, std::string& reason) const override {
        static const GameInfo defaults;
        for (uint32_t k = 0; k < kInfoFields.size(); ++k) {
            const auto size = std::visit(
                [&](auto member) -> uint64_t {
                    using Value = std::remove_cvref_t<decltype(source_->*member)>;
                    if (source_->*member == defaults.*member)
                        return 0;
                    if constexpr (std::is_same_v<Value, std::string>)
                        return 2 + encoded_[k].size();
                    else if constexpr (std::is_same_v<Value, int16_t>)
                        return 2;
                    else
                        return sizeof(Value);
                },
                kInfoFields[k]);
            if (size > 2 + kMaxTextBytes) {
                reason = "a text of the game information is longer than 65535 bytes";
                return false;
            }
            if (size)
                directory.push_back({k, 0, static_cast<uint32_t>(size)});
        }
        return true;
    }

    bool writeChunk(ByteStream& out, const ChunkEntry& entry) const override {
        return std::visit(
            [&](auto member) {
                const auto& value = source_->*member;
                using Value = std::remove_cvref_t<decltype(value)>;
                if constexpr (std::is_same_v<Value, std::string>)
                    return writeEncodedText(out, encoded_[entry.type]);
                else if constexpr (std::is_same_v<Value, int16_t>)
                    return writeU16(out, static_cast<uint16_t>(value));
                else if constexpr (std::is_same_v<Value, int32_t>)
                    return writeU32(out, static_cast<uint32_t>(value));
                else
                    return writeF64(out, value);
            },
            kInfoFields[entry.type]);
    }

    bool readChunk(ByteStream& in, const ChunkEntry& entry) override {
        if (entry.type >= kInfoFields.size())
            return in.fail("unknown game information chunk " + std::to_string(entry.type));
        return std::visit(
            [&](auto member) {
                auto& value = target_->*member;
                using Value = std::remove_cvref_t<decltype(value)>;
                if constexpr (std::is_same_v<Value, std::string>)
                    return readText(in, value);
                else if constexpr (std::is_same_v<Value, int16_t>)
                    return readI16(in, value);
                else if constexpr (std::is_same_v<Value, int32_t>)
                    return readI32(in, value);
                else
                    return readF64(in, value);
            },
            kInfoFields[entry.type]);
    }

private:
    GameInfo* target_ = nullptr;
    const GameInfo* source_ = nullptr;
    std::array<std::string, GameInfo::kFieldCount> encoded_;
};

class TagListObject : public ChunkedObject {
public:
    static constexpr uint32_t kTagBytes = 14;  // three u32 and an empty text

    explicit TagListObject(std::vector<RecordTag>& target) : target_(&target) {}
    explicit TagListObject(const std::vector<RecordTag>& source) : source_(&source) {
        for (const RecordTag& tag : source)
            encoded_.push_back(toStoredText(tag.text));
    }

    bool listChunks(ChunkDirectory& directory, std::string& reason) const override {
        uint64_t size = 4;
        for (const std::string& text : encoded_) {
            if (text.size() > kMaxTextBytes) {
                reason = "a tag text is longer than 65535 bytes";
                return false;
            }
            size += kTagBytes + text.size();
        }
        if (size > UINT32_MAX) {
            reason = "the tag list is larger than 4 GB";
            return false;
        }
        directory.push_back({0, 0, static_cast<uint32_t>(size)});
        return true;
    }

    bool writeChunk(ByteStream& out, const ChunkEntry&) const override {
        if (!writeU32(out, static_cast<uint32_t>(source_->size())))
            return false;
        for (size_t i = 0; i < source_->size(); ++i) {
            const RecordTag& tag = (*source_)[i];
            if (!writeU32(out, static_cast<uint32_t>(tag.id)) || !writeU32(out, static_cast<uint32_t>(tag.type)) ||
                !writeU32(out, static_cast<uint32_t>(tag.scene)) || !writeEncodedText(out, encoded_[i]))
                return false;
        }
        return true;
    }

    bool readChunk(ByteStream& in, const ChunkEntry& entry) override {
        if (entry.type != 0)
            return in.fail("unknown tag list chunk " + std::to_string(entry.type));
        uint32_t count = 0;
        if (!readCount(in, count, kTagBytes))
            return false;
        target_->clear();
        target_->reserve(count);
        for (uint32_t i = 0; i < count; ++i) {
            RecordTag tag;
            if (!readI32(in, tag.id) || !readI32(in, tag.type) || !readI32(in, tag.scene) || !readText(in, tag.text))
                return false;
            target_->push_back(std::move(tag));
        }
        return true;
    }

private:
    std::vector<RecordTag>* target_ = nullptr;
    const std::vector<RecordTag>* source_ = nullptr;
    std::vector<std::string> encoded_;
};

// Parent links that form a loop (a node its own ancestor) are cut: the loop's node with the
// smallest id becomes a root, so every node stays in the tree and no walk can circle.
void breakParentLoops(GameTree& tree) {
    enum : uint8_t { kUnseen, kOnPath, kDone };
    std::unordered_map<int32_t, uint8_t> state;
    state.reserve(tree.size());
    std::vector<GameNode*> path;
    for (const auto& start : tree.nodes()) {
        path.clear();
        GameNode* at = start.get();
        while (at && state[at->id] == kUnseen) {
            state[at->id] = kOnPath;
            path.push_back(at);
            at = tree.find(at->parentId);
        }
        if (at && state[at->id] == kOnPath) {
            // The loop runs from `at` to the end of the path.
            GameNode* cut = at;
            for (auto it = std::find(path.begin(), path.end(), at); it != path.end(); ++it)
                if ((*it)->id < cut->id)
                    cut = *it;
            cut->parentId = -1;
        }
        for (GameNode* node : path)
            state[node->id] = kDone;
    }
}

// A node whose parent id names no node (or itself) becomes the last child of the first root;
// when no root is left, the first such node becomes the root. Returns how many were moved.
size_t adoptOrphans(GameTree& tree) {
    std::vector<GameNode*> orphans;
    for (const auto& node : tree.nodes())
        if (node->parentId >= 0 && (node->parentId == node->id || !tree.find(node->parentId)))
            orphans.push_back(node.get());
    if (orphans.empty())
        return 0;
    GameNode* root = tree.root();
    if (!root) {
        root = orphans.front();
        root->parentId = -1;
    }
    for (GameNode* orphan : orphans)
        if (orphan != root)
            orphan->parentId = root->id;
    return orphans.size();
}

// Makes the tree's links consistent after reading: no parent loops, no dangling parent; a
// listed child must exist, name this node as its parent and appear once; a node whose parent
// exists but does not list it becomes that parent's last child (in id order), as it would on
// insertion. Linear in the number of nodes and links. Notes each kind of repair in repairs.
void repairTreeLinks(GameTree& tree, std::vector<std::string>& repairs) {
    breakParentLoops(tree);
    if (const size_t orphans = adoptOrphans(tree))
        repairs.push_back(std::to_string(orphans) +
                          " node(s) named a parent that does not exist; they now hang below the root");
    // A valid link appears only in the list of the parent the child names, so one set of
    // listed ids finds duplicates and, afterwards, the children no list names.
    std::unordered_set<int32_t> listed;
    listed.reserve(tree.size());
    for (const auto& node : tree.nodes()) {
        auto& children = node->childIds;
        children.erase(std::remove_if(children.begin(), children.end(),
                                      [&](int32_t id) {
                                          const GameNode* child = tree.find(id);
                                          return !child || child == node.get() || child->parentId != node->id ||
                                                 !listed.insert(id).second;
                                      }),
                       children.end());
    }
    for (const auto& node : tree.nodes()) {
        GameNode* parent = tree.find(node->parentId);
        if (parent && parent != node.get() && !listed.count(node->id))
            parent->childIds.push_back(node->id);
    }
}

// Ids this large leave too little room for the nodes the user adds (the next id is the
// largest plus one): such a tree is renumbered 0, 1, ... in id order, links and tags alike.
constexpr int32_t kRenumberAboveId = INT32_MAX / 2;

void renumberIfNeeded(GameRecord& record) {
    GameTree& tree = record.tree;
    if (tree.largestId() <= kRenumberAboveId)
        return;
    std::vector<const GameNode*> sorted;
    sorted.reserve(tree.size());
    for (const auto& node : tree.nodes())
        sorted.push_back(node.get());
    std::sort(sorted.begin(), sorted.end(), [](const GameNode* a, const GameNode* b) { return a->id < b->id; });
    std::unordered_map<int32_t, int32_t> newId;
    newId.reserve(sorted.size());
    for (size_t i = 0; i < sorted.size(); ++i)
        newId[sorted[i]->id] = static_cast<int32_t>(i);
    auto map = [&](int32_t id) {
        auto it = newId.find(id);
        return it == newId.end() ? id : it->second;
    };
    GameTree renumbered;
    for (const auto& node : tree.nodes()) {
        GameNode copy = *node;
        copy.id = map(copy.id);
        copy.parentId = copy.parentId < 0 ? -1 : map(copy.parentId);
        for (int32_t& child : copy.childIds)
            child = map(child);
        renumbered.addNode(std::move(copy), false);
    }
    for (RecordTag& tag : record.tags)
        if (tag.scene >= 0)
            tag.scene = map(tag.scene);
    record.repairs.push_back("node ids up to " + std::to_string(tree.largestId()) + " were renumbered from 0");
    tree = std::move(renumbered);
}

class NodeListObject : public ChunkedObject {
public:
    // Reading: info (read before the nodes) gives the board size for the memory budget.
    NodeListObject(GameTree& target, const GameInfo& info) : target_(&target), info_(&info) {}
    explicit NodeListObject(const GameTree& source) {
        std::vector<const GameNode*> sorted;
        sorted.reserve(source.size());
        for (const auto& node : source.nodes())
            sorted.push_back(node.get());
        std::sort(sorted.begin(), sorted.end(), [](const GameNode* a, const GameNode* b) { return a->id < b->id; });
        nodes_.reserve(sorted.size());
        for (const GameNode* node : sorted)
            nodes_.emplace_back(*node, storedSideToMove(source, *node));
        ids_.reserve(sorted.size());
        for (const GameNode* node : sorted)
            ids_.push_back(node->id);
    }

    bool listChunks(ChunkDirectory& directory, std::string& reason) const override {
        directory.reserve(nodes_.size());
        for (size_t i = 0; i < nodes_.size(); ++i) {
            if (ids_[i] < 0) {
                reason = "a node has no id";
                return false;
            }
            uint64_t size = 0;
            if (!measureChunked(nodes_[i], size, reason))
                return false;
            directory.push_back({static_cast<uint32_t>(ids_[i]), 0, static_cast<uint32_t>(size)});
        }
        return true;
    }

    bool writeChunk(ByteStream& out, const ChunkEntry& entry) const override {
        auto it = std::lower_bound(ids_.begin(), ids_.end(), static_cast<int32_t>(entry.type));
        if (it == ids_.end() || *it != static_cast<int32_t>(entry.type))
            return out.fail("node " + std::to_string(entry.type) + " is missing");
        return writeChunked(nodes_[static_cast<size_t>(it - ids_.begin())], out, entry.offset, entry.size);
    }

    bool readChunk(ByteStream& in, const ChunkEntry& entry) override {
        // Each node will hold a whole position: refuse before the tree outgrows the budget.
        const auto area = static_cast<size_t>(BoardGeometry(info_->boardWidth, info_->boardHeight).area());
        if ((target_->size() + 1) * area > kMaxRecordPositionBytes)
            return in.fail("the record has too many nodes for its board size");
        GameNode node;
        NodeObject object(node);
        if (!readChunked(object, in, entry.offset))
            return false;
        // Entry types are ascending and each must be its node's id, so ids are unique.
        if (node.id < 0 || static_cast<uint32_t>(node.id) != entry.type)
            return in.fail("node chunk " + std::to_string(entry.type) + " holds node id " + std::to_string(node.id));
        if (!target_->addNode(std::move(node), false))
            return in.fail("node id " + std::to_string(entry.type) + " appears twice");
        return true;
    }

private:
    GameTree* target_ = nullptr;
    const GameInfo* info_ = nullptr;
    std::vector<NodeObject> nodes_;  // writing: one per node, ascending id
    std::vector<int32_t> ids_;       // the ids of nodes_
};

}  // namespace

uint8_t storedSideToMove(const GameTree& tree, const GameNode& node) {
    if (node.move.isStoneMove())
        return 0;  // the move decides it
    if (node.sideToMove != kBlack && node.sideToMove != kWhite)
        return 0;  // repaired on reading whatever is stored
    uint8_t derived = kBlack;
    for (int32_t childId : node.childIds) {
        const GameNode* child = tree.find(childId);
        if (child && child->move.isStoneMove()) {
            derived = static_cast<uint8_t>(child->move.colour);
            break;
        }
    }
    return node.sideToMove == derived ? 0 : node.sideToMove;
}

struct GameObject::Parts {
    InfoObject info;
    TagListObject tags;
    NodeListObject nodes;
};

GameObject::GameObject(GameRecord* target)
    : target_(target),
      parts_(new Parts{InfoObject(target->info), TagListObject(target->tags),
                       NodeListObject(target->tree, target->info)}) {}

GameObject::GameObject(const GameRecord& source)
    : parts_(new Parts{InfoObject(source.info), TagListObject(source.tags), NodeListObject(source.tree)}) {}

GameObject::~GameObject() = default;

bool GameObject::listChunks(ChunkDirectory& directory, std::string& reason) const {
    const ChunkedObject* parts[] = {&parts_->info, &parts_->tags, &parts_->nodes};
    for (uint32_t type = kInfoChunk; type <= kNodesChunk; ++type) {
        uint64_t size = 0;
        if (!measureChunked(*parts[type], size, reason))
            return false;
        directory.push_back({type, 0, static_cast<uint32_t>(size)});
    }
    return true;
}

bool GameObject::writeChunk(ByteStream& out, const ChunkEntry& entry) const {
    const ChunkedObject* parts[] = {&parts_->info, &parts_->tags, &parts_->nodes};
    if (entry.type > kNodesChunk)
        return out.fail("a game has no chunk " + std::to_string(entry.type));
    return writeChunked(*parts[entry.type], out, entry.offset, entry.size);
}

bool GameObject::readChunk(ByteStream& in, const ChunkEntry& entry) {
    ChunkedObject* parts[] = {&parts_->info, &parts_->tags, &parts_->nodes};
    if (entry.type > kNodesChunk)
        return in.fail("unknown game chunk " + std::to_string(entry.type));
    if (!readChunked(*parts[entry.type], in, entry.offset))
        return false;
    if (entry.type == kNodesChunk) {
        repairTreeLinks(target_->tree, target_->repairs);
        renumberIfNeeded(*target_);
    }
    return true;
}

}  // namespace tessera
