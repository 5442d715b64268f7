#include "view/board_picture_cache.h"

#include <algorithm>

#include "platform/program_folders.h"
#include "view/board_assets.h"
#include "view/board_pictures.h"
#include "view/board_viewport.h"

namespace tessera {

namespace {

constexpr int kMinPictureStone = kSizedStoneSmallest;  // sized stones are made for sides 10 .. 59
constexpr int kMaxPictureStone = kSizedStoneLargest;

}  // namespace

BoardPictureFolders BoardPictureFolders::installed() {
    const std::string program = GetProgramFolder();
    return BoardPictureFolders{GetRootFolder(program), program};
}

BoardPictureCache::BoardPictureCache(BoardPictureFolders folders) : folders_(std::move(folders)) {}

QImage BoardPictureCache::loadPicture(const std::string& path) const {
    QImage image;
    if (!FileExists(path) || !image.load(QString::fromStdString(path)))
        return QImage();
    return image;
}

QImage BoardPictureCache::redAsTransparent(const QImage& picture) {
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0x00FFFFFF) == 0x00FF0000)
                line[x] = 0;
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage BoardPictureCache::adjustBrightness(const QImage& picture, int light) {
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    light = std::clamp(light, -128, 128);
    if (light == 0)
        return image;
    auto adjust = [light](int c) { return std::clamp(c + light, 0, 255); };
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (line[x] != 0)
                line[x] =
                    qRgba(adjust(qRed(line[x])), adjust(qGreen(line[x])), adjust(qBlue(line[x])), qAlpha(line[x]));
    }
    return image;
}

void BoardPictureCache::prepare(int style, int light) {
    woodTile_ = QImage();
    marbleBackground_ = QImage();
    marbleBoard_ = QImage();
    for (int i = 0; i < 2; ++i) {
        ownStones_[i] = QImage();
        marbleStones_[i] = QImage();
        sized_[i].clear();
    }
    style_ = style;
    light_ = light;
    prepared_ = true;
    if (style == kStyleTraditional) {
        const std::string board = folders_.programFolder + "board/";
        woodTile_ = loadPicture(board + std::to_string(kBoardTileResource) + ".png");
        if (woodTile_.isNull())
            woodTile_ = loadPicture(board + "wood.png");
        if (woodTile_.isNull())
            woodTile_ = drawWoodTile();
        const char* names[2] = {"black.png", "white.png"};
        for (int i = 0; i < 2; ++i) {
            QImage own = loadPicture(board + names[i]);
            if (own.isNull())
                own = drawKeyedStone(i == 0 ? StoneShade::Black : StoneShade::White);
            ownStones_[i] = redAsTransparent(own);
        }
    } else if (style == kStyleMarble) {
        const std::string marble = folders_.rootFolder + "BoardTemplate/Marble/";
        marbleBackground_ = loadPicture(marble + "mb_bgn.jpg");
        if (marbleBackground_.isNull())
            marbleBackground_ = drawMarbleBackground(kMarbleBackgroundSide);
        marbleBackground_ = marbleBackground_.convertToFormat(QImage::Format_RGB32);
        QImage board = loadPicture(marble + "mb_board.jpg");
        if (board.isNull())
            board = drawMarbleBoard(kMarbleBoardSide);
        marbleBoard_ = adjustBrightness(board, light).convertToFormat(QImage::Format_RGB32);
        const char* names[2] = {"mb_bstone.png", "mb_wstone.png"};
        for (int i = 0; i < 2; ++i) {
            QImage stone = loadPicture(marble + names[i]);
            if (stone.isNull())
                stone = drawMarbleStone(i == 0 ? StoneShade::Black : StoneShade::White, kMarbleStoneSide);
            marbleStones_[i] = stone.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        }
    }
}

const QImage& BoardPictureCache::stone(int colour, int size) {
    if ((colour != 1 && colour != 2) || size < 1 || !prepared_)
        return none_;
    const int index = colour - 1;
    auto found = sized_[index].find(size);
    if (found != sized_[index].end())
        return found->second;
    QImage made;
    if (style_ == kStyleTraditional) {
        // Pre-drawn stones of the resource folder are used unscaled; the program's own are stretched.
        if (size >= kMinPictureStone && size <= kMaxPictureStone) {
            const int number = (colour == 1 ? kBlackStoneResourceBase : kWhiteStoneResourceBase) + size;
            const QImage predrawn = loadPicture(folders_.programFolder + "board/" + std::to_string(number) + ".png");
            if (!predrawn.isNull())
                made = redAsTransparent(predrawn);
        }
        if (made.isNull())
            made = ownStones_[index].scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    } else if (style_ == kStyleMarble && size >= kMinPictureStone && size <= kMaxPictureStone) {
        made = marbleStones_[index].scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    if (made.isNull())
        return none_;
    return sized_[index].emplace(size, made.convertToFormat(QImage::Format_ARGB32_Premultiplied)).first->second;
}

}  // namespace tessera
