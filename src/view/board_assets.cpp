#include "view/board_assets.h"

#include <QBuffer>
#include <QImageWriter>
#include <QSaveFile>

#include "view/board_pictures.h"
#include "view/board_sounds.h"

namespace tessera {

namespace {

namespace fs = std::filesystem;

fs::path marbleFolder(const fs::path& root) { return root / "BoardTemplate" / "Marble"; }
fs::path boardFolder(const fs::path& program) { return program / "board"; }

struct SoundFile {
    int resource;
    BoardSound sound;
};

constexpr SoundFile kSounds[] = {
    {kSoundStone, BoardSound::StonePlaced},       {kSoundCaptureOne, BoardSound::CaptureOne},
    {kSoundCaptureSome, BoardSound::CaptureFew},  {kSoundCaptureMany, BoardSound::CaptureMany},
    {kSoundTrialEnd, BoardSound::TrialEnd},       {kSoundTrialStart, BoardSound::TrialStart},
    {kSoundGameStart, BoardSound::GameStart},     {kSoundAnswerRight, BoardSound::AnswerRight},
    {kSoundAnswerWrong, BoardSound::AnswerWrong},
};

fs::path numbered(const fs::path& folder, int resource, const char* extension) {
    return folder / (std::to_string(resource) + extension);
}

bool writeAtomically(const fs::path& file, const QByteArray& bytes, std::string* error) {
    QSaveFile out(QString::fromStdString(file.string()));
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        if (error)
            *error = "cannot write " + file.string() + ": " + out.errorString().toStdString();
        return false;
    }
    return true;
}

bool writeImage(const fs::path& file, const QImage& image, std::string* error) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const bool jpeg = file.extension() == ".jpg";
    QImageWriter writer(&buffer, jpeg ? "jpeg" : "png");
    if (jpeg)
        writer.setQuality(92);
    if (!writer.write(image)) {
        if (error)
            *error = "cannot encode " + file.string() + ": " + writer.errorString().toStdString();
        return false;
    }
    return writeAtomically(file, bytes, error);
}

bool makeFolder(const fs::path& folder, std::string* error) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        if (error)
            *error = "cannot create " + folder.string() + ": " + ec.message();
        return false;
    }
    return true;
}

}  // namespace

std::vector<fs::path> boardAssetFiles(const fs::path& rootFolder, const fs::path& programFolder) {
    const fs::path marble = marbleFolder(rootFolder);
    const fs::path board = boardFolder(programFolder);
    std::vector<fs::path> files{marble / "mb_bgn.jpg",    marble / "mb_board.jpg",
                                marble / "mb_bstone.png", marble / "mb_wstone.png",
                                board / "wood.png",       board / "black.png",
                                board / "white.png",      numbered(board, kBoardTileResource, ".png")};
    for (int side = kSizedStoneSmallest; side <= kSizedStoneLargest; ++side) {
        files.push_back(numbered(board, kBlackStoneResourceBase + side, ".png"));
        files.push_back(numbered(board, kWhiteStoneResourceBase + side, ".png"));
    }
    for (const SoundFile& s : kSounds)
        files.push_back(numbered(board, s.resource, ".wav"));
    return files;
}

bool generateBoardAssets(const fs::path& rootFolder, const fs::path& programFolder, std::string* error) {
    const fs::path marble = marbleFolder(rootFolder);
    const fs::path board = boardFolder(programFolder);
    if (!makeFolder(marble, error) || !makeFolder(board, error))
        return false;

    if (!writeImage(marble / "mb_bgn.jpg", drawMarbleBackground(kMarbleBackgroundSide), error) ||
        !writeImage(marble / "mb_board.jpg", drawMarbleBoard(kMarbleBoardSide), error) ||
        !writeImage(marble / "mb_bstone.png", drawMarbleStone(StoneShade::Black, kMarbleStoneSide), error) ||
        !writeImage(marble / "mb_wstone.png", drawMarbleStone(StoneShade::White, kMarbleStoneSide), error))
        return false;

    const QImage wood = drawWoodTile();
    if (!writeImage(board / "wood.png", wood, error) ||
        !writeImage(numbered(board, kBoardTileResource, ".png"), wood, error) ||
        !writeImage(board / "black.png", drawKeyedStone(StoneShade::Black), error) ||
        !writeImage(board / "white.png", drawKeyedStone(StoneShade::White), error))
        return false;
    // Each size is drawn at its own resolution, so these stones need no scaling.
    for (int side = kSizedStoneSmallest; side <= kSizedStoneLargest; ++side) {
        if (!writeImage(numbered(board, kBlackStoneResourceBase + side, ".png"),
                        drawKeyedStone(StoneShade::Black, side), error) ||
            !writeImage(numbered(board, kWhiteStoneResourceBase + side, ".png"),
                        drawKeyedStone(StoneShade::White, side), error))
            return false;
    }

    for (const SoundFile& s : kSounds) {
        const std::string wav = encodeWav16Mono(synthesiseBoardSound(s.sound), kBoardSoundRate);
        if (!writeAtomically(numbered(board, s.resource, ".wav"),
                             QByteArray(wav.data(), static_cast<qsizetype>(wav.size())), error))
            return false;
    }
    return true;
}

}  // namespace tessera
