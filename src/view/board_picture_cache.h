#pragma once
// The pictures the board styles draw with, loaded from the installation and kept with their
// sized stones until the style or brightness changes.
//
//   Traditional: <program folder>/board/wood.png (69 x 75 tile), black.png, white.png (23 x 23
//                stones on pure red, the transparent colour). The optional resource pictures
//                board/20002.png (tile) and board/<20100+s>.png, board/<20200+s>.png (stones
//                of side s, drawn unscaled) take precedence when present.
//   Marble:      <root>/BoardTemplate/Marble/mb_bgn.jpg, mb_board.jpg, mb_bstone.png, mb_wstone.png.
//
// A picture that is missing or unreadable is replaced by the same picture drawn in code
// (board_pictures.h, what the build's generator writes), so every style always has its board
// and stones.

#include <array>
#include <map>
#include <string>

#include <QImage>

namespace tessera {

// Where the pictures are looked for; both strings end with '/' (or are empty: working folder).
struct BoardPictureFolders {
    std::string rootFolder;
    std::string programFolder;
    // The folders of the running installation (GetProgramFolder and its root).
    static BoardPictureFolders installed();
};

class BoardPictureCache {
public:
    explicit BoardPictureCache(BoardPictureFolders folders);

    // Releases every picture and sized stone, then loads those of the style; on Marble the
    // board picture gets the brightness offset (clamped to -128 .. 128).
    void prepare(int style, int light);
    // True when prepare() last ran for this style and brightness.
    bool preparedFor(int style, int light) const { return prepared_ && style == style_ && light == light_; }

    // The Traditional board tile (null on other styles).
    const QImage& woodTile() const { return woodTile_; }
    // The Marble background and brightness-adjusted board tiles (null on other styles).
    const QImage& marbleBackground() const { return marbleBackground_; }
    const QImage& marbleBoard() const { return marbleBoard_; }
    // The stone of colour 1 or 2 and side `size`, premultiplied alpha, made on first use and
    // kept; a null image when the style draws circles at that size.
    const QImage& stone(int colour, int size);

    // Every pixel of pure red (255, 0, 0) becomes transparent; the result is premultiplied.
    static QImage redAsTransparent(const QImage& picture);
    // Each channel c of every pixel whose 32-bit value is not 0 becomes clamp(c + light, 0, 255).
    static QImage adjustBrightness(const QImage& picture, int light);

private:
    QImage loadPicture(const std::string& path) const;

    BoardPictureFolders folders_;
    bool prepared_ = false;
    int style_ = -1;
    int light_ = 0;
    QImage woodTile_;
    QImage ownStones_[2];  // Traditional: 23 x 23, red made transparent
    QImage marbleBackground_;
    QImage marbleBoard_;
    QImage marbleStones_[2];          // Marble: full-size stones with alpha
    std::map<int, QImage> sized_[2];  // side -> stone ready to draw
    QImage none_;
};

}  // namespace tessera
