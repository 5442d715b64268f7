// Any bytes as an id list: no crash, no read past a line, and never more ids than the cap.
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "library/id_list_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<int32_t> ids;
    constexpr size_t cap = 100000;
    tessera::parseIdList(bytes, ids, cap);
    if (ids.size() > cap)
        std::abort();
    return 0;
}
