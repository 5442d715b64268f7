#pragma once
// The record files opened last, newest first, kept in an INI file of the user's custom folder
// ([RECENT] File1 .. File10) so that the list survives a restart and several windows share it.

#include <string>
#include <vector>

namespace tessera {

class RecentFiles {
public:
    static constexpr int kMaxFiles = 10;

    // `iniPath`: the file the list is read from and written to (custom/recent.ini).
    explicit RecentFiles(std::string iniPath);

    // Re-reads the list from the file (empty when the file is missing); empty and repeated
    // entries are dropped.
    void load();
    // The files, newest first.
    const std::vector<std::string>& files() const { return files_; }
    // Puts `file` first (moving it when listed already, dropping the oldest past kMaxFiles) and
    // writes the list. False when the file could not be written (the list in memory changes).
    bool add(const std::string& file);
    // Takes `file` out of the list (one that could not be opened) and writes the list.
    bool remove(const std::string& file);
    // Empties the list and writes it.
    bool clear();

private:
    bool save() const;

    std::string iniPath_;
    std::vector<std::string> files_;
};

}  // namespace tessera
