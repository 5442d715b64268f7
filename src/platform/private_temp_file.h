#pragma once
// Private copies handed to other programs (the outside record editor). The copy is a new file
// with a random name that only this user can read, made with O_CREAT | O_EXCL (mkstemp), so
// no symlink or file another user planted at a predictable name is ever written through.

#include <string>

namespace tessera {

// Makes `folder` (mode 0700 when it is created) and checks that it is a real directory of this
// user, not a symlink. False with a reason otherwise.
bool preparePrivateFolder(const std::string& folder, std::string& error);

// Writes bytes to a new file "<folder>/<prefix>XXXXXX<suffix>" (mode 0600) in a folder that
// preparePrivateFolder accepts; returns its path, or an empty text with a reason in error.
std::string writePrivateCopy(const std::string& folder, const std::string& prefix, const std::string& suffix,
                             const std::string& bytes, std::string& error);

// Deletes a copy made by writePrivateCopy (a missing file is fine).
void removePrivateCopy(const std::string& path);

}  // namespace tessera
