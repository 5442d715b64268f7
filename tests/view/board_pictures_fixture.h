#pragma once
// What the board-picture tests share: picture folders that hold nothing (the painter draws its
// stand-ins) or the generated pictures, brightness of a pixel, and keeping drawn pictures for
// a look (TESSERA_DUMP_BOARDS=<folder>).

#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/test_support.h"
#include "view/board_assets.h"
#include "view/board_painter.h"

namespace tessera::test {

// Picture folders inside a folder without pictures: every picture is drawn in code.
inline BoardPictureFolders drawnPictures(const ScratchFolder& folder) {
    return {folder.path().string() + "/", folder.path().string() + "/bin/"};
}

inline double luminance(QRgb p) { return 0.299 * qRed(p) + 0.587 * qGreen(p) + 0.114 * qBlue(p); }
inline int lightness(QRgb p) { return (qRed(p) * 30 + qGreen(p) * 59 + qBlue(p) * 11) / 100; }

// Saves the picture as <name>.png in $TESSERA_DUMP_BOARDS, when that is set.
inline void dumpPicture(const QImage& image, const std::string& name) {
    const char* folder = std::getenv("TESSERA_DUMP_BOARDS");
    if (folder && *folder)
        image.save(QString::fromStdString((std::filesystem::path(folder) / (name + ".png")).string()));
}

// A suite whose pictures are generated once, as the build generates them, into root() and
// its program folder root()/bin.
class GeneratedPicturesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        scratch_ = new ScratchFolder;
        std::string error;
        generated_ = generateBoardAssets(root(), program(), &error);
        EXPECT_TRUE(generated_) << error;
    }
    static void TearDownTestSuite() {
        delete scratch_;
        scratch_ = nullptr;
    }
    static std::filesystem::path root() { return scratch_->path(); }
    static std::filesystem::path program() { return root() / "bin"; }
    static BoardPictureFolders folders() { return {root().string() + "/", program().string() + "/"}; }

    static inline ScratchFolder* scratch_ = nullptr;
    static inline bool generated_ = false;
};

}  // namespace tessera::test
