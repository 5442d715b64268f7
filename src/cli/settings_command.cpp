// tessera-cli settings: the effective folders, language and every setting.

#include <iostream>

#include "app/language_choice.h"
#include "app/settings_report.h"
#include "cli/command_table.h"
#include "platform/program_folders.h"

namespace tessera::cli {
namespace {

int runSettings(const std::vector<std::string>& args) {
    if (wantsHelp(args)) {
        std::cout << "Usage: tessera-cli [--program-folder DIR] settings\n\n"
                     "Prints the program, root and custom folders, the interface language (from\n"
                     "custom/lang.ini and the locale in LC_ALL, LC_MESSAGES or LANG), the settings\n"
                     "files in use and every setting, as the program would start with them.\n"
                     "Nothing is written: custom copies that are missing are read from the shipped\n"
                     "defaults in the root folder.\n";
        return 0;
    }
    if (!args.empty())
        return failWith("settings takes no arguments (see settings --help)");
    const std::string programFolder = GetProgramFolder();
    if (programFolder.empty())
        return failWith("the program folder cannot be found; set TESSERA_PROGRAM_FOLDER");
    std::cout << settingsReport(programFolder, systemLocaleName());
    return 0;
}

const CliCommandRegistration registration("settings", "print the effective folders, language and settings",
                                          runSettings);

}  // namespace
}  // namespace tessera::cli
