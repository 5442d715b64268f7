#pragma once
// The layout of an installed program (cmake --install, the Debian package): executables in
// <prefix>/bin/, the shipped data read-only in <prefix>/share/tessera/ (the root folder's
// files, and the program folder's files under program/). Each user gets a writable copy of
// that layout under the XDG data folder, made at the first start:
//
//   ~/.local/share/tessera/             root folder: custom/, the shipped default INI files
//   ~/.local/share/tessera/program/     program folder: library, record store, log, temp/
//
// Shipped files are copied (the user's program may change them); shipped folders of pictures,
// sounds and translations are linked, so that an upgraded package brings its new ones.

#include <string>

namespace tessera {

// The name of the program folder inside the shared data folder and the user's data folder.
inline constexpr const char* kInstalledProgramSubfolder = "program/";

// The shared data folder (with a trailing '/') of the installation whose executables live in
// `executableFolder`, or empty when there is none (the portable layout of a build folder):
// `relativeDataFolder` is the path from the executables to the shared data ("../share/tessera").
std::string installedDataFolder(const std::string& executableFolder, const std::string& relativeDataFolder);

// The user's folder of this program with a trailing '/': $XDG_DATA_HOME/tessera/ when that
// variable holds an absolute path, else $HOME/.local/share/tessera/; empty without a home.
std::string userDataFolder();

// Brings `userRoot` up to date with `sharedRoot`: makes the folders, copies every shipped file
// that the user lacks (never replacing one), links every shipped folder that the user lacks or
// whose link no longer leads anywhere. The folder program/ is always a real folder. True when
// `userRoot` and its program/ exist afterwards.
bool seedUserFolder(const std::string& sharedRoot, const std::string& userRoot);

}  // namespace tessera
