#pragma once
// "模式动态统计分析:": the library search for a room's position. One window per program, bound
// to a room each time "搜索棋型" is chosen there; the search covers the whole board, or the
// points the room's mask shows when it hides some (the mask tool's rectangle marks a region).
// The search runs on a worker thread (SearchSession) and can be paused, resumed and stopped;
// a one-second timer shows the counts and refreshes the candidates when new hits came in (at
// most every five seconds, or at once with "刷新界面"). The candidate letters go onto the
// room's board; a double click on a game opens it at the matching move with the searched
// stones highlighted. Closing the window stops the search and only hides it.

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <memory>
#include <vector>

#include "stats/search_session.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QTimer;

namespace tessera {

class LibraryDesk;
class RoomWindow;

class PatternSearchWindow : public QDialog {
    Q_OBJECT
public:
    PatternSearchWindow(LibraryDesk& library, std::string programFolder, QWidget* parent = nullptr);
    ~PatternSearchWindow() override;

    // Stops a running search, takes the room's position, colour to move, mask (the region) and
    // display transform; the letters of the former results leave the board.
    void bindToRoom(RoomWindow& room);
    // "开始搜索": searches the chosen scope; nothing while a search runs.
    void startSearch();
    // "停止": ends the search (waiting at most five seconds) and shows its results.
    void stopSearch();
    // "暂停" / "继续".
    void togglePause();
    // "刷新界面": counts, sorts and shows the candidates and puts their letters on the board.
    void refresh();
    // One tick of the timer: the counts, the progress bar and the automatic refresh.
    void updateProgress();
    // Opens the game of the game list's row at its matching node; false when it cannot be.
    bool openGame(int row);
    // Writes the ids of the game list to path, one per line.
    bool exportIds(const QString& path) const;

    SearchSession& session() { return session_; }
    bool regionMode() const { return pattern_.regionMode; }
    QListWidget* candidateList() const { return candidates_; }
    QTableWidget* gameList() const { return games_; }
    QLabel* statusLabel() const { return status_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;  // Escape closes like the close button

private:
    void showGames(int candidate);
    void setRunningButtons(bool running);
    void showRoomLetters();

    LibraryDesk& library_;
    std::string programFolder_;
    QPointer<RoomWindow> room_;
    SearchPattern pattern_;
    int viewTransform_ = -1;
    std::vector<SearchCandidate> shown_;     // the candidate list's lines
    std::vector<CandidateGame> shownGames_;  // the game list's rows
    QElapsedTimer sinceRefresh_;

    QComboBox* scope_ = nullptr;
    QLabel* mode_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* pause_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPushButton* refresh_ = nullptr;
    QLabel* status_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QListWidget* candidates_ = nullptr;
    QTableWidget* games_ = nullptr;
    QCheckBox* newRoom_ = nullptr;
    QTimer* timer_ = nullptr;
    SearchSession session_;  // last: its worker stops before the members above go
};

}  // namespace tessera
