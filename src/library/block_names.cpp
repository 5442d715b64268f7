#include "library/block_names.h"

#include "platform/chinese_script.h"
#include "platform/ini_file.h"

namespace tessera {
namespace {

// The profile reader's buffer held 256 characters with the terminator.
constexpr size_t kMaxValueBytes = 255;

std::string bounded(std::string text) { return boundedProfileValue(std::move(text)); }

}  // namespace

std::string boundedProfileValue(std::string text) {
    if (text.size() <= kMaxValueBytes)
        return text;
    size_t end = kMaxValueBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    text.resize(end);
    return text;
}

std::string BlockNameMap::displayName(const std::string& key) const {
    const auto it = byKey_.find(key);
    return it == byKey_.end() ? std::string() : it->second;
}

std::string BlockNameMap::keyOf(const std::string& displayName) const {
    const auto it = byName_.find(displayName);
    return it == byName_.end() ? std::string() : it->second;
}

void BlockNameMap::add(const std::string& key, const std::string& displayName) {
    byKey_[key] = displayName;
    byName_[displayName] = key;
}

BlockNameMap LoadBlockNames(const std::string& iniPath, InterfaceLanguage interfaceLanguage) {
    BlockNameMap map;
    const IniDocument ini = IniDocument::load(iniPath);
    for (int n = 0;; ++n) {
        const std::string section = "item" + std::to_string(n);
        const std::string key = bounded(ini.readString(section, "key", ""));
        if (key.empty())
            break;
        std::string name =
            bounded(ini.readString(section, interfaceLanguage == kLanguageEnglish ? "English" : "GB", ""));
        if (name.empty())
            continue;
        if (interfaceLanguage == kLanguageTraditionalChinese)
            name = GbToBig5(name);
        map.add(key, name);
    }
    return map;
}

}  // namespace tessera
