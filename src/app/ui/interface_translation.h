#pragma once
// The interface language of the running program: the translation of the interface texts
// (none for Simplified Chinese, the source language; tessera_en.qm for English;
// tessera_zh_TW.qm for Traditional Chinese), Qt's own texts for standard buttons, the hook
// through which the window-free code translates, and a font that shows Chinese.

#include <QString>
#include <memory>
#include <vector>

#include "app/language_choice.h"

class QCoreApplication;
#include <QTranslator>

namespace tessera {

class InterfaceTranslation {
public:
    InterfaceTranslation() = default;
    ~InterfaceTranslation();
    InterfaceTranslation(const InterfaceTranslation&) = delete;
    InterfaceTranslation& operator=(const InterfaceTranslation&) = delete;

    // Loads and installs the translation of `language` from `folder` (the program folder's
    // translations/), binds tessera::uiText to it and picks the interface font. True when the
    // language needs no file or its file was loaded; false leaves the source texts in use.
    bool install(InterfaceLanguage language, const QString& folder);
    // Removes the translators and unbinds uiText.
    void uninstall();
    // The .qm file name of a language, empty for Simplified Chinese.
    static QString fileName(InterfaceLanguage language);

private:
    std::vector<std::unique_ptr<QTranslator>> translators_;
};

}  // namespace tessera
