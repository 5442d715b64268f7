#pragma once
// Printing property trees as SGF text. Values are escaped ("]" and "\" get a backslash) and
// written as held (UTF-8). Printing is iterative, so deep trees are safe.

#include <filesystem>
#include <string>
#include <vector>

#include "record/sgf_property_tree.h"

namespace tessera {

class SgfWriter {
public:
    // The SGF text of the trees, one "(...)" after another, ending with a line feed.
    static std::string PrintTrees(const std::vector<const SgfNode*>& roots);
    // Prints the trees into the file atomically. False with a reason in error.
    static bool WriteTrees(const std::filesystem::path& file, const std::vector<const SgfNode*>& roots,
                           std::string& error);
    // value with "]" and "\" escaped; with escapeColon, ":" too (the first part of a compose value).
    static std::string Escape(const std::string& value, bool escapeColon = false);
};

}  // namespace tessera
