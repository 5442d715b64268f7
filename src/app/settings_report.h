#pragma once
// A plain-text account of the effective folders, language and settings, as `tessera-cli
// settings` prints it. Builds the report from the files start-up would read, without making
// or changing any file.

#include <string>

namespace tessera {

// The report for the given program folder and locale name (the locale decides the OEM code
// page). Folders first, then the language, the settings files, and every setting.
std::string settingsReport(const std::string& programFolder, const std::string& localeName);

}  // namespace tessera
