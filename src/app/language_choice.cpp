#include "app/language_choice.h"

#include <cstdlib>

namespace tessera {

namespace {

char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::string systemLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value)
            return value;
    }
    return {};
}

int codePageForLocale(std::string_view locale) {
    // language[_territory][.codeset][@modifier]
    const std::size_t end = locale.find_first_of(".@");
    std::string name(locale.substr(0, end));
    for (char& c : name)
        c = c == '-' ? '_' : upperAscii(c);
    if (name == "ZH_CN" || name == "ZH_SG")
        return kCodePageGbk;
    if (name == "ZH_TW" || name == "ZH_HK")
        return kCodePageBig5;
    return 0;
}

int systemOemCodePage() { return codePageForLocale(systemLocaleName()); }

InterfaceLanguage chooseLanguage(int langValue, int oemCodePage) {
    if (langValue == kLangValueFollowSystem) {
        if (oemCodePage == kCodePageGbk)
            return kLanguageSimplifiedChinese;
        if (oemCodePage == kCodePageBig5)
            return kLanguageTraditionalChinese;
        return kLanguageEnglish;
    }
    if (langValue >= kLangValueChoiceBase) {
        return interfaceLanguageFromIndex(langValue - kLangValueChoiceBase);
    }
    // 1 to 9999 (the menu's "English"), and negative values, which no rule names.
    return kLanguageEnglish;
}

int languageChoiceValue(InterfaceLanguage language) { return kLangValueChoiceBase + language; }

std::string languageName(InterfaceLanguage language) {
    switch (language) {
        case kLanguageSimplifiedChinese:
            return "Simplified Chinese";
        case kLanguageTraditionalChinese:
            return "Traditional Chinese";
        default:
            return "English";
    }
}

}  // namespace tessera
