#pragma once
// The settings a game room copies from the global settings when it is created, and the
// seams through which the application lends it what lives above the room (translation of
// record texts, the library list of a library room, the engine game of a computer room).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "record/game_info.h"
#include "record/game_record.h"

namespace tessera {

// The general values a room copies when it is created ("系统设置" edits the active room's).
struct RoomPreferences {
    bool promptSound = true;      // PromptSound: trial start and end sounds
    int stoneDelay = 500;         // StoneDelay, ms: auto replay and problem replies (at least 10 used)
    bool showKnowledge = true;    // ShowGFPKnow
    bool showGlobalStats = true;  // ShowGFPState
    bool showLocalStats = true;   // ShowGLPState
    bool showMatrixPatterns = false;
    double gfpPer = 0.98;           // GFPPer
    double glpPer = 0.98;           // GLPPer
    bool showCue = false;           // ShowCue
    bool showBranch = false;        // ShowBranch
    bool randomOrientation = true;  // RandCoor: problems open under a random display transform
};

// The rules a game is counted under.
struct RuleSettings {
    RuleType ruleType = kRulesJapanese;  // RULETYPE
    double komi = 6.5;                   // KOMI: stones under Chinese rules, points otherwise
    bool operator==(const RuleSettings&) const = default;
};

// Everything a room is set up with.
struct RoomSettings {
    // A plain room (tests, tools): one-second replay and problems as they are stored.
    RoomPreferences preferences{.stoneDelay = 1000, .randomOrientation = false};
    bool stoneSound = true;     // StoneSound: stone sounds (the global "落子声" switch)
    bool oneUserStudy = false;  // one-person study: problem answers are not replied to
    RuleSettings rules;         // the rules of counting
    int boardSize = 19;         // size of a new game's board
};

// The query result a library or training room came from. The library fills it.
class RoomLibraryList {
public:
    virtual ~RoomLibraryList() = default;
    // Number of records in the list.
    virtual int size() const = 0;
    // Reads the record at index (positions recomputed); false with a reason on failure.
    virtual bool load(int index, GameRecord& record, std::string& error) = 0;
    // The custom status (0 unread, 1 read, 2 popular) stored for the entry, -1 when unknown.
    virtual int customStatus(int index) const = 0;
    // Writes the status to the custom-status store under libraryId and into the list entry.
    virtual bool setCustomStatus(int index, int32_t libraryId, int status) = 0;
};

// The engine game of a room of kind 0. The engine subsystem fills it.
class RoomEngineGame {
public:
    virtual ~RoomEngineGame() = default;
    // A click at point p in click mode 0; the game answers with a move event.
    virtual void boardClicked(int32_t point) = 0;
    // Stops the engine (the room then empties its queue and stops the drain timer).
    virtual void stop() = 0;
    // The room title of the engine game.
    virtual std::string title() const = 0;
    // "停一手" and "认输" of the person playing.
    virtual bool canPass() const { return false; }
    virtual void pass() {}
    virtual bool canResign() const { return false; }
    virtual void resign() {}
    // Once the game has ended: its whole record (every move, the result); false before.
    virtual bool finishedRecord(GameRecord& record) const {
        (void)record;
        return false;
    }
    // The message shown when the game has ended ("游戏结束" and how).
    virtual std::string endMessage() const { return {}; }
};

// Converts an opened record's texts for the interface language; the application binds it to
// its dictionary. Without one, records are shown as read.
using RecordTranslator = std::function<void(GameRecord& record)>;

}  // namespace tessera
