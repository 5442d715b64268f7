// Feeds arbitrary bytes to the SGG reader and the node form reader. Each must fail with a
// reason (leaving nothing behind) or give a record that writes, and whose written form reads
// and writes again to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "exercise_room.h"
#include "record/sgg_file.h"
#include "record/sgg_node.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::string error;

    tessera::GameNode node;
    if (tessera::readNodeForm(bytes, node, error)) {
        std::string again;
        if (!tessera::writeNodeForm(node, again, error))
            std::abort();
    }

    tessera::GameRecord record;
    if (!tessera::readSggBytes(bytes, record, error)) {
        if (error.empty() || !record.tree.empty())
            std::abort();
        return 0;
    }
    tessera::fuzz::exerciseRoom(record);
    std::string first, second;
    if (!tessera::writeSggBytes(record, first, error))
        std::abort();
    tessera::GameRecord reread;
    if (!tessera::readSggBytes(first, reread, error) || !tessera::writeSggBytes(reread, second, error) ||
        first != second)
        std::abort();
    return 0;
}
