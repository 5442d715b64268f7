#pragma once
// Where the three settings files live, and the start-up steps that prepare and read them:
// each custom/ copy that is missing is first made from the shipped default in the root folder
// (lang.ini, then rule.ini, then vantor.ini), and then read. A shipped default that is missing
// too leaves the custom file missing, so the built-in defaults apply.

#include <string>

#include "app/settings.h"

namespace tessera {

struct SettingsFiles {
    std::string customFolder;  // <root>custom/
    std::string customVantor;  // the user's copies, read and written
    std::string customRule;
    std::string customLang;
    std::string shippedVantor;  // the shipped defaults beside custom/, only read
    std::string shippedRule;
    std::string shippedLang;
};

// The settings file paths under `rootFolder` (relative to the working folder when empty).
SettingsFiles settingsFilesFor(const std::string& rootFolder);

// Makes `customPath` a copy of `shippedPath` when it does not exist yet (its folder is made
// first; an existing file is never replaced). True when `customPath` exists afterwards.
bool ensureCustomCopy(const std::string& customPath, const std::string& shippedPath);

// The start-up sequence for the default record: copy and read lang.ini, rule.ini, vantor.ini.
DefaultSettings LoadDefaultSettings(const SettingsFiles& files, int oemCodePage = systemOemCodePage());

// The file start-up would read, without making anything: the custom copy when it exists, else
// the shipped default when that exists, else the (missing) custom path.
std::string effectiveSettingsFile(const std::string& customPath, const std::string& shippedPath);

// The record start-up would build, read from the effective files without writing anything.
DefaultSettings ReadEffectiveSettings(const SettingsFiles& files, int oemCodePage = systemOemCodePage());

}  // namespace tessera
