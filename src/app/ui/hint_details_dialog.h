#pragma once
// "标记详细信息:": the moves a room's pattern hints listed, and the library games behind the
// selected one. A double click opens a game at the node where the move was played (in a new
// room when the box says so), with the looked-up stones highlighted there; "导出到板块" writes
// the listed games' ids to a text file. Modeless; bound to the active room each time it is
// opened.

#include <QDialog>
#include <vector>

#include "stats/hint_report.h"

class QCheckBox;
class QListWidget;
class QTableWidget;

namespace tessera {

class LibraryDesk;
class RoomWindow;

class HintDetailsDialog : public QDialog {
    Q_OBJECT
public:
    HintDetailsDialog(LibraryDesk& library, QWidget* parent = nullptr);

    // Copies the room's listed moves, its board, mask and display transform, and shows the moves.
    void bind(const RoomWindow& room);
    QListWidget* moveList() const { return moves_; }
    QTableWidget* gameList() const { return games_; }
    // Opens the game of the row at the referenced node, handing over the looked-up stones (the
    // board or the move's local group, as masked and displayed) as the room's highlight; false
    // when it cannot be opened.
    bool openGame(int row);
    // Writes the ids of the game list to path, one per line.
    bool exportIds(const QString& path) const;

private:
    void showGames(int detail);

    LibraryDesk& library_;
    std::vector<HintDetail> details_;
    BoardGrid board_;
    BoardGrid mask_;
    int transformCode_ = -1;
    int detail_ = -1;             // the record whose games are listed
    std::vector<GameRef> shown_;  // the game list's rows
    QListWidget* moves_ = nullptr;
    QTableWidget* games_ = nullptr;
    QCheckBox* newRoom_ = nullptr;
};

}  // namespace tessera
