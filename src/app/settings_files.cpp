#include "app/settings_files.h"

#include "platform/atomic_file.h"
#include "platform/ini_file.h"
#include "platform/program_folders.h"

namespace tessera {

namespace {

// Fills the record from the three files at the given paths, in start-up order.
DefaultSettings readSettings(const std::string& langPath, const std::string& rulePath, const std::string& vantorPath,
                             int oemCodePage) {
    DefaultSettings settings;
    const LanguageSetting language = LoadLanguage(langPath, oemCodePage);
    settings.language = language.language;
    settings.big5System = language.big5System;
    LoadRuleSettings(rulePath, settings);
    LoadGeneralSettings(vantorPath, settings);
    LoadBoardSettings(vantorPath, settings);
    return settings;
}

}  // namespace

SettingsFiles settingsFilesFor(const std::string& rootFolder) {
    SettingsFiles files;
    files.customFolder = GetCustomFolder(rootFolder);
    files.customVantor = files.customFolder + "vantor.ini";
    files.customRule = files.customFolder + "rule.ini";
    files.customLang = files.customFolder + "lang.ini";
    files.shippedVantor = rootFolder + "vantor.ini";
    files.shippedRule = rootFolder + "rule.ini";
    files.shippedLang = rootFolder + "lang.ini";
    return files;
}

bool ensureCustomCopy(const std::string& customPath, const std::string& shippedPath) {
    if (FileExists(customPath))
        return true;
    const auto bytes = readFileBounded(shippedPath, kMaxIniFileBytes);
    if (!bytes)
        return false;
    MakeFolderPath(customPath);
    // Another instance may make the copy at the same moment; either copy will do.
    return createFileAtomically(customPath, *bytes) || FileExists(customPath);
}

DefaultSettings LoadDefaultSettings(const SettingsFiles& files, int oemCodePage) {
    ensureCustomCopy(files.customLang, files.shippedLang);
    ensureCustomCopy(files.customRule, files.shippedRule);
    ensureCustomCopy(files.customVantor, files.shippedVantor);
    return readSettings(files.customLang, files.customRule, files.customVantor, oemCodePage);
}

std::string effectiveSettingsFile(const std::string& customPath, const std::string& shippedPath) {
    if (FileExists(customPath) || !FileExists(shippedPath))
        return customPath;
    return shippedPath;
}

DefaultSettings ReadEffectiveSettings(const SettingsFiles& files, int oemCodePage) {
    return readSettings(effectiveSettingsFile(files.customLang, files.shippedLang),
                        effectiveSettingsFile(files.customRule, files.shippedRule),
                        effectiveSettingsFile(files.customVantor, files.shippedVantor), oemCodePage);
}

}  // namespace tessera
