#pragma once
// One open game ("棋室"): a record, a cursor on its game tree, what the board shows, and the
// modes that decide what a click on the board does. Plain logic: the window that shows the
// room implements RoomHost and its board widget draws display(), the one board display value
// the room edits; menus and toolbars are built from the
// command table of room_commands.h, whose enabled tests are the same ones that guard the
// operations here (an unavailable operation does nothing).
//
// Every cursor move goes through goToNode(), which fills display() from the node (position,
// mask, markup, move numbers, last-move cursor), selects the node's variation-tree item, updates
// the status and comment texts, plays the stone sound and rebuilds the title.
//
// Trial play ("试下") is a state machine on trialActive / trialFirstId: off; on with no line
// (trialFirstId -1, at the base node trialBaseId); on with a line (the first-child line from
// trialFirstId). Ending it removes every node created during it.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "go/counting.h"
#include "record/game_record.h"
#include "room/problem_trainer.h"
#include "room/room_event.h"
#include "room/room_host.h"
#include "room/room_settings.h"
#include "room/variation_tree.h"
#include "stats/hint_report.h"
#include "view/board_display.h"

namespace tessera {

// Room kinds (the numbers are the kinds a room list stores).
enum RoomKind : int32_t {
    kRoomEngineGame = 0,  // playing against the computer
    kRoomLibrary = 2,     // a record opened from the game library
    kRoomStudy = 3,       // free study: a new game or a record opened from a file
    kRoomTraining = 4,    // training from a problem book
};

// What a click on the board does.
enum ClickMode : uint32_t {
    kClickPlay = 0,
    kClickAddBlack = 1,
    kClickAddWhite = 2,
    kClickMask = 3,
    kClickDeadStones = 4,
    kClickNextLetter = 5,
    kClickCircle = 6,
    kClickCross = 7,
    kClickSquare = 8,
    kClickTriangle = 9,
    kClickRemoveMark = 10,
    kClickFreeLabel = 11,
};

// What the player writes on a node besides markup and comment: its name, its move tag
// (0-16, moveTagText) and its evaluation as an entry 0-10 of evaluationText (entry i is i x 0.1).
struct NodeAnnotation {
    std::string name;
    uint32_t moveTag = 0;
    int evaluationEntry = 5;
    bool operator==(const NodeAnnotation&) const = default;
};

// Bits of infoPanels.
constexpr uint32_t kPanelComments = 1;   // comments and node markup
constexpr uint32_t kPanelKnowledge = 2;  // global knowledge information
constexpr uint32_t kPanelGlobalStats = 4;
constexpr uint32_t kPanelLocalStats = 8;

class GameRoom {
public:
    // A free-study room (kind 3) with an empty record and no node; call newGame() or open a
    // record. host may be null (nothing is shown); it must outlive the room.
    explicit GameRoom(RoomHost* host = nullptr, RoomSettings settings = RoomSettings());
    // Stops a running engine game before the queue it posts into goes.
    ~GameRoom();
    GameRoom(const GameRoom&) = delete;
    GameRoom& operator=(const GameRoom&) = delete;

    // ---- seams -------------------------------------------------------------------------
    void setHost(RoomHost* host) { host_ = host; }
    // Converts opened records for the interface language (files and library records).
    void setRecordTranslator(RecordTranslator translator) { translator_ = std::move(translator); }
    // The random source for problem orientation and "随机选择棋谱" (tests make it fixed).
    void setRandomSource(std::function<uint32_t()> random) { random_ = std::move(random); }
    // The settings snapshot; the window may change it (e.g. the global "落子声" switch).
    RoomSettings& settings() { return settings_; }
    const RoomSettings& settings() const { return settings_; }

    // ---- state -------------------------------------------------------------------------
    RoomKind roomKind() const { return roomKind_; }
    const std::filesystem::path& filePath() const { return filePath_; }
    // True when the record differs from what was opened, begun or last saved (the window then
    // shows "*" in the title and asks before the room closes). Edits taken back count as none.
    // The whole record is compared once after each change of its tree or header; typed comments
    // are compared on their own, so a key press in the comment pane costs no whole comparison.
    bool isModified() const;
    // The record as it stands counts as saved.
    void markSaved();
    // Sets the current node's comment (the editable comment pane); false without a node.
    bool setCurrentComment(const std::string& text);
    // The current node's name, move tag and evaluation entry (the defaults without a node).
    NodeAnnotation currentAnnotation() const;
    // Writes them into the current node and rebuilds the variation tree; an evaluation whose
    // entry is unchanged is kept as read. False without a node or with a tag or entry out of range.
    bool annotateCurrentNode(const NodeAnnotation& annotation);
    // The record was saved under another name (a save-as): the title names it from now on.
    void setFilePath(const std::filesystem::path& file) {
        filePath_ = file;
        updateTitle();
    }
    const GameRecord& record() const { return record_; }
    // The record for edits that the command table does not cover (game information dialog).
    // Call recordChanged() afterwards.
    GameRecord& mutableRecord() {
        ++headerEdits_;
        return record_;
    }
    int32_t currentNodeId() const { return currentNodeId_; }
    int32_t previousNodeId() const { return previousNodeId_; }
    // The current node, or nullptr when the record is empty.
    const GameNode* currentNode() const { return record_.tree.find(currentNodeId_); }
    uint32_t moveNumberMode() const { return moveNumberMode_; }
    uint32_t infoPanels() const { return infoPanels_; }
    ClickMode clickMode() const { return clickMode_; }
    bool rectSelect() const { return display_.rectSelect; }
    bool trialActive() const { return trialActive_; }
    int32_t trialBaseId() const { return trialBaseId_; }
    int32_t trialFirstId() const { return trialFirstId_; }
    bool autoReplay() const { return autoReplay_; }
    // The board as shown: position, mask, markup, move numbers, hints, transform, cursor and
    // selection mode. The window's board widget draws this value; only the room changes it.
    const BoardDisplay& display() const { return display_; }
    // Replaces the statistics hints on the board (they stay until replaced).
    void setHints(std::vector<HintMark> hints);
    // Shows the pattern hints of the current node: lettered moves and a note's labels as hint
    // marks, its markup as note marks. The node's own markup stays in the display, so an edit
    // of the markup never stores a hint into the record. Keeps the listed moves.
    void showPatternHints(const HintResult& result);
    // Shows a library search's candidate letters on the board while the room shows position
    // (the searched one), over the statistics hints at the same points; empty hints remove them.
    void setSearchHints(const BoardGrid& position, std::vector<HintMark> hints);
    // The moves listed by the last pattern refresh (the detail window's records).
    const std::vector<HintDetail>& hintDetails() const { return hintDetails_; }
    // Tints the stones of a pattern the record was opened on, laid onto the current position
    // in whichever orientation fits it (fitHighlight). Kept while browsing the record; the next
    // opened record clears it.
    void setHighlight(const BoardGrid& pattern);
    // The variation tree model (rebuilt after every structural change).
    const std::vector<VariationItem>& variationTree() const { return variationTree_; }
    // The last count's "result  margin", empty before any count.
    const std::string& countSummary() const { return countSummary_; }
    // The side to move at the cursor (1 when there is no node or it is unknown).
    int sideToMove() const;
    // True for records whose appType is 2 (tutorial) or 3 (problem set).
    bool isProblemRecord() const { return record_.info.appType == 2 || record_.info.appType == 3; }
    // The room title: "<file> -- <game title> -- 场景:<node>" and the forms for problems and
    // engine games.
    std::string title() const;
    // The frame window's caption: "棋室 <number>( <title> )".
    std::string frameTitle(int roomNumber) const;

    // ---- records -----------------------------------------------------------------------
    // "开始新局(独自摆棋)": a fresh free-study record with an empty board of the settings' size.
    void newGame();
    // Opens a record file chosen by its extension into this room (kind 3). On failure the room
    // is unchanged and error holds the reason. startNode: the node to go to (0 when absent).
    bool openFile(const std::filesystem::path& file, std::string& error, int32_t startNode = 0);
    // The same for a record already read from file (loadRecordFile), so a caller can read
    // before it touches any room.
    void openFileRecord(GameRecord record, const std::filesystem::path& file, int32_t startNode = 0);
    // Shows an already read record (kind 2, 3 or 4; file path may be empty). The record is
    // translated, positions recomputed, a problem gets its random orientation.
    void openRecord(GameRecord record, RoomKind kind, const std::filesystem::path& file = {}, int32_t startNode = 0);
    // A library or training room: the list the record came from and the index to open now
    // (at startNode when that node exists).
    bool openFromLibrary(std::shared_ptr<RoomLibraryList> list, int index, RoomKind kind, std::string& error,
                         int32_t startNode = 0);
    // Position in the library list (-1 when none) and the list.
    int libraryIndex() const { return libraryIndex_; }
    const std::shared_ptr<RoomLibraryList>& libraryList() const { return libraryList_; }
    // The record-list commands ("第一个棋谱" ... "随机选择棋谱").
    bool canOpenFirstRecord() const;
    bool canOpenPreviousRecord() const;
    bool canOpenNextRecord() const;
    bool canOpenLastRecord() const { return canOpenFirstRecord(); }
    bool canOpenRandomRecord() const;
    void openFirstRecord();
    void openPreviousRecord();
    void openNextRecord();
    void openLastRecord();
    void openRandomRecord();
    // The caller edited the record through mutableRecord(): recompute, rebuild, redisplay.
    void recordChanged();

    // ---- navigation --------------------------------------------------------------------
    // Moves the cursor to node id with every display step; false when refused (unknown id, or
    // in trial play the base node or a node off the trial line).
    bool goToNode(int32_t id);
    bool canGoFirst() const;
    bool canGoBack() const;     // goPrev and goBack5
    bool canGoForward() const;  // goNext, goForward5, goLast, goToMoveNumber
    bool canGoComment() const;  // goPrevComment, goNextComment
    bool canGoToMoveNumber() const;
    void goFirst();
    void goBack5();
    void goPrev();
    void goNext();
    void goForward5();
    void goLast();
    void goToMoveNumber(int n);
    // "跳到第N手": asks the host for N, then goToMoveNumber.
    void askMoveNumber();
    void goPrevComment();
    void goNextComment();

    // ---- clicks ------------------------------------------------------------------------
    // A click on game point p (the view's notification 3031), by the click mode.
    void clickPoint(int32_t p);
    // The rectangle selection of the mask tool (the points inside a band dragged on the
    // board): toggles the mask at every listed point.
    void toggleMaskPoints(const PointList& points);
    // A cursor key: moves the board's cursor by columns and rows, each wrapping on its own.
    void moveCursor(int columns, int rows);
    // Selects a click mode; modes other than Mask and DeadStones clear rectSelect.
    void setClickMode(ClickMode mode);
    // "选者矩形区域" (click mode 3 only).
    bool canToggleRectSelect() const { return clickMode_ == kClickMask; }
    void toggleRectSelect();
    // The mouse cursor index (0-11) over the board, or -1 for the platform's default.
    int boardCursorIndex(bool overPoint) const;

    // ---- trial play, undo, side to move ------------------------------------------------
    bool canToggleTrial() const;
    bool canRestartTrial() const { return trialActive_ && trialFirstId_ >= 0; }
    bool canEndTrial() const { return trialActive_; }
    void toggleTrial();
    void restartTrial();
    void endTrial();
    bool canUndoLastMove() const;
    bool canUndoToCurrent() const;
    void undoLastMove();
    void undoToCurrent();
    bool canSetSideToMove() const { return currentNode() != nullptr; }
    void setSideToMove(int colour);

    // ---- auto replay -------------------------------------------------------------------
    bool canStartAutoReplay() const { return roomKind_ != kRoomEngineGame; }
    // Starts auto replay (timer 1, StoneDelay); stops it when it is running.
    void startAutoReplay();
    void stopAutoReplay();
    // One tick of timer 1: next node, or the next library record at the end of a record.
    // Does nothing while a dialog of the room holds the replay.
    void autoReplayTick();
    // While one lives, auto replay keeps the cursor still: a dialog of the room is open and
    // what it edits or shows belongs to the node it was opened on.
    class ReplayHold {
    public:
        explicit ReplayHold(GameRoom& room) : room_(room) { ++room_.replayHolds_; }
        ~ReplayHold() { --room_.replayHolds_; }
        ReplayHold(const ReplayHold&) = delete;
        ReplayHold& operator=(const ReplayHold&) = delete;

    private:
        GameRoom& room_;
    };
    // A timer of the room window fired (1 auto replay, 2 event drain, 3 problem reply).
    void onTimer(int timerId);

    // ---- training on problems (problem records: appType 2 or 3) --------------------------
    // Makes this a training room over list (a problem book's index): kind 4, comments shown
    // and no statistics, a fresh score; opens the first problem with one-person study set to
    // singlePlay. With an empty list only the kind, the panels and the list change. False with
    // the reason when the first problem cannot be read.
    bool startTraining(std::shared_ptr<RoomLibraryList> list, bool singlePlay, std::string& error);
    const ProblemTrainer& trainer() const { return trainer_; }
    // "后退": takes back the last answer and its reply (one move in one-person study).
    void stepBack();
    // "正解": from the root, walks the answer line one node per StoneDelay (timer 4).
    void showAnswer();
    // "重做": back to the problem's start.
    void restartProblem();
    bool answerWalkRunning() const { return answerWalk_; }
    bool oneUserStudy() const { return settings_.oneUserStudy; }
    void toggleHint();               // "提示"
    void toggleOneUserStudy();       // "一人研究"
    void toggleBranches();           // "显示分枝"
    void toggleRandomOrientation();  // "随机坐标变换"

    // ---- edit tools and display ---------------------------------------------------------
    void clearAllMarks();  // "删除所有标记"
    void maskAll();        // "全部掩盖"
    void unmaskAll();      // "全部显示"
    void invertMask();     // "反转掩码"
    void setMoveNumberMode(uint32_t mode);
    void cycleMoveNumberMode();  // "调整显示手数"
    void toggleFlipX();
    void toggleFlipY();
    void toggleTranspose();
    void rotateClockwise();
    void rotateCounterClockwise();
    bool canResetTransform() const { return display_.transformCode() >= 0; }
    void resetTransform();
    // Toggles bit 0-3 of infoPanels and redisplays the node.
    void toggleInfoPanel(int bit);
    // Custom status of a library record (0 unread, 1 read, 2 popular).
    bool canSetCustomStatus() const;
    int customStatus() const;  // -1 when unknown
    void setCustomStatus(int status);
    // "导入棋盘图象": the host's import dialog; the position becomes a full-setup child.
    bool canImportBoardImage() const { return roomKind_ != kRoomEngineGame; }
    void importBoardImage();

    // ---- counting ----------------------------------------------------------------------
    // The rules the shown record is counted under: what its header states (recordRules),
    // the room's own rules for the rest.
    const RuleSettings& rules() const { return rules_; }
    // The rule type and komi to count the shown record under (the rules dialog confirmed).
    void setRules(const RuleSettings& rules) { rules_ = rules; }
    bool canCount() const { return currentNode() != nullptr; }
    // "点算胜负": counts the shown position, shows the report with the ownership marks on the
    // board, then restores the board. Returns the count (counted false when refused).
    CountResult count();
    // The dead-stone marks shown (points carrying mark kind 4).
    PointList deadPoints() const;

    // ---- games against the computer and events -----------------------------------------
    // Makes this a room of kind 0 driven by engineGame (a running one is stopped first);
    // starts the drain timer (2, 100 ms).
    void beginEngineGame(std::shared_ptr<RoomEngineGame> engineGame);
    // Stops the engine game: engine stopped, queue emptied, timer 2 stopped.
    void stopEngineGame();
    // The engine game of a room of kind 0 (null otherwise).
    RoomEngineGame* engineGame() const { return roomKind_ == kRoomEngineGame ? engineGame_.get() : nullptr; }
    // "停一手" and "认输" of the person playing the engine game.
    bool canPassInGame() const { return engineGame() && engineGame()->canPass(); }
    void passInGame() {
        if (canPassInGame())
            engineGame_->pass();
    }
    bool canResignGame() const { return engineGame() && engineGame()->canResign(); }
    void resignGame() {
        if (canResignGame())
            engineGame_->resign();
    }
    // Safe from any thread.
    void postEvent(RoomEvent event) { events_.post(std::move(event)); }
    // Applies the queued events in posting order (timer 2). Returns the number applied.
    int drainEvents();
    // Applies one event now (UI thread).
    void applyEvent(const RoomEvent& event);
    // Plays a stone of the side to move at p as a mode-0 click outside problems would.
    bool playStone(int32_t p);

private:
    void showNode(const GameNode& node);
    void refreshCurrent();
    bool mayAddChild() const;
    bool mayEditSetupNode(const GameNode& node) const;
    void adoptTrialNode(int32_t id);
    void putMoveNumbers();
    void rebuildTree();
    void updateTitle();
    void redraw();
    void storeMarkup();
    void storeMask();
    void resetRoomState();
    void startTrial(bool waitForSound);
    // Compares the whole record with the saved one (isModified's slow path).
    void checkWholeRecord() const;
    void stopTrial();
    bool onTrialLine(int32_t id) const;
    void answerProblem(int32_t p);
    void announce(AnswerVerdict verdict);
    void stopTrainingTimers();
    void answerWalkTick();
    void putTrainingMarks();
    void stoneSound(const GameNode& node);
    void openLibraryIndex(int index);
    void applyRandomOrientation();
    void clickMarkup(int32_t p);
    int stoneDelay() const;
    uint32_t randomNumber();

    RoomHost* host_ = nullptr;
    RoomSettings settings_;
    RecordTranslator translator_;
    std::function<uint32_t()> random_;
    std::mt19937 defaultRandom_;

    RoomKind roomKind_ = kRoomStudy;
    std::filesystem::path filePath_;
    uint64_t savedFingerprint_ = 0;  // recordFingerprint() of the record when last opened or saved
    std::unordered_map<int32_t, std::vector<Comment>> savedComments_;  // the saved record's, by node id
    // The last whole comparison with the saved record (isModified).
    struct CheckedRecord {
        uint64_t revision = 0;  // the tree's revision then
        uint64_t headerEdits = 0;
        bool modified = false;
        // The comments, as they were then, of the nodes typed into since.
        std::unordered_map<int32_t, std::vector<Comment>> typedComments;
    };
    mutable CheckedRecord checked_;
    uint64_t headerEdits_ = 0;  // mutableRecord() calls: the header may have changed beside the tree
    GameRecord record_;         // gameInfo, tags and tree
    int32_t currentNodeId_ = 0;
    int32_t previousNodeId_ = -1;
    uint32_t moveNumberMode_ = 1;
    uint32_t infoPanels_ = kPanelComments;
    std::vector<HintDetail> hintDetails_;
    bool patternHintsShown_ = false;  // the hints on the board came from the pattern bases
    BoardGrid searchPosition_;        // the position the search letters belong to
    std::vector<HintMark> searchHints_;
    size_t searchHintsPlaced_ = 0;  // search letters at the end of display_.hints
    void placeSearchHints();
    ClickMode clickMode_ = kClickPlay;
    bool trialActive_ = false;
    int32_t trialBaseId_ = -1;
    int32_t trialFirstId_ = -1;
    bool autoReplay_ = false;
    int replayHolds_ = 0;            // open dialogs of the room (ReplayHold)
    bool replayingAnswer_ = false;   // true while the problem reply step runs (sounds wait)
    int32_t pendingReplyFrom_ = -1;  // problem answer node awaiting the opponent's reply
    BoardDisplay display_;
    std::vector<VariationItem> variationTree_;
    std::string countSummary_;
    RuleSettings rules_;  // the shown record's rules of counting
    std::shared_ptr<RoomLibraryList> libraryList_;
    int libraryIndex_ = -1;
    std::shared_ptr<RoomEngineGame> engineGame_;
    RoomEventQueue events_;
    ProblemTrainer trainer_;
    bool answerWalk_ = false;  // "正解" is walking the answer line
};

}  // namespace tessera
