// tessera-cli translate: a data text (player, event, place) as the interface would show it.

#include <iostream>

#include "cli/command_table.h"
#include "library/database.h"
#include "library/text_dictionary.h"
#include "platform/program_folders.h"

namespace tessera::cli {
namespace {

int runTranslate(const std::vector<std::string>& args) {
    if (wantsHelp(args)) {
        std::cout << "Usage: tessera-cli [--program-folder DIR] translate --lang en|zh_TW|zh_CN [--dict FILE]\n"
                     "                   [--as name|text] TEXT\n\n"
                     "Prints TEXT as the chosen interface language shows data texts:\n"
                     "  en     the English entry of the dictionary (the text itself when it has none)\n"
                     "  zh_TW  the Traditional Chinese entry, else the text converted to Traditional\n"
                     "  zh_CN  Traditional Chinese text converted back to Simplified\n"
                     "--as name (the default) reads TEXT as a player's name, as the window shows\n"
                     "players: surnames keep their surname form in Traditional Chinese (余, 游, 范).\n"
                     "--as text converts it as any other text (events, places).\n"
                     "FILE defaults to dic.db in the program folder.\n";
        return 0;
    }
    std::string language, dictionaryPath, text, kind = "name";
    bool haveText = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const bool option = args[i] == "--lang" || args[i] == "--dict" || args[i] == "--as";
        if (option && i + 1 < args.size()) {
            (args[i] == "--lang" ? language : args[i] == "--dict" ? dictionaryPath : kind) = args[i + 1];
            ++i;
        } else if (option) {
            return failWith(args[i] + " needs a value");
        } else if (!haveText) {
            text = args[i];
            haveText = true;
        } else {
            return failWith("translate takes one text; quote it when it holds spaces");
        }
    }
    if (!haveText)
        return failWith("translate needs a text (see translate --help)");
    if (kind != "name" && kind != "text")
        return failWith("unknown --as '" + kind + "' (name or text)");
    int mode = -1;
    if (language == "en")
        mode = TextDictionary::kToEnglish;
    else if (language == "zh_TW")
        mode = TextDictionary::kToTraditional;
    else if (language == "zh_CN")
        mode = TextDictionary::kToSimplified;
    else
        return failWith(language.empty() ? "translate needs --lang en, zh_TW or zh_CN"
                                         : "unknown language '" + language + "' (en, zh_TW or zh_CN)");

    TextDictionary dictionary(mode);
    if (mode != TextDictionary::kToSimplified) {
        if (dictionaryPath.empty()) {
            const std::string programFolder = GetProgramFolder();
            if (programFolder.empty())
                return failWith("the program folder cannot be found; give --dict FILE");
            dictionaryPath = programFolder + "dic.db";
        }
        Database database;
        database.setConnectionTemplate(localFileConnectionTemplate());
        if (connect(database, dictionaryPath) != 1)
            return failWith("cannot open the dictionary " + dictionaryPath);
        if (!dictionary.Load(database, mode))
            return failWith("cannot read the dictionary " + dictionaryPath + ": " + database.lastError());
    }
    std::string out = text;
    if (kind == "name")
        dictionary.TranslateName(text, out);
    else
        dictionary.Translate(text, out);
    std::cout << out << "\n";
    return 0;
}

const CliCommandRegistration registration("translate", "show a data text in English or Traditional Chinese",
                                          runTranslate);

}  // namespace
}  // namespace tessera::cli
