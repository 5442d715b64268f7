#include "stats/pattern_position.h"

#include <algorithm>

#include "stats/slot_file.h"

namespace tessera {

std::string serializePosition(const PatternPosition& position) {
    std::string out;
    out.reserve(position.grid.bytes().size() + 6);
    out.push_back('\0');
    out.append(reinterpret_cast<const char*>(position.grid.bytes().data()), position.grid.bytes().size());
    out.push_back(static_cast<char>(position.colour));
    appendI32(out, position.id);
    return out;
}

std::optional<PatternPosition> parsePosition(const std::string& bytes) {
    constexpr size_t area = 19 * 19;
    if (bytes.size() < area + 6 || bytes[0] != 0)
        return std::nullopt;
    PatternPosition position;
    uint8_t* cells = position.grid.data();
    std::copy(bytes.begin() + 1, bytes.begin() + 1 + area, cells);
    position.colour = static_cast<uint8_t>(bytes[1 + area]);
    position.id = loadI32(bytes.data() + 2 + area);
    return position;
}

QuickKey quickKeyOf(const BoardGrid& grid) {
    QuickKey key{0, 0xFFFF, 0xFFFF, 0xFFFF};
    const auto& cells = grid.bytes();
    int stones = 0;
    for (size_t p = 0; p < cells.size(); ++p) {
        if (cells[p] == 1)
            ++key[0];
        if (cells[p] == 1 || cells[p] == 2) {
            if (stones == 0)
                key[1] = static_cast<uint16_t>(p);
            key[3] = static_cast<uint16_t>(p);
            ++stones;
        }
    }
    if (stones > 0) {
        int wanted = stones / 2;
        for (size_t p = 0; p < cells.size(); ++p) {
            if (cells[p] == 1 || cells[p] == 2) {
                if (wanted-- == 0) {
                    key[2] = static_cast<uint16_t>(p);
                    break;
                }
            }
        }
    }
    return key;
}

int bucketOf(const PatternPosition& position) {
    if (position.colour != 1 && position.colour != 2)
        return -1;
    const int stones = position.grid.countValue(1) + position.grid.countValue(2);
    return std::min(kBucketCount, position.colour + 2 * stones - 1);
}

}  // namespace tessera
