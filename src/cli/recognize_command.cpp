// tessera-cli recognize: reads the position from a picture of a board.

#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>

#include <QCoreApplication>
#include <QImage>
#include <QImageReader>

#include "cli/command_table.h"
#include "go/move.h"
#include "record/sgf_file.h"
#include "view/board_picture_reader.h"
#include "view/tone_rule.h"

namespace tessera::cli {

namespace {

constexpr const char* kUsage =
    "Usage: tessera-cli recognize IMAGE [--corners X0,Y0,X1,Y1] [--size N] [--auto] [--json]\n"
    "                             [-o OUT.sgf]\n\n"
    "Reads the stones from a picture of a Go board (JPEG, PNG, BMP, ...) and prints the\n"
    "position, one row of '.', 'X' (black) and 'O' (white) per line of the board.\n\n"
    "  --corners X0,Y0,X1,Y1  pixels of two opposite corners of the grid (the outermost lines)\n"
    "  --size N               lines of the board, 2 to 52 (default 19, or the size found)\n"
    "  --auto                 find the grid in the picture (what --corners and --size do not\n"
    "                         say) and read stones by comparing them with the board's own\n"
    "                         tone; without it, --corners is needed and a point is black when\n"
    "                         over a quarter of its pixels are very dark, white when over a\n"
    "                         quarter are very light\n"
    "  --json                 print {\"size\":N,\"corners\":[x0,y0,x1,y1],\"rows\":[...]} instead\n"
    "  -o, --output F         also write the position as an SGF setup to F\n";

struct RecognizeArguments {
    std::string input;
    std::string output;
    std::optional<ImageRect> corners;
    int size = 0;  // 0 = not given
    bool automatic = false;
    bool json = false;
};

std::optional<int> parseInt(const std::string& text) {
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0')
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<ImageRect> parseCorners(const std::string& text) {
    std::vector<int> values;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, ',')) {
        const auto value = parseInt(part);
        if (!value)
            return std::nullopt;
        values.push_back(*value);
    }
    if (values.size() != 4)
        return std::nullopt;
    return ImageRect{values[0], values[1], values[2], values[3]};
}

// Reads the arguments; an error message when they are not usable.
std::optional<std::string> parseArguments(const std::vector<std::string>& args, RecognizeArguments& out) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--auto") {
            out.automatic = true;
        } else if (arg == "--json") {
            out.json = true;
        } else if (arg == "-o" || arg == "--output") {
            if (!hasValue)
                return "-o needs a file name";
            out.output = args[++i];
        } else if (arg == "--corners") {
            out.corners = hasValue ? parseCorners(args[++i]) : std::nullopt;
            if (!out.corners)
                return "--corners needs four whole numbers X0,Y0,X1,Y1";
        } else if (arg == "--size") {
            const auto size = hasValue ? parseInt(args[++i]) : std::nullopt;
            if (!size || *size < 2 || *size > 52)
                return "--size must be a whole number from 2 to 52";
            out.size = *size;
        } else if (!arg.empty() && arg[0] == '-') {
            return "unknown option " + arg;
        } else if (out.input.empty()) {
            out.input = arg;
        } else {
            return "more than one picture given";
        }
    }
    if (out.input.empty())
        return "no picture given";
    if (!out.corners && !out.automatic)
        return "give the grid's corners (--corners X0,Y0,X1,Y1) or let it be found (--auto)";
    if (out.corners) {
        const ImageRect r = out.corners->normalized();
        if (r.right - r.left < 8 || r.bottom - r.top < 8)
            return "the corners must lie at least 8 pixels apart in both directions";
    }
    return std::nullopt;
}

std::string positionRow(const BoardGrid& position, int row) {
    std::string text;
    for (int column = 0; column < position.width(); ++column) {
        const int value = position.get(row * position.width() + column);
        text += value == kBlack ? 'X' : value == kWhite ? 'O' : '.';
    }
    return text;
}

std::string jsonText(const BoardGrid& position, const ImageRect& corners) {
    std::string text = "{\"size\":" + std::to_string(position.width()) + ",\"corners\":[" +
                       std::to_string(corners.left) + "," + std::to_string(corners.top) + "," +
                       std::to_string(corners.right) + "," + std::to_string(corners.bottom) + "],\"rows\":[";
    for (int row = 0; row < position.height(); ++row)
        text += (row ? ",\"" : "\"") + positionRow(position, row) + "\"";
    return text + "]}";
}

// A record whose root sets up the position, black to play.
GameRecord setupRecord(const BoardGrid& position) {
    GameRecord record;
    record.info.boardWidth = static_cast<int16_t>(position.width());
    record.info.boardHeight = static_cast<int16_t>(position.height());
    record.tree.addNode(fullSetupNode(position, kBlack));
    record.recomputePositions();
    return record;
}

int runRecognize(const std::vector<std::string>& args) {
    if (wantsHelp(args)) {
        std::cout << kUsage;
        return 0;
    }
    RecognizeArguments options;
    if (const auto problem = parseArguments(args, options))
        return failWith("recognize: " + *problem);

    // Image format plugins (JPEG among them) are found through the application's library paths.
    std::unique_ptr<QCoreApplication> application;
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "tessera-cli";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QImageReader reader(QString::fromStdString(options.input));
    reader.setAutoTransform(true);
    const QImage picture = reader.read();
    if (picture.isNull())
        return failWith("recognize: cannot read " + options.input + ": " + reader.errorString().toStdString());
    const PixelImage image = PixelImage::fromQImage(picture);
    if (!image.isUsable())
        return failWith("recognize: " + options.input + " is too large");

    BoardGrid position;
    ImageRect corners;
    if (!options.automatic) {
        // The plain rule over the given corners.
        const int lines = options.size ? options.size : 19;
        position = BoardGrid(lines, lines);
        corners = options.corners->normalized();
        recognizeBoard(image, corners, position);
    } else {
        BoardGridGuess grid;
        if (options.corners)
            grid = BoardGridGuess::fromCorners(*options.corners, options.size ? options.size : 19);
        const BoardPictureReading found = readBoardPicture(image, grid);
        grid = found.grid;
        if (!grid.found())
            return failWith("recognize: no board grid of 9, 13 or 19 lines found in " + options.input +
                            "; give its corners with --corners");
        if (options.size && grid.lines != options.size)
            grid = BoardGridGuess::fromCorners(grid.corners(), options.size);
        position =
            options.size && found.grid.lines != options.size ? readBoardPicture(image, grid).position : found.position;
        corners = grid.corners();
    }

    if (!options.output.empty()) {
        std::string error;
        if (!saveSgfFile(options.output, setupRecord(position), error))
            return failWith("recognize: " + error);
    }
    if (options.json) {
        std::cout << jsonText(position, corners) << "\n";
    } else {
        for (int row = 0; row < position.height(); ++row)
            std::cout << positionRow(position, row) << "\n";
    }
    return 0;
}

const CliCommandRegistration registration("recognize", "read the position from a picture of a board", runRecognize);

}  // namespace

}  // namespace tessera::cli
