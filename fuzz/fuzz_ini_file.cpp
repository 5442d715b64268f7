// Any bytes as an INI file: reading, changing and writing back must never crash, and a
// document must write back exactly the bytes it was read from.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto ini = tessera::IniDocument::parse(bytes);
    if (ini.serialize() != bytes)
        std::abort();
    (void)ini.readInt("SETTING", "LANG", 1);
    (void)ini.readDouble("VANTOR", "GFPPer", "0.98");
    ini.setValue("SETTING", "LANG", "10002");
    if (tessera::IniDocument::parse(ini.serialize()).readInt("setting", "lang", 0) != 10002)
        std::abort();
    return 0;
}
