#pragma once
// Making sure a library game's SGG file is on disk: a missing file is taken from the library
// server when the library lives on one, else fetched from the library download root ("<root><id/1000>/<id:08>.sgg.zip")
// into the program's temp/ folder and unpacked into the store. Whatever happens, nothing is left in temp/.

#include <string>

namespace tessera {

class LibraryStore;

// The download root of a program: [SETTING] LibraryDownloadRoot of vantor.ini when the key is
// present (an empty value means no root), else the online update address followed by "GoFile/"
// (empty when no update server is configured).
std::string libraryDownloadRoot(const std::string& vantorIniPath);

// True when the game's file exists or was fetched. Otherwise false with error
// "can't download sgg file(<zip path>)!" (no root, failed download or damaged archive).
bool ensureLibraryGameFile(const LibraryStore& store, int32_t id, const std::string& downloadRoot, std::string& error);

}  // namespace tessera
