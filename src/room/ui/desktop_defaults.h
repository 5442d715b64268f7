#pragma once
// What the application lends the main window and its rooms: the process-wide default settings
// that every new room copies, the sound player and the record translator. The application owns
// it and keeps it until the main window is gone.

#include <functional>
#include <string>

#include "record/game_record.h"
#include "view/board_viewport.h"

namespace tessera {

class SoundPlayer;

// The general values a room copies when it is created ("系统设置" edits the active room's).
struct RoomPreferences {
    bool promptSound = true;        // PromptSound: trial start and end sounds
    int stoneDelay = 500;           // StoneDelay, ms: auto replay
    bool showKnowledge = true;      // ShowGFPKnow
    bool showGlobalStats = true;    // ShowGFPState
    bool showLocalStats = true;     // ShowGLPState
    bool showMatrixPatterns = false;
    double gfpPer = 0.98;           // GFPPer
    double glpPer = 0.98;           // GLPPer
    bool showCue = false;           // ShowCue
    bool showBranch = false;        // ShowBranch
    bool randomOrientation = true;  // RandCoor
};

struct DesktopDefaults {
    BoardViewSettings board;             // BOARD section
    RoomPreferences general;             // SETTING, VANTOR and TRAINING sections
    bool stoneSound = true;              // StoneSound: flipped directly by "落子声" (F7)
    int ruleType = 2;                    // RULETYPE
    double komi = 6.5;                   // KOMI
    int language = 1;                    // 0 English, 1 Simplified Chinese, 2 Traditional Chinese
    std::string programFolder;           // with a trailing '/'
    std::string externalEditor = "xdg-open";  // the outside record editor, given the SGF path
    SoundPlayer* sounds = nullptr;       // null: silent
    // Converts an opened record's texts for the interface language; empty: shown as read.
    std::function<void(GameRecord&)> recordTranslator;
    // "保存为缺省规则" of the rules dialog: the new default rules, written to rule.ini; false
    // when the file could not be written. Empty: nothing is stored.
    std::function<bool(int ruleType, double komi)> saveRuleDefaults;
};

}  // namespace tessera
