#pragma once
// The default settings record and the INI files it is read from and written to.
//
// custom/vantor.ini  SETTING (sounds, replay delay, update URL), VANTOR (statistics marks),
//                    TRAINING (problem switches), BOARD (board drawing)
// custom/rule.ini    SETTING: RULETYPE and KOMI of a new game
// custom/lang.ini    SETTING: LANG, the interface language (see language_choice.h)
//
// The record is read once at start-up; every new game room takes a copy. It is written back
// only when the user asks a settings dialog to save its values as the defaults. A missing file
// or key gives the default below; a file that cannot be written is reported by the save
// functions' result and otherwise changes nothing.

#include <string>

#include "app/language_choice.h"

namespace tessera {

// Bounds of the two display proportions of the statistics marks.
inline constexpr double kMinDisplayProportion = 0.5;
inline constexpr double kMaxDisplayProportion = 1.0;

struct DefaultSettings {
    // vantor.ini, SETTING
    int stoneSound = 1;    // play the stone sound (0/1)
    int promptSound = 1;   // play the prompt sounds (0/1)
    int stoneDelay = 500;  // ms between moves in auto replay
    // vantor.ini, VANTOR
    int showGfpKnow = 1;         // marks of the whole-board knowledge base
    int showGfpState = 1;        // marks of the whole-board statistics (A, B, C ...)
    int showGlpState = 1;        // marks of the local statistics (A1, B1 ...)
    int showMatrixPatterns = 0;  // the "*" marks of matrix-pattern matches; in no file
    double gfpPer = 0.98;        // whole-board display proportion, 0.5 ... 1.0
    double glpPer = 0.98;        // local display proportion, 0.5 ... 1.0
    // vantor.ini, TRAINING
    int showCue = 0;     // hint text during training
    int showBranch = 0;  // answer branches during training
    int randCoor = 1;    // random board transform per problem
    // vantor.ini, BOARD
    int boardStyle = 0;           // 0 traditional, 1 Marble, 2 simple
    int showScale = 1;            // coordinates around the board
    int showGraphBoardFrame = 1;  // outer frame of the board
    int emphasizeBoard = 1;       // heavier edge lines
    int graphBoardLight = 0;      // brightness offset of the board picture, signed
    // rule.ini, SETTING
    int ruleType = 2;   // 1 Chinese, 2 Japanese, 3 Korean, 4 Ing
    double komi = 6.5;  // komi of a new game
    // lang.ini, SETTING (through the language rules)
    InterfaceLanguage language = kLanguageEnglish;
    bool big5System = false;  // the system code page is Big5 (950)
};

// What lang.ini and the system say about the interface language.
struct LanguageSetting {
    int storedValue = 1;  // LANG as read (1 when missing)
    InterfaceLanguage language = kLanguageEnglish;
    bool big5System = false;
};

// A display proportion moved into 0.5 ... 1.0 (the bounds themselves are kept).
double clampDisplayProportion(double value);

// KOMI as written to rule.ini: two decimals under Chinese rules (1), else one.
std::string formatKomi(int ruleType, double komi);

// A display proportion as written to vantor.ini: two decimals.
std::string formatDisplayProportion(double value);

// Reads SETTING (all but OnLineUpdateURL), VANTOR and TRAINING of vantor.ini at `path` into
// `settings`; the two proportions are clamped.
void LoadGeneralSettings(const std::string& path, DefaultSettings& settings);

// Reads BOARD of vantor.ini at `path` into `settings`.
void LoadBoardSettings(const std::string& path, DefaultSettings& settings);

// Writes the eleven stored general values of `settings` into vantor.ini at `path` (its folder
// is made when missing), keeping every other line. False when the file could not be written.
bool SaveGeneralSettings(const std::string& path, const DefaultSettings& settings);

// Writes the five board values of `settings` into vantor.ini at `path`; see SaveGeneralSettings.
bool SaveBoardSettings(const std::string& path, const DefaultSettings& settings);

// Reads RULETYPE and KOMI of rule.ini at `path` into `settings`.
void LoadRuleSettings(const std::string& path, DefaultSettings& settings);

// Writes RULETYPE and KOMI (formatKomi) into rule.ini at `path`; see SaveGeneralSettings.
bool SaveRuleSettings(const std::string& path, int ruleType, double komi);

// Reads LANG of lang.ini at `path` and applies the language rules for the given code page.
LanguageSetting LoadLanguage(const std::string& path, int oemCodePage = systemOemCodePage());

// Writes LANG = `value` into lang.ini at `path`; see SaveGeneralSettings.
bool SaveLanguage(const std::string& path, int value);

// OnLineUpdateURL of vantor.ini at `path`; empty when no update server is configured.
std::string LoadOnlineUpdateUrl(const std::string& path);

}  // namespace tessera
