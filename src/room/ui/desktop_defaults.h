#pragma once
// What the application lends the main window and its rooms: the process-wide default settings
// that every new room copies, the sound player and the record translator. The application owns
// it and keeps it until the main window is gone.

#include <functional>
#include <optional>
#include <string>

#include "engine/match_setup.h"

#include "platform/interface_language.h"
#include "record/game_record.h"
#include "room/room_settings.h"
#include "view/board_viewport.h"

namespace tessera {

class LibraryCatalogue;
class ProgramLog;
class RoomWindow;
class SoundPlayer;
struct PatternBases;

struct DesktopDefaults {
    BoardViewSettings board;  // BOARD section
    RoomPreferences general;  // SETTING, VANTOR and TRAINING sections
    bool stoneSound = true;   // StoneSound: flipped directly by "落子声" (F7)
    RuleSettings rules;       // RULETYPE and KOMI of rule.ini
    InterfaceLanguage language = kLanguageSimplifiedChinese;
    std::string programFolder;                    // with a trailing '/'
    std::string externalEditor = "xdg-open";      // the outside record editor, given the SGF path
    SoundPlayer* sounds = nullptr;                // null: silent
    ProgramLog* programLog = nullptr;             // log.txt (engine failures, records mended on load); null: none
    std::optional<MatchSetup> lastMatch;          // the game settings chosen last ("对弈" opens with them)
    const PatternBases* patternBases = nullptr;   // the statistics and knowledge; null: no hints
    const LibraryCatalogue* catalogue = nullptr;  // results of the library's games; null: none
    // "查看详细统计信息" of a room's hint pane; empty: the button does nothing.
    std::function<void(RoomWindow& room)> showHintDetails;
    // "搜索棋型" of the board's context menu; empty: the menu does not offer it.
    std::function<void(RoomWindow& room)> searchPattern;
    // Converts an opened record's texts for the interface language; empty: shown as read.
    std::function<void(GameRecord&)> recordTranslator;
    // "保存为缺省规则" of the rules dialog: the new default rules, written to rule.ini; false
    // when the file could not be written. Empty: nothing is stored.
    std::function<bool(const RuleSettings& rules)> saveRuleDefaults;
};

}  // namespace tessera
