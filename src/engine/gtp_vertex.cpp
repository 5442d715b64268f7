#include "engine/gtp_vertex.h"

#include <cctype>

#include "go/move.h"

namespace tessera {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

std::string gtpVertex(int32_t point, int width, int height) {
    if (point < 0 || width <= 0 || height <= 0 || point >= width * height || width > 25)
        return "pass";
    const int x = point % width;
    const int y = point / width;
    char letter = static_cast<char>('A' + x);
    if (letter >= 'I')
        ++letter;
    return std::string(1, letter) + std::to_string(height - y);
}

GtpMove parseGtpMove(std::string_view answer, int width, int height) {
    answer = trimmed(answer);
    if (equalsIgnoringCase(answer, "pass"))
        return {GtpMoveKind::Pass, -1};
    if (equalsIgnoringCase(answer, "resign"))
        return {GtpMoveKind::Resign, -1};
    if (answer.size() < 2 || answer.size() > 3 || !std::isalpha(static_cast<unsigned char>(answer[0])))
        return {};
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(answer[0])));
    if (letter == 'I')
        return {};
    const int x = letter - 'A' - (letter > 'I' ? 1 : 0);
    int row = 0;
    for (size_t i = 1; i < answer.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(answer[i])))
            return {};
        row = row * 10 + (answer[i] - '0');
    }
    if (x < 0 || x >= width || row < 1 || row > height)
        return {};
    return {GtpMoveKind::Point, (height - row) * width + x};
}

std::string gtpStoneList(const BoardGrid& position) {
    PointList stones;
    position.pointsWithValue(kBlack, stones);
    std::string list;
    for (const int32_t p : stones) {
        if (!list.empty())
            list += ' ';
        list += gtpVertex(p, position.width(), position.height());
    }
    return list;
}

}  // namespace tessera
