// tessera-cli render: draws one position of a record as the board view shows it, into a PNG.

#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>

#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>

#include "cli/command_table.h"
#include "record/occupied_point_check.h"
#include "record/record_file.h"
#include "view/record_picture.h"

namespace tessera::cli {

namespace {

constexpr const char* kUsage =
    "Usage: tessera-cli render FILE [--move N] [--style 0|1|2] [--size PX] [--coords]\n"
    "                          [--transform CODE] -o OUT.png\n\n"
    "Draws the position after move N of the main line (the final position when no move is\n"
    "given) with the node's markup and the last-move mark, as the board view shows it in a\n"
    "client area of PX x PX pixels (default 600).\n\n"
    "  --move N         number of moves played along the main line (0 = the starting position)\n"
    "  --style S        0 traditional (default), 1 marble, 2 simple\n"
    "  --size PX        width and height of the picture, 10 to 8192\n"
    "  --coords         draw the coordinates\n"
    "  --transform C    display transform 0-6 (0 flip left-right, 1 flip top-bottom, 2 swap x and y,\n"
    "                   3 half turn, 4 and 5 quarter turns, 6 all three); other values: none\n"
    "  -o, --output F   the PNG file to write\n";

struct RenderArguments {
    std::string input;
    std::string output;
    int move = -1;
    int style = kStyleTraditional;
    int size = 600;
    bool coords = false;
    int transform = -1;
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

// Reads the arguments; an error message when they are not usable.
std::optional<std::string> parseArguments(const std::vector<std::string>& args, RenderArguments& out) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--coords") {
            out.coords = true;
        } else if (arg == "-o" || arg == "--output") {
            if (i + 1 >= args.size())
                return "-o needs a file name";
            out.output = args[++i];
        } else if (arg == "--move" || arg == "--style" || arg == "--size" || arg == "--transform") {
            const std::optional<int> number = i + 1 < args.size() ? parseInt(args[++i]) : std::nullopt;
            if (!number)
                return arg + " needs a whole number";
            if (arg == "--move") {
                if (*number < 0)
                    return "--move must be 0 or more";
                out.move = *number;
            } else if (arg == "--style") {
                if (*number < 0 || *number > 2)
                    return "--style must be 0, 1 or 2";
                out.style = *number;
            } else if (arg == "--size") {
                if (*number < 10 || *number > 8192)
                    return "--size must be between 10 and 8192";
                out.size = *number;
            } else {
                out.transform = *number;
            }
        } else if (!arg.empty() && arg[0] == '-') {
            return "unknown option " + arg;
        } else if (out.input.empty()) {
            out.input = arg;
        } else {
            return "more than one record file given";
        }
    }
    if (out.input.empty())
        return "no record file given";
    if (out.output.empty())
        return "no output file given (-o OUT.png)";
    return std::nullopt;
}

// Qt's own notes (a missing runtime folder, font fallbacks) are not the user's business here;
// only the command's one-line outcome goes to standard error.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << message.toStdString() << "\n";
}

// Fonts need a QGuiApplication; without a display the offscreen platform serves.
std::unique_ptr<QGuiApplication> makeGuiApplication() {
    if (QGuiApplication::instance())
        return nullptr;
    qInstallMessageHandler(quietQtMessages);
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (!std::getenv("QT_QPA_PLATFORM") && (!display || !*display) && (!wayland || !*wayland))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "tessera-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

int runRender(const std::vector<std::string>& args) {
    if (wantsHelp(args)) {
        std::cout << kUsage;
        return 0;
    }
    RenderArguments options;
    if (const auto problem = parseArguments(args, options))
        return failWith("render: " + *problem);

    GameRecord record;
    std::string error;
    if (!loadRecordFile(options.input, record, error))
        return failWith("render: " + error);
    if (const std::string warning = occupiedPointWarning(record); !warning.empty())
        std::cerr << "tessera-cli: render: warning: " << options.input << ": " << warning << "\n";
    const auto application = makeGuiApplication();
    BoardPainter painter;
    QImage image;
    const RecordPictureOptions picture{options.move, options.style, options.size, options.coords, options.transform};
    if (!renderRecordPicture(record, picture, painter, image, error))
        return failWith("render: " + error);
    // Written to a temporary file beside the target and renamed, so no half-written picture remains.
    QSaveFile file(QString::fromStdString(options.output));
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit())
        return failWith("render: cannot write " + options.output);
    return 0;
}

const CliCommandRegistration registration("render", "draw a position of a record as a PNG picture", runRender);

}  // namespace

}  // namespace tessera::cli
