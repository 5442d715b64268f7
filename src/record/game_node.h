#pragma once
// One scene of a game record: at most one move, setup stones, markup, labels, comments,
// an evaluation, a move tag, and the whole position that results (derived, never read
// from a file). Nodes do not point at each other: they carry their own id, their parent's
// id and their children's ids; the GameTree maps ids to nodes.

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "go/board_grid.h"

namespace tessera {

// Markup kinds: 0 circle, 1 cross, 2 square, 3 triangle, 4 dead stone;
// 5 and 6 (counted for black / white) exist only in the board view during a count.
enum MarkKind : int16_t {
    kMarkCircle = 0,
    kMarkCross = 1,
    kMarkSquare = 2,
    kMarkTriangle = 3,
    kMarkDead = 4,
    kMarkBlackArea = 5,
    kMarkWhiteArea = 6,
};

struct Mark {
    int16_t kind = kMarkCircle;
    int32_t point = -1;
    bool operator==(const Mark&) const = default;
};

// A text label on a point. Its text holds at most kMaxLabelBytes bytes in the GB18030
// form in which files store it.
struct Label {
    static constexpr size_t kMaxLabelBytes = 4;
    int32_t point = -1;
    uint32_t colour = 0;  // 0x00BBGGRR, 0 = black
    std::string text;     // UTF-8
    bool operator==(const Label&) const = default;
};

// A five-word record carried through unchanged with its node.
using DrawRecord = std::array<int32_t, 5>;

// A comment: a title and a body. The body of the first pair is the node's comment (SGF "C").
struct Comment {
    std::string title;
    std::string body;
    bool operator==(const Comment&) const = default;
};

// Move tags: 0 none, 1-16 the texts of moveTagText().
constexpr uint32_t kMoveTagCount = 17;
constexpr uint32_t kMoveTagDoubtful = 5;  // "疑问手" (SGF DO)
constexpr uint32_t kMoveTagBadMove = 9;   // "坏手" (SGF BM)
constexpr uint32_t kMoveTagCorrect = 14;  // "正解"
constexpr uint32_t kMoveTagWrong = 15;    // "错解"
constexpr uint32_t kMoveTagTesuji = 16;   // "手筋" (SGF TE)

// The display text of a move tag (0-16), translated; the text of tag 0 for anything else.
std::string moveTagText(uint32_t tag);
// The display text of an evaluation entry 0-10 ("白赢" .. "黑赢"), translated.
std::string evaluationText(int index);
// The drop-down entry of an evaluation: evaluation * 10 truncated towards zero, clamped to 0-10.
int evaluationIndex(double evaluation);

struct GameNode {
    int32_t id = -1;                      // unique in the tree; -1 = not yet assigned
    std::string name;                     // shown in the variation tree
    uint32_t fullSetup = 0;               // 1 = the position is exactly the setup stones
    Move move;                            // this node's move (a pass or nothing when point is -1)
    PointList captured;                   // stones removed by move (derived)
    uint32_t moveTag = 0;                 // index of moveTagText()
    double evaluation = 0.5;              // 0.0 white wins .. 1.0 black wins
    PointList addBlack;                   // setup: points made black
    PointList addWhite;                   // setup: points made white
    PointList clearPoints;                // setup: points made empty
    uint32_t hasMask = 0;                 // 1 = only maskPoints are shown while this node is displayed
    PointList maskPoints;                 // the points that stay shown when hasMask is set
    BoardGrid position;                   // position after this node (derived)
    uint32_t blackCaptured = 0;           // black stones captured so far (derived)
    uint32_t whiteCaptured = 0;           // white stones captured so far (derived)
    uint8_t sideToMove = 0;               // colour to play after this node (1 or 2; 0 = unknown)
    std::vector<Mark> marks;              // board markup
    std::vector<Label> labels;            // text labels
    std::vector<DrawRecord> drawRecords;  // carried through unchanged
    std::vector<Comment> comments;        // the first body is the node's comment
    int32_t parentId = -1;                // -1 = a root
    std::vector<int32_t> childIds;        // the first child is the main line

    // Back to the defaults, except that position keeps its size and only loses its stones.
    void reset();
    // Every field of other, ids and child lists included.
    void copyFrom(const GameNode& other) { *this = other; }
    // The body of the first comment, or empty text.
    std::string comment() const { return comments.empty() ? std::string() : comments.front().body; }
    // Sets the body of the first comment (creating it); an empty text removes a lone untitled comment.
    void setComment(const std::string& body);
    // A stone move with no setup and not a full-setup node.
    bool isPlainMove() const;
    // True when addBlack or addWhite is non-empty.
    bool hasSetup() const { return !addBlack.empty() || !addWhite.empty(); }
    // Adds a label; false (nothing stored) when its text is longer than 4 bytes in GB18030
    // form or the text is empty.
    bool addLabel(const Label& label);
    // The mark of the given kind at point, or nullptr.
    const Mark* findMark(int32_t point, int kind) const;
};

// The length in bytes a text takes in the GB18030 form that files store.
size_t gbByteLength(const std::string& utf8);

}  // namespace tessera
