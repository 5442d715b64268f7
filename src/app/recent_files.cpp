#include "app/recent_files.h"

#include <algorithm>

#include "platform/ini_file.h"
#include "platform/program_folders.h"

namespace tessera {

namespace {
constexpr const char* kSection = "RECENT";

std::string keyOf(int index) { return "File" + std::to_string(index + 1); }
}  // namespace

RecentFiles::RecentFiles(std::string iniPath) : iniPath_(std::move(iniPath)) {}

void RecentFiles::load() {
    files_.clear();
    for (int i = 0; i < kMaxFiles; ++i) {
        std::string file = readIniString(iniPath_, kSection, keyOf(i), "");
        if (!file.empty() && std::find(files_.begin(), files_.end(), file) == files_.end())
            files_.push_back(std::move(file));
    }
}

bool RecentFiles::add(const std::string& file) {
    if (file.empty())
        return false;
    // Another window may have changed the list since it was read.
    load();
    files_.erase(std::remove(files_.begin(), files_.end(), file), files_.end());
    files_.insert(files_.begin(), file);
    if (files_.size() > static_cast<std::size_t>(kMaxFiles))
        files_.resize(kMaxFiles);
    return save();
}

bool RecentFiles::remove(const std::string& file) {
    load();
    files_.erase(std::remove(files_.begin(), files_.end(), file), files_.end());
    return save();
}

bool RecentFiles::clear() {
    files_.clear();
    return save();
}

bool RecentFiles::save() const {
    std::vector<IniEntry> entries;
    for (int i = 0; i < kMaxFiles; ++i)
        entries.push_back(
            {kSection, keyOf(i), i < static_cast<int>(files_.size()) ? files_[static_cast<std::size_t>(i)] : ""});
    MakeFolderPath(iniPath_);
    return writeIniValues(iniPath_, entries);
}

}  // namespace tessera
