// Typing into the comment pane of a huge record: one key press in the real window (the node's
// comment, the "*" of the title, the tool bar's state), on a record of 50,000 moves as it was
// opened and after a move was added. Target: well below a frame (16 ms) a key press.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include <QApplication>
#include <QTextBrowser>
#include <QTextCursor>

#include "room/game_room.h"
#include "room/ui/desktop_defaults.h"
#include "room/ui/main_window.h"
#include "room/ui/room_window.h"

namespace tessera {
namespace {

void ensureApplication() {
    if (QApplication::instance())
        return;
    if (!std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "bench_room_typing";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
}

// A main line of 50,000 moves (pass-free, on a 19 x 19 board the stones fill and are taken again).
std::filesystem::path hugeRecordFile() {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "bench_room_typing_50k.sgf";
    if (std::filesystem::exists(file))
        return file;
    std::string text = "(;GM[1]SZ[19]";
    uint32_t state = 11;
    for (int i = 0; i < 50'000; ++i) {
        state = state * 1103515245u + 12345u;
        const char x = static_cast<char>('a' + (state >> 16) % 19);
        const char y = static_cast<char>('a' + (state >> 8) % 19);
        text += i % 2 ? ";W[" : ";B[";
        text += x;
        text += y;
        text += "]";
    }
    text += ")";
    std::ofstream(file, std::ios::binary) << text;
    return file;
}

void typeComments(benchmark::State& state, bool modifiedFirst) {
    ensureApplication();
    DesktopDefaults defaults;
    defaults.stoneSound = false;
    auto window = std::make_unique<MainWindow>(defaults);
    window->resize(1280, 720);
    window->show();
    RoomWindow* room = window->newRoom();
    QString error;
    if (!room->openFile(QString::fromStdString(hugeRecordFile().string()), error)) {
        state.SkipWithError(error.toStdString().c_str());
        return;
    }
    room->room().goToNode(25'000);
    if (modifiedFirst)
        room->room().mutableRecord().info.event = "edited";
    room->room().recordChanged();
    QApplication::processEvents();
    QTextCursor cursor(room->commentPane()->document());
    int typed = 0;
    for (auto _ : state) {
        if (++typed % 64 == 0)
            cursor.select(QTextCursor::Document);  // the next key press replaces the text
        cursor.insertText("x");
    }
    state.counters["modified"] = room->room().isModified();
}

void BM_TypeIntoTheCommentOfAnOpenedRecord(benchmark::State& state) { typeComments(state, false); }
void BM_TypeIntoTheCommentOfAnEditedRecord(benchmark::State& state) { typeComments(state, true); }
BENCHMARK(BM_TypeIntoTheCommentOfAnOpenedRecord)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeIntoTheCommentOfAnEditedRecord)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessera
