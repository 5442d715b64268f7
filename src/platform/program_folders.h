#pragma once
// The two folders from which every file of the installation is found, and the small path
// helpers the rest of the program uses.
//
// Portable layout (a build folder): the program folder (executables and data files) is <root>/bin/, the root
// folder holds custom/ (the user's settings and marks) and the shipped default INI files.
// Folder strings always end with '/', so that a file name can simply be appended.

#include <string>

namespace tessera {

// Longest program folder string from which a root folder is derived (the system's PATH_MAX).
inline constexpr std::size_t kMaxFolderPathLength = 4096;

// The program folder with a trailing '/': the value of TESSERA_PROGRAM_FOLDER when it is set
// and not empty (made absolute); else, for an installed program (platform/installed_layout.h),
// the user's program folder, seeded from the shared data at the first call of the process;
// else the folder of the running executable (/proc/self/exe). Empty only when none is found.
std::string GetProgramFolder();

// The parent of `programFolder` with a trailing '/', cut after the second-last '/'
// ("/opt/tessera/bin/" gives "/opt/tessera/"; a missing trailing '/' is supplied first).
// Empty when `programFolder` is empty, longer than kMaxFolderPathLength, or holds fewer
// than two '/'; files under the root are then looked for relative to the working folder.
std::string GetRootFolder(const std::string& programFolder);

// The user's folder "custom/" under `rootFolder` (relative to the working folder when the
// root is empty).
std::string GetCustomFolder(const std::string& rootFolder);

// True when an entry (file, folder or anything else) of exactly this name exists.
bool FileExists(const std::string& path);

// Creates every missing folder on the folder part of `filePath` (everything up to its last
// '/'), one level after another; existing folders are fine. True when the folder exists
// afterwards. "a/b/c.ini" creates a/ and a/b/; "a/b/" creates a/ and a/b/.
bool MakeFolderPath(const std::string& filePath);

// `folder` with a trailing '/' added when it lacks one (an empty string stays empty).
std::string withTrailingSlash(const std::string& folder);

}  // namespace tessera
