#include "view/board_text.h"

#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace tessera {

namespace {

QFont serifFace() {
    QFont font;
    font.setFamilies({QStringLiteral("MS Serif"), QStringLiteral("DejaVu Serif"), QStringLiteral("Noto Serif CJK SC"),
                      QStringLiteral("Noto Sans CJK SC"), QStringLiteral("serif")});
    return font;
}

// Capitals of the serif faces stand about 0.73 of the pixel size; measured once per family
// match, as the face found depends on the fonts installed.
double capHeightPerPixel() {
    static const double ratio = [] {
        QFont probe = serifFace();
        probe.setPixelSize(100);
        const double measured = QFontMetricsF(probe).capHeight() / 100.0;
        return measured > 0.4 && measured < 1.0 ? measured : 0.73;
    }();
    return ratio;
}

}  // namespace

QFont boardTextFont(double capHeight) {
    QFont font = serifFace();
    const double height = std::max<double>(capHeight, kSmallestGlyphHeight);
    // Rounded up: hinting snaps capitals to whole pixels, and a glyph a pixel short is unreadable.
    font.setPixelSize(std::max(1, static_cast<int>(std::ceil(height / capHeightPerPixel() - 0.05))));
    return font;
}

QFont fittedBoardTextFont(double capHeight, const QString& text, int maxWidth) {
    QFont font = boardTextFont(capHeight);
    if (maxWidth <= 0 || text.isEmpty())
        return font;
    const double width = QFontMetricsF(font).horizontalAdvance(text);
    if (width > maxWidth)
        font.setStretch(std::max(50, static_cast<int>(100.0 * maxWidth / width)));
    return font;
}

double coordinateGlyphHeight(int cell) {
    // A quarter of the cell, up to the size of ordinary window text made large.
    return std::clamp(0.25 * cell, static_cast<double>(kSmallestGlyphHeight), 15.0);
}

double labelGlyphHeight(int cell, bool small, bool hint) {
    const double share = !small ? 0.36 : hint ? 0.26 : 0.3;
    return std::max(share * cell, static_cast<double>(kSmallestGlyphHeight));
}

}  // namespace tessera
