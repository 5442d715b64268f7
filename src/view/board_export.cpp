#include "view/board_export.h"

#include <algorithm>
#include <cctype>

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

#include "platform/atomic_file.h"

namespace tessera {
namespace {

constexpr int kSmallestPicture = 100;
constexpr int kLargestPicture = 4000;

BoardViewport exportViewport(const BoardViewSettings& settings, const BoardExportOptions& options) {
    BoardViewport viewport;
    BoardViewSettings shown = settings;
    shown.showScale = options.coordinates;
    viewport.applySettings(shown);
    const int size = std::clamp(options.size, kSmallestPicture, kLargestPicture);
    viewport.setClientSize(size, size);
    return viewport;
}

// The display with what a picture never shows (the keyboard cursor is the last-move mark and
// stays) and, when asked, without move numbers.
BoardDisplay exportDisplay(const BoardDisplay& display, const BoardExportOptions& options) {
    BoardDisplay shown = display;
    if (!options.moveNumbers)
        shown.moveNumbers.clear();
    return shown;
}

bool endsWithSvg(const std::string& path) {
    if (path.size() < 4)
        return false;
    std::string tail = path.substr(path.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return tail == ".svg";
}

}  // namespace

QImage boardExportImage(const BoardDisplay& display, const BoardViewSettings& settings,
                        const BoardExportOptions& options, BoardPainter& painter) {
    return painter.render(exportDisplay(display, options), exportViewport(settings, options));
}

QByteArray boardExportSvg(const BoardDisplay& display, const BoardViewSettings& settings,
                          const BoardExportOptions& options, BoardPainter& painter) {
    const BoardViewport viewport = exportViewport(settings, options);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(viewport.clientWidth(), viewport.clientHeight()));
    svg.setViewBox(QRect(0, 0, viewport.clientWidth(), viewport.clientHeight()));
    svg.setTitle(QStringLiteral("Go board"));
    {
        QPainter p(&svg);
        painter.paintVector(exportDisplay(display, options), viewport, p);
    }
    return bytes;
}

bool saveBoardPicture(const std::string& path, const BoardDisplay& display, const BoardViewSettings& settings,
                      const BoardExportOptions& options, BoardPainter& painter, std::string& error) {
    QByteArray bytes;
    if (endsWithSvg(path)) {
        bytes = boardExportSvg(display, settings, options, painter);
    } else {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!boardExportImage(display, settings, options, painter).save(&buffer, "PNG")) {
            error = "the picture could not be encoded";
            return false;
        }
    }
    if (bytes.isEmpty() || !writeFileAtomically(path, bytes.toStdString())) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace tessera
