#include "library/game_mark_map.h"

#include <algorithm>
#include <cstring>

#include "platform/atomic_file.h"
#include "platform/program_folders.h"

namespace tessera {
namespace {

constexpr size_t kHeaderBytes = 32;
constexpr size_t kPairBytes = 8;
constexpr size_t kMaxFileBytes = size_t(64) << 20;

int32_t readI32(const char* at) {
    uint32_t value = 0;
    for (int k = 3; k >= 0; --k)
        value = (value << 8) | static_cast<unsigned char>(at[k]);
    return static_cast<int32_t>(value);
}

void appendI32(std::string& out, int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    for (int k = 0; k < 4; ++k)
        out.push_back(static_cast<char>((bits >> (8 * k)) & 0xFF));
}

}  // namespace

std::string markFilePath(const std::string& rootFolder) { return GetCustomFolder(rootFolder) + "GoCustom.dat"; }

bool GameMarkMap::load(const std::string& path) {
    std::lock_guard lock(mutex_);
    pairs_.clear();
    changed_ = false;
    path_ = path;
    const auto bytes = readFileBounded(path, kMaxFileBytes);
    if (!bytes || bytes->size() < kHeaderBytes || std::memcmp(bytes->data(), "GFPCH\0", 6) != 0)
        return false;
    double version = 1.0;
    std::memcpy(&version, bytes->data() + 20, sizeof version);  // little-endian hosts
    if (version != 0.0)
        return false;
    const int32_t count = readI32(bytes->data() + 28);
    if (count < 1)
        return true;
    if ((bytes->size() - kHeaderBytes) / kPairBytes < static_cast<size_t>(count))
        return false;
    pairs_.reserve(static_cast<size_t>(count));
    for (int32_t k = 0; k < count; ++k) {
        const char* at = bytes->data() + kHeaderBytes + kPairBytes * static_cast<size_t>(k);
        const int32_t mark = readI32(at + 4);
        if (mark >= 1)
            pairs_.emplace_back(readI32(at), mark);
    }
    // Binary search needs sorted unique ids, whatever a damaged file holds.
    std::stable_sort(pairs_.begin(), pairs_.end(), [](auto& a, auto& b) { return a.first < b.first; });
    pairs_.erase(std::unique(pairs_.begin(), pairs_.end(), [](auto& a, auto& b) { return a.first == b.first; }),
                 pairs_.end());
    return true;
}

int GameMarkMap::findLocked(int32_t id) const {
    const auto it =
        std::lower_bound(pairs_.begin(), pairs_.end(), id, [](auto& pair, int32_t key) { return pair.first < key; });
    return it != pairs_.end() && it->first == id ? static_cast<int>(it - pairs_.begin()) : -1;
}

int GameMarkMap::find(int32_t id) const {
    std::lock_guard lock(mutex_);
    return findLocked(id);
}

int GameMarkMap::mark(int32_t id) const {
    std::lock_guard lock(mutex_);
    const int at = findLocked(id);
    return at < 0 ? 0 : pairs_[static_cast<size_t>(at)].second;
}

void GameMarkMap::set(int32_t id, int mark) {
    std::lock_guard lock(mutex_);
    const int at = findLocked(id);
    if (mark < 1) {
        if (at >= 0) {
            pairs_.erase(pairs_.begin() + at);
            changed_ = true;
        }
        return;
    }
    if (at >= 0) {
        if (pairs_[static_cast<size_t>(at)].second != mark) {
            pairs_[static_cast<size_t>(at)].second = mark;
            changed_ = true;
        }
        return;
    }
    const auto place =
        std::upper_bound(pairs_.begin(), pairs_.end(), id, [](int32_t key, auto& pair) { return key < pair.first; });
    pairs_.insert(place, {id, mark});
    changed_ = true;
}

bool GameMarkMap::save(const std::string& path) const {
    std::string bytes;
    {
        std::lock_guard lock(mutex_);
        bytes.assign(kHeaderBytes, '\0');
        std::memcpy(bytes.data(), "GFPCH", 5);
        const double version = 0.0;
        std::memcpy(bytes.data() + 20, &version, sizeof version);
        bytes.resize(28);
        appendI32(bytes, static_cast<int32_t>(pairs_.size()));
        for (const auto& [id, mark] : pairs_) {
            appendI32(bytes, id);
            appendI32(bytes, mark);
        }
    }
    return MakeFolderPath(path) && writeFileAtomically(path, bytes);
}

bool GameMarkMap::saveIfChanged() {
    std::string path;
    {
        std::lock_guard lock(mutex_);
        if (path_.empty() || !changed_)
            return true;
        path = path_;
    }
    if (!save(path))
        return false;
    std::lock_guard lock(mutex_);
    changed_ = false;
    return true;
}

bool GameMarkMap::changed() const {
    std::lock_guard lock(mutex_);
    return changed_;
}

size_t GameMarkMap::size() const {
    std::lock_guard lock(mutex_);
    return pairs_.size();
}

std::string GameMarkMap::path() const {
    std::lock_guard lock(mutex_);
    return path_;
}

std::vector<std::pair<int32_t, int32_t>> GameMarkMap::pairs() const {
    std::lock_guard lock(mutex_);
    return pairs_;
}

}  // namespace tessera
