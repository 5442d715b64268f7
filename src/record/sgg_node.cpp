#include "record/sgg_node.h"

#include <cstring>

namespace tessera {

namespace {

enum NodeChunk : uint32_t {
    kLinks = 0,
    kName = 1,
    kFullSetup = 2,
    kMove = 3,
    kMoveTag = 4,
    kEvaluation = 5,
    kAddBlack = 6,
    kAddWhite = 7,
    kClearPoints = 8,
    kMarks = 9,
    kLabels = 10,
    kDrawRecords = 11,
    kComments = 12,
    kMask = 13,
    kSideToMove = 14,
};

constexpr uint32_t kMarkBytes = 6;
constexpr uint32_t kLabelBytes = 13;
constexpr uint32_t kLabelTextBytes = 5;
constexpr uint32_t kDrawRecordBytes = 20;
constexpr double kDefaultEvaluation = 0.5;

uint64_t listBytes(size_t count, uint64_t itemBytes) { return 4 + itemBytes * count; }

bool readLabel(ByteStream& in, Label& label) {
    char text[kLabelTextBytes] = {};
    if (!readI32(in, label.point) || !readU32(in, label.colour) || !in.read(text, kLabelTextBytes))
        return false;
    label.text = fromStoredText(std::string(text, strnlen(text, Label::kMaxLabelBytes)));
    return true;
}

}  // namespace

NodeObject::NodeObject(GameNode& target) : target_(&target) {}

NodeObject::NodeObject(const GameNode& source, uint8_t storedSideToMove)
    : source_(&source), storedSideToMove_(storedSideToMove) {
    name_ = toStoredText(source.name);
    if (name_.size() > kMaxTextBytes)
        prepareError_ = "the name of node " + std::to_string(source.id) + " is longer than 65535 bytes";
    for (const Label& label : source.labels) {
        labelTexts_.push_back(toStoredText(label.text));
        if (labelTexts_.back().size() > Label::kMaxLabelBytes)
            prepareError_ = "a label of node " + std::to_string(source.id) + " is longer than 4 bytes";
    }
    for (const Comment& comment : source.comments) {
        commentTexts_.emplace_back(toStoredText(comment.title), toStoredText(comment.body));
        if (commentTexts_.back().first.size() > kMaxTextBytes || commentTexts_.back().second.size() > kMaxTextBytes)
            prepareError_ = "a comment of node " + std::to_string(source.id) + " is longer than 65535 bytes";
    }
    if (source.move.colour > 0xFF || source.move.point < INT16_MIN || source.move.point > INT16_MAX)
        prepareError_ = "the move of node " + std::to_string(source.id) + " cannot be stored";
}

bool NodeObject::listChunks(ChunkDirectory& directory, std::string& reason) const {
    if (!source_) {
        reason = "a node being read cannot be written";
        return false;
    }
    if (!prepareError_.empty()) {
        reason = prepareError_;
        return false;
    }
    const GameNode& node = *source_;
    auto add = [&](uint32_t type, uint64_t size) { directory.push_back({type, 0, static_cast<uint32_t>(size)}); };
    add(kLinks, 8 + listBytes(node.childIds.size(), 4));
    if (!node.name.empty())
        add(kName, 2 + name_.size());
    if (node.fullSetup != 0)
        add(kFullSetup, 4);
    if (node.move.colour != 0 || node.move.point != -1)
        add(kMove, 3);
    if (node.moveTag != 0)
        add(kMoveTag, 4);
    if (node.evaluation != kDefaultEvaluation)
        add(kEvaluation, 8);
    if (!node.addBlack.empty())
        add(kAddBlack, listBytes(node.addBlack.size(), 4));
    if (!node.addWhite.empty())
        add(kAddWhite, listBytes(node.addWhite.size(), 4));
    if (!node.clearPoints.empty())
        add(kClearPoints, listBytes(node.clearPoints.size(), 4));
    if (!node.marks.empty())
        add(kMarks, listBytes(node.marks.size(), kMarkBytes));
    if (!node.labels.empty())
        add(kLabels, listBytes(node.labels.size(), kLabelBytes));
    if (!node.drawRecords.empty())
        add(kDrawRecords, listBytes(node.drawRecords.size(), kDrawRecordBytes));
    if (!node.comments.empty()) {
        uint64_t size = 4;
        for (const auto& [title, body] : commentTexts_)
            size += 4 + title.size() + body.size();
        add(kComments, size);
    }
    if (node.hasMask != 0)
        add(kMask, 4 + listBytes(node.maskPoints.size(), 4));
    if (storedSideToMove_ != 0)
        add(kSideToMove, 1);
    return true;
}

bool NodeObject::writeChunk(ByteStream& out, const ChunkEntry& entry) const {
    const GameNode& node = *source_;
    switch (entry.type) {
        case kLinks:
            return writeU32(out, static_cast<uint32_t>(node.id)) &&
                   writeU32(out, static_cast<uint32_t>(node.parentId)) && writePointList(out, node.childIds);
        case kName:
            return writeEncodedText(out, name_);
        case kFullSetup:
            return writeU32(out, node.fullSetup);
        case kMove:
            return writeU8(out, static_cast<uint8_t>(node.move.colour)) &&
                   writeU16(out, static_cast<uint16_t>(static_cast<int16_t>(node.move.point)));
        case kMoveTag:
            return writeU32(out, node.moveTag);
        case kEvaluation:
            return writeF64(out, node.evaluation);
        case kAddBlack:
            return writePointList(out, node.addBlack);
        case kAddWhite:
            return writePointList(out, node.addWhite);
        case kClearPoints:
            return writePointList(out, node.clearPoints);
        case kMarks:
            if (!writeU32(out, static_cast<uint32_t>(node.marks.size())))
                return false;
            for (const Mark& mark : node.marks)
                if (!writeU16(out, static_cast<uint16_t>(mark.kind)) ||
                    !writeU32(out, static_cast<uint32_t>(mark.point)))
                    return false;
            return true;
        case kLabels:
            if (!writeU32(out, static_cast<uint32_t>(node.labels.size())))
                return false;
            for (size_t i = 0; i < node.labels.size(); ++i) {
                char text[kLabelTextBytes] = {};
                std::memcpy(text, labelTexts_[i].data(), labelTexts_[i].size());  // at most 4 bytes, checked
                if (!writeU32(out, static_cast<uint32_t>(node.labels[i].point)) ||
                    !writeU32(out, node.labels[i].colour) || !out.write(text, kLabelTextBytes))
                    return false;
            }
            return true;
        case kDrawRecords:
            if (!writeU32(out, static_cast<uint32_t>(node.drawRecords.size())))
                return false;
            for (const DrawRecord& record : node.drawRecords)
                for (int32_t word : record)
                    if (!writeU32(out, static_cast<uint32_t>(word)))
                        return false;
            return true;
        case kComments:
            if (!writeU32(out, static_cast<uint32_t>(commentTexts_.size())))
                return false;
            for (const auto& [title, body] : commentTexts_)
                if (!writeEncodedText(out, title) || !writeEncodedText(out, body))
                    return false;
            return true;
        case kMask:
            return writeU32(out, node.hasMask) && writePointList(out, node.maskPoints);
        case kSideToMove:
            return writeU8(out, storedSideToMove_);
        default:
            return out.fail("a node has no chunk " + std::to_string(entry.type));
    }
}

bool NodeObject::readChunk(ByteStream& in, const ChunkEntry& entry) {
    if (!target_)
        return in.fail("a node being written cannot be read");
    GameNode& node = *target_;
    switch (entry.type) {
        case kLinks:
            return readI32(in, node.id) && readI32(in, node.parentId) && readPointList(in, node.childIds);
        case kName:
            return readText(in, node.name);
        case kFullSetup:
            return readU32(in, node.fullSetup);
        case kMove: {
            uint8_t colour = 0;
            int16_t point = -1;
            if (!readU8(in, colour) || !readI16(in, point))
                return false;
            node.move.colour = colour;
            node.move.point = point;
            return true;
        }
        case kMoveTag:
            return readU32(in, node.moveTag);
        case kEvaluation:
            return readF64(in, node.evaluation);
        case kAddBlack:
            return readPointList(in, node.addBlack);
        case kAddWhite:
            return readPointList(in, node.addWhite);
        case kClearPoints:
            return readPointList(in, node.clearPoints);
        case kMarks: {
            uint32_t count = 0;
            if (!readCount(in, count, kMarkBytes))
                return false;
            node.marks.assign(count, Mark{});
            for (Mark& mark : node.marks)
                if (!readI16(in, mark.kind) || !readI32(in, mark.point))
                    return false;
            return true;
        }
        case kLabels: {
            uint32_t count = 0;
            if (!readCount(in, count, kLabelBytes))
                return false;
            node.labels.clear();
            node.labels.reserve(count);
            for (uint32_t i = 0; i < count; ++i) {
                Label label;
                if (!readLabel(in, label))
                    return false;
                // Bytes that are not GB18030 decode to replacement characters that could no
                // longer be stored in 4 bytes; such a label is dropped like any over-long one.
                if (toStoredText(label.text).size() <= Label::kMaxLabelBytes)
                    node.labels.push_back(std::move(label));
            }
            return true;
        }
        case kDrawRecords: {
            uint32_t count = 0;
            if (!readCount(in, count, kDrawRecordBytes))
                return false;
            node.drawRecords.assign(count, DrawRecord{});
            for (DrawRecord& record : node.drawRecords)
                for (int32_t& word : record)
                    if (!readI32(in, word))
                        return false;
            return true;
        }
        case kComments: {
            uint32_t count = 0;
            if (!readCount(in, count, 4))
                return false;
            node.comments.clear();
            node.comments.reserve(count);
            for (uint32_t i = 0; i < count; ++i) {
                Comment comment;
                if (!readText(in, comment.title) || !readText(in, comment.body))
                    return false;
                node.comments.push_back(std::move(comment));
            }
            return true;
        }
        case kMask:
            return readU32(in, node.hasMask) && readPointList(in, node.maskPoints);
        case kSideToMove:
            return readU8(in, node.sideToMove);
        default:
            return in.fail("unknown node chunk " + std::to_string(entry.type));
    }
}

bool writeNodeForm(const GameNode& node, std::string& bytes, std::string& error) {
    return writeChunkedBytes(NodeObject(node, node.sideToMove), bytes, error);
}

bool readNodeForm(const std::string& bytes, GameNode& node, std::string& error) {
    node.reset();
    NodeObject object(node);
    return readChunkedBytes(object, bytes, error);
}

}  // namespace tessera
