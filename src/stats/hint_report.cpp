#include "stats/hint_report.h"

#include "go/board_transform.h"
#include "platform/format_text.h"
#include "platform/ui_text.h"
#include "record/node_transform.h"
#include "stats/local_groups.h"
#include "stats/pattern_bases.h"

namespace tessera {
namespace {

std::string tr(const char* source) { return uiText("PatternHints", source); }

constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kBlue = 0xFF0000;
constexpr int kFewGames = 10;

double percent(int part, int whole) { return whole > 0 ? part * 100.0 / whole : 0.0; }

bool showKnowledge(const PatternBases& bases, const HintRequest& request, HintResult& result) {
    PatternPosition position;
    position.grid = request.position;
    position.colour = static_cast<uint8_t>(request.colourToMove);
    int transform = -1;
    if (!bases.knowledgeIndex.findPositionAnySymmetry(position, transform))
        return false;
    auto note = bases.knowledgeNotes.readNote(position.id);
    if (!note)
        return false;
    if (transform >= 0) {
        BoardTransform back(transform, BoardGeometry(19, 19));
        back.inverse = true;
        *note = mapNode(back, *note);
    }
    result.labels.insert(result.labels.end(), note->labels.begin(), note->labels.end());
    for (const Mark& mark : note->marks)
        if (mark.kind >= kMarkCircle && mark.kind <= kMarkTriangle)
            result.marks.push_back(mark);
    result.report = note->comment();
    return true;
}

// Appends the report lines and details of one statistics record (a local group's when group
// is not -1); marked moves go to mark().
template <typename MarkMove>
void listMoves(const FoundStats& found, const LibraryCatalogue& catalogue, const HintRequest& request,
               std::string suffix, int group, double share, HintResult& result, MarkMove&& mark) {
    const int total = totalGames(found.stats);
    const BoardGeometry board(19, 19);
    char letter = 'A';
    int covered = 0;
    for (const MoveStats& move : found.stats.moves) {
        if (move.point < 0)
            continue;
        const ResultCount count = countResults(move, catalogue, request.colourToMove);
        const int32_t point = displayedPoint(move.point, found.transform);
        const std::string label = std::string(1, letter) + suffix;
        if (total > 0 && static_cast<double>(covered) / total <= share)
            mark(point, count, label);
        result.report +=
            formatText("%s(%s),%s:%04d(%02.0f%%),%s:%04d(%02.0f%%), %s:%04d\r\n", label.c_str(),
                       board.pointText(point).c_str(), tr("总").c_str(), count.total, percent(count.total, total),
                       tr("赢").c_str(), count.wins, percent(count.wins, count.total), tr("负").c_str(), count.losses);
        HintDetail detail;
        detail.sequence = static_cast<int>(result.details.size());
        detail.label = label;
        detail.point = point;
        detail.games = move.games;
        detail.kind = group < 0 ? 1 : 0;
        detail.group = group;
        detail.result = count;
        result.details.push_back(std::move(detail));
        letter = nextHintLetter(letter);
        covered += static_cast<int>(move.games.size());
    }
}

void showGlobal(const PatternBases& bases, const LibraryCatalogue& catalogue, const HintRequest& request,
                HintResult& result) {
    result.clearOverlay = true;
    result.report.clear();
    const auto found = lookUpStats(bases.globalIndex, bases.globalStats, request.position, request.colourToMove);
    if (!found)
        return;
    const ResultCount all = countAllResults(found->stats, catalogue, request.colourToMove);
    result.report = formatText("%s,%s:%04d,%s:%04d(%02.1f%%), %s:%04d(%02.1f%%)\r\n", tr("总计").c_str(),
                               tr("总").c_str(), all.total, tr("赢").c_str(), all.wins, percent(all.wins, all.total),
                               tr("负").c_str(), all.losses, percent(all.losses, all.total));
    listMoves(*found, catalogue, request, "", -1, request.globalShare, result,
              [&](int32_t point, const ResultCount& count, const std::string& label) {
                  result.hints.push_back(BoardHint{point, hintColour(count), label, count.total < kFewGames});
              });
}

void showLocal(const PatternBases& bases, const LibraryCatalogue& catalogue, const HintRequest& request,
               HintResult& result) {
    result.clearOverlay = true;
    result.report.clear();
    if (!request.lastWasStoneMove)
        return;
    const std::vector<BoardGrid> groups = groupsOf(request.position, kLocalDistance);
    for (size_t g = 0; g < groups.size(); ++g) {
        const auto found = lookUpStats(bases.localIndex, bases.localStats, groups[g], request.colourToMove);
        if (!found)
            continue;
        listMoves(*found, catalogue, request, std::to_string(g + 1), static_cast<int>(g), request.localShare, result,
                  [&](int32_t point, const ResultCount& count, const std::string& label) {
                      const uint32_t colour = count.total < kFewGames ? 0 : hintColour(count);
                      result.labels.push_back(Label{point, colour, label});
                  });
        result.report += "---------------------------\r\n";
    }
}

}  // namespace

char nextHintLetter(char letter) {
    if (letter == 'Z')
        return 'a';
    if (letter == 'z')
        return 'A';
    return static_cast<char>(letter + 1);
}

uint32_t hintColour(const ResultCount& result) {
    const double rate = percent(result.wins, result.total);
    if (rate > 48 && rate < 52)
        return 0;
    return result.wins < result.losses ? kBlue : kRed;
}

std::string hintDetailLine(const HintDetail& detail) {
    return formatText("%s,%s:%04d,%s:%04d(%02.0f%%)", detail.label.c_str(), tr("总").c_str(), detail.result.total,
                      tr("赢").c_str(), detail.result.wins, percent(detail.result.wins, detail.result.total));
}

HintResult computeHints(const PatternBases& bases, const LibraryCatalogue& catalogue, const HintRequest& request) {
    HintResult result;
    if (request.position.width() != 19 || request.position.height() != 19 || !request.position.isUsable())
        return result;
    if (request.showKnowledge && showKnowledge(bases, request, result)) {
        result.knowledgeShown = true;
        return result;
    }
    bool overlayEmpty = request.overlayEmpty;
    if (request.showGlobal) {
        showGlobal(bases, catalogue, request, result);
        overlayEmpty = result.hints.empty();
    }
    if (request.showLocal && overlayEmpty)
        showLocal(bases, catalogue, request, result);
    return result;
}

}  // namespace tessera
