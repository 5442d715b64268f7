#pragma once
// The one translation hook for texts that the logic builds for the user ("结果", "黑胜").
// The source texts are Simplified Chinese UTF-8; the application binds the hook to Qt's
// translator at start-up. Without a binding a text comes back unchanged.

#include <functional>
#include <string>

#include "platform/interface_language.h"

namespace tessera {

// Translates a source text of the given context (a class-like name such as "GameRoom").
std::string uiText(const char* context, const char* source);

// Installs the translator; an empty function restores the identity.
void setUiTextTranslator(std::function<std::string(const char* context, const char* source)> translator);

// The interface language the translator serves (Simplified Chinese until one is installed).
InterfaceLanguage uiLanguage();
void setUiLanguage(InterfaceLanguage language);

}  // namespace tessera
