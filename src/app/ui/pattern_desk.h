#pragma once
// The pattern bases in the desktop program: the six files opened at start-up and closed at
// shutdown, File > "生成统计数据..." (the statistics built from the library) and
// "生成知识库..." (the knowledge notes built from annotated records), each with a progress
// dialog that can be cancelled and the bases reopened afterwards, the detail window of the
// rooms' hints, and "搜索棋型" (File menu and the board's context menu) with its search window.

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <string>

#include "stats/pattern_bases.h"

namespace tessera {

class HintDetailsDialog;
class PatternSearchWindow;
class LibraryDesk;
class MainWindow;
class RoomWindow;

class PatternDesk : public QObject {
    Q_OBJECT
public:
    // Opens the files of the program folder (missing files stay closed).
    explicit PatternDesk(std::string programFolder);
    ~PatternDesk() override;

    const PatternBases& bases() const { return bases_; }
    // Opens the files again (after something replaced them).
    void reopen() { bases_.open(programFolder_); }
    // Adds the build command to the window's File menu; library may be null (no build, no
    // games to open).
    void attach(MainWindow* window, LibraryDesk* library);
    void detach();
    // Builds the statistics from the library with a progress dialog; the summary text.
    QString buildStatistics();
    // Builds the knowledge notes from the record files with a progress dialog; the summary
    // text (the files that could not be read are named).
    QString buildKnowledge(const QStringList& files);
    // Opens (or raises) the detail window bound to room.
    HintDetailsDialog* showHintDetails(RoomWindow& room);
    // "搜索棋型": opens (or raises) the library search window bound to room; null without a
    // library.
    PatternSearchWindow* showPatternSearch(RoomWindow& room);

private:
    std::string programFolder_;
    PatternBases bases_;
    QPointer<MainWindow> window_;
    LibraryDesk* library_ = nullptr;
    QPointer<HintDetailsDialog> details_;
    QPointer<PatternSearchWindow> search_;
};

}  // namespace tessera
