// Build-time generator: draws the board pictures and synthesises the board sounds.
// Usage: generate_board_assets ROOT_FOLDER PROGRAM_FOLDER

#include <QCoreApplication>
#include <cstdio>
#include <string>

#include "view/board_assets.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: generate_board_assets ROOT_FOLDER PROGRAM_FOLDER\n");
        return 2;
    }
    // The application object lets Qt find its image format plugins (JPEG).
    QCoreApplication app(argc, argv);
    std::string error;
    if (!tessera::generateBoardAssets(argv[1], argv[2], &error)) {
        std::fprintf(stderr, "generate_board_assets: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
