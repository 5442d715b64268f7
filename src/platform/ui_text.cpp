#include "platform/ui_text.h"

#include <atomic>
#include <mutex>

namespace tessera {

namespace {
std::mutex translatorLock;
std::atomic<InterfaceLanguage> currentLanguage{kLanguageSimplifiedChinese};
std::function<std::string(const char*, const char*)>& translatorSlot() {
    static std::function<std::string(const char*, const char*)> slot;
    return slot;
}
}  // namespace

std::string uiText(const char* context, const char* source) {
    std::lock_guard<std::mutex> guard(translatorLock);
    const auto& translator = translatorSlot();
    return translator ? translator(context, source) : std::string(source);
}

void setUiTextTranslator(std::function<std::string(const char*, const char*)> translator) {
    std::lock_guard<std::mutex> guard(translatorLock);
    translatorSlot() = std::move(translator);
}

InterfaceLanguage uiLanguage() { return currentLanguage.load(); }

void setUiLanguage(InterfaceLanguage language) { currentLanguage.store(language); }

}  // namespace tessera
