#pragma once
// The interface language: 0 English, 1 Simplified Chinese, 2 Traditional Chinese.
//
// The stored value `LANG` of custom/lang.ini is not the index itself: 0 means "follow the
// system", 10000 + index is an explicit choice of the language dialog, and every other value
// (the "英文(English)" menu item writes 1) means English. The Windows notion of the system's
// OEM code page is taken from the locale on Linux: zh_CN and zh_SG count as 936 (GBK),
// zh_TW and zh_HK as 950 (Big5), any other locale as neither (0).

#include <string>
#include <string_view>

#include "platform/interface_language.h"

namespace tessera {

inline constexpr int kCodePageGbk = 936;
inline constexpr int kCodePageBig5 = 950;

// The stored values of the two menu items and of the language dialog.
inline constexpr int kLangValueFollowSystem = 0;
inline constexpr int kLangValueEnglishMenu = 1;
inline constexpr int kLangValueChoiceBase = 10000;

// The locale that names the interface language: LC_ALL, else LC_MESSAGES, else LANG (the
// POSIX order), skipping empty values; empty when none is set.
std::string systemLocaleName();

// 936 for a zh_CN or zh_SG locale, 950 for zh_TW or zh_HK, else 0. The codeset and modifier
// ("zh_TW.UTF-8@x") are ignored, letters compare without regard to case, and '-' is accepted
// in place of '_'.
int codePageForLocale(std::string_view locale);

// codePageForLocale(systemLocaleName()).
int systemOemCodePage();

// The language index for a stored `LANG` value on a system with the given OEM code page.
InterfaceLanguage chooseLanguage(int langValue, int oemCodePage);

// The stored value for a language chosen in the language dialog (10000 + index).
int languageChoiceValue(InterfaceLanguage language);

// "English", "Simplified Chinese" or "Traditional Chinese" (English names for tessera-cli).
std::string languageName(InterfaceLanguage language);

}  // namespace tessera
