#pragma once
// Reading SGF text into the property tree. The encoding is decided before tokenising (see
// sgf_encoding.h); values come out unescaped and in UTF-8. Parsing is iterative, so nesting
// depth is limited only by the node budget, never by the stack.

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>

#include "record/sgf_encoding.h"
#include "record/sgf_property_tree.h"

namespace tessera {

class SgfReader {
public:
    // More nodes than this in one tree is refused: every node costs memory far beyond its bytes.
    static constexpr size_t kMaxNodes = 1'000'000;

    // The root of the first game tree of the file, or nullptr with a one-line reason in error.
    static std::unique_ptr<SgfNode> ReadFirstTree(const std::filesystem::path& file, std::string& error);
    // The same for bytes already in memory; encoding (when given) receives the encoding used.
    static std::unique_ptr<SgfNode> ReadFirstTreeFromBytes(const std::string& bytes, std::string& error,
                                                           SgfEncoding* encoding = nullptr);
};

}  // namespace tessera
