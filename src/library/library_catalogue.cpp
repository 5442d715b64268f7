#include "library/library_catalogue.h"

#include <algorithm>

namespace tessera {

void LibraryCatalogue::assign(std::vector<LibraryRecord> records) {
    clear();
    int32_t largest = -1;
    for (const auto& record : records)
        largest = std::max(largest, record.id);
    if (largest < 0)
        return;
    slots_.resize(static_cast<size_t>(largest) + 1);
    for (auto& record : records) {
        if (record.id < 0)
            continue;
        auto& slot = slots_[static_cast<size_t>(record.id)];
        if (slot.id != record.id)
            ++count_;
        slot = std::move(record);
    }
}

}  // namespace tessera
