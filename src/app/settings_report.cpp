#include "app/settings_report.h"

#include <sstream>

#include "app/settings_files.h"
#include "platform/ini_file.h"
#include "platform/program_folders.h"

namespace tessera {

namespace {

// Where a settings value comes from, in words.
std::string sourceOf(const std::string& effectivePath, const std::string& customPath) {
    if (!FileExists(effectivePath))
        return "missing: built-in defaults";
    if (effectivePath == customPath)
        return "custom copy";
    return "shipped default; start-up makes the custom copy";
}

std::string orNone(const std::string& text) { return text.empty() ? "(none)" : text; }

class Report {
public:
    void heading(const std::string& title) { out_ << (out_.tellp() > 0 ? "\n" : "") << title << "\n"; }
    template <typename Value>
    void line(const std::string& name, const Value& value) {
        out_ << "  " << name << std::string(name.size() < 22 ? 22 - name.size() : 1, ' ') << value << "\n";
    }
    std::string text() const { return out_.str(); }

private:
    std::ostringstream out_;
};

}  // namespace

std::string settingsReport(const std::string& programFolder, const std::string& localeName) {
    const std::string rootFolder = GetRootFolder(programFolder);
    const SettingsFiles files = settingsFilesFor(rootFolder);
    const std::string langPath = effectiveSettingsFile(files.customLang, files.shippedLang);
    const std::string rulePath = effectiveSettingsFile(files.customRule, files.shippedRule);
    const std::string vantorPath = effectiveSettingsFile(files.customVantor, files.shippedVantor);
    const int codePage = codePageForLocale(localeName);
    const DefaultSettings s = ReadEffectiveSettings(files, codePage);
    const LanguageSetting language = LoadLanguage(langPath, codePage);

    Report report;
    report.heading("Folders");
    report.line("program folder", orNone(programFolder));
    report.line("root folder", rootFolder.empty() ? "(none: the working folder)" : rootFolder);
    report.line("custom folder", files.customFolder + (FileExists(files.customFolder) ? "" : " (not made yet)"));
    report.line("program log", programFolder + "log.txt");

    report.heading("Language");
    report.line("locale", orNone(localeName));
    report.line("OEM code page", codePage == 0 ? std::string("none (neither 936 nor 950)") : std::to_string(codePage));
    report.line("LANG", std::to_string(language.storedValue));
    report.line("language", std::to_string(s.language) + " " + languageName(s.language));
    report.line("Big5 system", s.big5System ? "yes" : "no");

    report.heading("Files");
    report.line("lang.ini", langPath + " (" + sourceOf(langPath, files.customLang) + ")");
    report.line("rule.ini", rulePath + " (" + sourceOf(rulePath, files.customRule) + ")");
    report.line("vantor.ini", vantorPath + " (" + sourceOf(vantorPath, files.customVantor) + ")");

    report.heading("vantor.ini [SETTING]");
    report.line("StoneSound", s.stoneSound);
    report.line("PromptSound", s.promptSound);
    report.line("StoneDelay", s.stoneDelay);
    report.line("OnLineUpdateURL", LoadOnlineUpdateUrl(vantorPath));
    report.heading("vantor.ini [VANTOR]");
    report.line("ShowGFPKnow", s.showGfpKnow);
    report.line("ShowGFPState", s.showGfpState);
    report.line("ShowGLPState", s.showGlpState);
    report.line("GFPPer", formatDisplayProportion(s.gfpPer));
    report.line("GLPPer", formatDisplayProportion(s.glpPer));
    report.heading("vantor.ini [TRAINING]");
    report.line("ShowCue", s.showCue);
    report.line("ShowBranch", s.showBranch);
    report.line("RandCoor", s.randCoor);
    report.heading("vantor.ini [BOARD]");
    report.line("BoardStyle", s.boardStyle);
    report.line("ShowScale", s.showScale);
    report.line("ShowGraphBoardFrame", s.showGraphBoardFrame);
    report.line("EmphasizeBoard", s.emphasizeBoard);
    report.line("GraphBoardLight", s.graphBoardLight);
    report.heading("rule.ini [SETTING]");
    report.line("RULETYPE", s.ruleType);
    report.line("KOMI", formatKomi(s.ruleType, s.komi));
    report.heading("Not stored in any file");
    report.line("matrix-pattern marks", s.showMatrixPatterns);
    return report.text();
}

}  // namespace tessera
