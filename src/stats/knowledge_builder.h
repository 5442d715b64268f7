#pragma once
// Builds the knowledge base (GFP2.dat, GFPKnow.dat) from annotated records: every 19 x 19
// node with a comment becomes the note of its position (the position after the node, with
// the colour to play there). A position noted more than once (also under a symmetry) keeps
// one note whose comment joins the texts. Notes are stored in one orientation per position;
// their labels and markup are mapped with them.

#include <functional>
#include <string>
#include <vector>

namespace tessera {

struct KnowledgeBuildSummary {
    int files = 0;
    int refusedFiles = 0;
    int notes = 0;
    std::vector<std::string> refused;  // "file: reason"
};

// Reports the records read so far; false cancels.
using KnowledgeBuildProgress = std::function<bool(size_t done, size_t total)>;

// Writes both files into outputFolder (ending with '/'), under temporary names renamed when
// complete. False with a reason when nothing could be written or when cancelled
// ("cancelled"); the old files are then left as they were.
bool buildKnowledge(const std::vector<std::string>& files, const std::string& outputFolder,
                    KnowledgeBuildSummary& summary, std::string& error, const KnowledgeBuildProgress& progress = {});

}  // namespace tessera
