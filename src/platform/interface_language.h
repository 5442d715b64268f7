#pragma once
// The language of the interface. The numbers are what lang.ini's language index and the
// dictionary's modes are built on, so they never change.

namespace tessera {

enum InterfaceLanguage : int {
    kLanguageEnglish = 0,
    kLanguageSimplifiedChinese = 1,
    kLanguageTraditionalChinese = 2,
};

// The language for a stored index; anything out of range is English.
inline InterfaceLanguage interfaceLanguageFromIndex(int index) {
    return index == kLanguageSimplifiedChinese || index == kLanguageTraditionalChinese
               ? static_cast<InterfaceLanguage>(index)
               : kLanguageEnglish;
}

}  // namespace tessera
