// Pictures of professional positions drawn by Go programs of other authors (CGoban's window in
// two looks, sgf2dg diagram pages at two resolutions, made at test time by
// draw_with_other_programs.sh), and JPEG copies of them, are read with at most one wrong point
// in a hundred per source.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>

#include <QBuffer>
#include <QImage>

#include "go/move.h"
#include "record/sgf_file.h"
#include "support/test_support.h"
#include "view/board_picture_reader.h"
#include "view/gui_application.h"
#include "view/record_node_view.h"
#include "view/sample_positions.h"
#include "view/tone_rule.h"

namespace tessera {
namespace {

namespace fs = std::filesystem;

// A record whose root sets up `position` (black to play unless told), followed by `moves`.
GameRecord setupRecord(const BoardGrid& position, const std::vector<Move>& moves) {
    GameRecord record;
    record.info.boardWidth = record.info.boardHeight = static_cast<int16_t>(position.width());
    GameNode root;
    root.fullSetup = 1;
    root.sideToMove = moves.empty() ? kBlack : static_cast<uint8_t>(moves.front().colour);
    position.pointsWithValue(kBlack, root.addBlack);
    position.pointsWithValue(kWhite, root.addWhite);
    int32_t parent = record.tree.addNode(std::move(root))->id;
    for (const Move& move : moves) {
        GameNode node;
        node.parentId = parent;
        node.move = move;
        parent = record.tree.addNode(std::move(node))->id;
    }
    record.recomputePositions();
    return record;
}

// Writes NAME.sgf (the position after `move` as setup) and NAME-moves.sgf (the position up to
// twenty moves earlier, then those moves, none of which captures) for `count` corpus games;
// returns the positions by name.
std::map<std::string, BoardGrid> writeRecords(const fs::path& folder, int count, int move) {
    std::map<std::string, BoardGrid> positions;
    const auto samples = test::samplePositions(count, move);
    std::vector<fs::path> files;
    for (const auto& sample : samples)
        files.push_back(test::sharedDir() / sample.name.substr(0, sample.name.rfind(" move ")));
    for (size_t i = 0; i < files.size(); ++i) {
        GameRecord record;
        std::string error;
        if (!loadRecordFile(files[i], record, error))
            continue;
        const int last = std::min(move, record.tree.countMainLineMoves());
        int first = last;
        std::vector<Move> moves;
        while (first > 0 && last - first < 20) {
            const GameNode* node = mainLineNodeAtMove(record, first);
            if (!node || !node->captured.empty() || !node->move.isStoneMove())
                break;
            moves.insert(moves.begin(), node->move);
            --first;
        }
        const GameNode* start = mainLineNodeAtMove(record, first);
        const GameNode* end = mainLineNodeAtMove(record, last);
        if (!start || !end)
            continue;
        const std::string name = "game" + std::to_string(i);
        EXPECT_TRUE(saveSgfFile(folder / (name + ".sgf"), setupRecord(end->position, {}), error)) << error;
        EXPECT_TRUE(saveSgfFile(folder / (name + "-moves.sgf"), setupRecord(start->position, moves), error)) << error;
        positions[name] = end->position;
    }
    return positions;
}

QImage jpegCopy(const QImage& picture, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPEG", quality);
    return QImage::fromData(bytes, "JPEG");
}

// A printed page as a scanner sees it: ink greyed, paper dimmed, and a shadow growing
// towards the right edge (as near a book's spine).
QImage scannedCopy(const QImage& picture) {
    QImage scan = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < scan.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(scan.scanLine(y));
        for (int x = 0; x < scan.width(); ++x) {
            const int shadow = 45 * x / scan.width();
            const int tone = std::clamp(70 + qGray(row[x]) * 6 / 10 - shadow, 0, 255);
            row[x] = qRgb(tone, tone, std::max(0, tone - 8));
        }
    }
    return scan;
}

struct Tally {
    int pictures = 0;
    int points = 0;
    int wrong = 0;
    int plainRuleWrong = 0;  // the very-dark / very-light share rule over the corners found
};

TEST(OtherProgramsReading, PicturesOfOtherProgramsAreReadNearlyPointForPoint) {
    if (test::sharedDir().empty())
        GTEST_SKIP() << "the shared corpus folder is absent";
    test::ensureApplication();
    test::ScratchFolder folder;
    const auto positions = writeRecords(folder.path(), 2, 150);
    ASSERT_FALSE(positions.empty());
    const std::string script = std::string(TESSERA_TEST_DATA_DIR) + "/../view/draw_with_other_programs.sh";
    const int status = std::system(("'" + script + "' '" + folder.path().string() + "'").c_str());
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "neither CGoban nor sgf2dg with Ghostscript is installed";
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

    std::map<std::string, Tally> tallies;  // by source, and source + " jpeg" / " scan"
    for (const auto& entry : fs::directory_iterator(folder.path())) {
        const std::string file = entry.path().filename().string();
        if (entry.path().extension() != ".png")
            continue;
        const std::string name = file.substr(0, file.find('.'));
        const std::string source = file.substr(name.size() + 1, file.size() - name.size() - 5);
        const BoardGrid& truth = positions.at(name);
        const QImage picture(QString::fromStdString(entry.path().string()));
        ASSERT_FALSE(picture.isNull()) << file;
        // Printed diagrams are also read as a greyed, shadowed scan.
        const std::vector<std::string> copies = source.rfind("sgf2dg", 0) == 0
                                                    ? std::vector<std::string>{"", " jpeg", " scan"}
                                                    : std::vector<std::string>{"", " jpeg"};
        for (const std::string& copy : copies) {
            const bool jpeg = copy == " jpeg";
            const PixelImage image = PixelImage::fromQImage(jpeg              ? jpegCopy(picture, 60)
                                                            : copy == " scan" ? jpegCopy(scannedCopy(picture), 75)
                                                                              : picture);
            const BoardPictureReading reading = readBoardPicture(image);
            Tally& tally = tallies[source + copy];
            ++tally.pictures;
            tally.points += truth.width() * truth.height();
            const int wrong = test::differingPoints(reading.position, truth);
            tally.wrong += wrong;
            EXPECT_EQ(reading.grid.lines, truth.width()) << file << copy;
            BoardGrid plain(truth.width(), truth.height());
            if (reading.grid.found())
                recognizeBoard(image, reading.grid.corners(), plain);
            tally.plainRuleWrong += test::differingPoints(plain, truth);
        }
    }
    for (const auto& [source, tally] : tallies) {
        std::cout << source << ": " << tally.pictures << " pictures, " << tally.wrong << " of " << tally.points
                  << " points wrong (plain tone rule: " << tally.plainRuleWrong << ")\n";
        EXPECT_LE(tally.wrong * 100, tally.points) << source;
    }
    EXPECT_GE(tallies.size(), 2u);
}

}  // namespace
}  // namespace tessera
