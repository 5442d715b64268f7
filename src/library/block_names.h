#pragma once
// Display names of the custom index blocks. The block folder holds one subfolder per block;
// block/translate.ini names them:
//
//   [item0]
//   key=famous-games        ; the subfolder
//   GB=名局                  ; display name for the Chinese interfaces
//   English=Famous games    ; display name for the English interface
//
// Sections item0, item1, ... are read until the first without a key.

#include <string>
#include <unordered_map>

#include "platform/interface_language.h"

namespace tessera {

class BlockNameMap {
public:
    // The display name of a block folder, or "" when the map has none.
    std::string displayName(const std::string& key) const;
    // The block folder of a display name, or "" when the map has none.
    std::string keyOf(const std::string& displayName) const;
    // Records both directions.
    void add(const std::string& key, const std::string& displayName);
    size_t size() const { return byKey_.size(); }

private:
    std::unordered_map<std::string, std::string> byKey_;
    std::unordered_map<std::string, std::string> byName_;
};

// The text cut to the 255 bytes an INI value of the profile reader held, on a UTF-8 character
// boundary.
std::string boundedProfileValue(std::string text);

// Reads translate.ini for the interface language (0 English reads "English", 1 and 2 read
// "GB", and 2 converts it with GbToBig5). Values are cut to 255 bytes (on a character
// boundary); entries with an empty name are left out. A missing file gives an empty map.
BlockNameMap LoadBlockNames(const std::string& iniPath, InterfaceLanguage interfaceLanguage);

}  // namespace tessera
