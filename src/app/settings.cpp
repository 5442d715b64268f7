#include "app/settings.h"

#include "platform/ini_file.h"
#include "platform/program_folders.h"

namespace tessera {

namespace {

std::string decimal(int value) { return std::to_string(value); }

// Writes `entries` in one atomic replacement of the file, making its folder first.
bool saveEntries(const std::string& path, const std::vector<IniEntry>& entries) {
    MakeFolderPath(path);
    return writeIniValues(path, entries);
}

}  // namespace

double clampDisplayProportion(double value) {
    if (value < kMinDisplayProportion)
        return kMinDisplayProportion;
    if (value > kMaxDisplayProportion)
        return kMaxDisplayProportion;
    return value;
}

std::string formatKomi(int ruleType, double komi) { return formatFixed(komi, ruleType == 1 ? 2 : 1); }

std::string formatDisplayProportion(double value) { return formatFixed(value, 2); }

void LoadGeneralSettings(const std::string& path, DefaultSettings& settings) {
    const IniDocument ini = IniDocument::load(path);
    settings.stoneSound = ini.readInt("SETTING", "StoneSound", 1);
    settings.promptSound = ini.readInt("SETTING", "PromptSound", 1);
    settings.stoneDelay = ini.readInt("SETTING", "StoneDelay", 500);
    settings.showGfpKnow = ini.readInt("VANTOR", "ShowGFPKnow", 1);
    settings.showGfpState = ini.readInt("VANTOR", "ShowGFPState", 1);
    settings.showGlpState = ini.readInt("VANTOR", "ShowGLPState", 1);
    settings.gfpPer = clampDisplayProportion(ini.readDouble("VANTOR", "GFPPer", "0.98"));
    settings.glpPer = clampDisplayProportion(ini.readDouble("VANTOR", "GLPPer", "0.98"));
    settings.showCue = ini.readInt("TRAINING", "ShowCue", 0);
    settings.showBranch = ini.readInt("TRAINING", "ShowBranch", 0);
    settings.randCoor = ini.readInt("TRAINING", "RandCoor", 1);
}

void LoadBoardSettings(const std::string& path, DefaultSettings& settings) {
    const IniDocument ini = IniDocument::load(path);
    settings.boardStyle = ini.readInt("BOARD", "BoardStyle", 0);
    settings.showScale = ini.readInt("BOARD", "ShowScale", 1);
    settings.showGraphBoardFrame = ini.readInt("BOARD", "ShowGraphBoardFrame", 1);
    settings.emphasizeBoard = ini.readInt("BOARD", "EmphasizeBoard", 1);
    settings.graphBoardLight = ini.readInt("BOARD", "GraphBoardLight", 0);
}

bool SaveGeneralSettings(const std::string& path, const DefaultSettings& settings) {
    return saveEntries(path, {
                                 {"SETTING", "StoneSound", decimal(settings.stoneSound)},
                                 {"SETTING", "PromptSound", decimal(settings.promptSound)},
                                 {"SETTING", "StoneDelay", decimal(settings.stoneDelay)},
                                 {"VANTOR", "ShowGFPKnow", decimal(settings.showGfpKnow)},
                                 {"VANTOR", "ShowGFPState", decimal(settings.showGfpState)},
                                 {"VANTOR", "ShowGLPState", decimal(settings.showGlpState)},
                                 {"VANTOR", "GFPPer", formatDisplayProportion(settings.gfpPer)},
                                 {"VANTOR", "GLPPer", formatDisplayProportion(settings.glpPer)},
                                 {"TRAINING", "ShowCue", decimal(settings.showCue)},
                                 {"TRAINING", "ShowBranch", decimal(settings.showBranch)},
                                 {"TRAINING", "RandCoor", decimal(settings.randCoor)},
                             });
}

bool SaveBoardSettings(const std::string& path, const DefaultSettings& settings) {
    return saveEntries(path, {
                                 {"BOARD", "BoardStyle", decimal(settings.boardStyle)},
                                 {"BOARD", "ShowScale", decimal(settings.showScale)},
                                 {"BOARD", "ShowGraphBoardFrame", decimal(settings.showGraphBoardFrame)},
                                 {"BOARD", "EmphasizeBoard", decimal(settings.emphasizeBoard)},
                                 {"BOARD", "GraphBoardLight", decimal(settings.graphBoardLight)},
                             });
}

void LoadRuleSettings(const std::string& path, DefaultSettings& settings) {
    const IniDocument ini = IniDocument::load(path);
    settings.ruleType = ini.readInt("SETTING", "RULETYPE", 2);
    settings.komi = ini.readDouble("SETTING", "KOMI", "6.5");
}

bool SaveRuleSettings(const std::string& path, int ruleType, double komi) {
    return saveEntries(path, {
                                 {"SETTING", "RULETYPE", decimal(ruleType)},
                                 {"SETTING", "KOMI", formatKomi(ruleType, komi)},
                             });
}

LanguageSetting LoadLanguage(const std::string& path, int oemCodePage) {
    LanguageSetting setting;
    setting.storedValue = readIniInt(path, "SETTING", "LANG", 1);
    setting.big5System = oemCodePage == kCodePageBig5;
    setting.language = chooseLanguage(setting.storedValue, oemCodePage);
    return setting;
}

bool SaveLanguage(const std::string& path, int value) {
    return saveEntries(path, {{"SETTING", "LANG", decimal(value)}});
}

std::string LoadOnlineUpdateUrl(const std::string& path) {
    return readIniString(path, "SETTING", "OnLineUpdateURL", "");
}

}  // namespace tessera
