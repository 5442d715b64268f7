#include "app/ui/pattern_search_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "app/ui/library_desk.h"
#include "library/id_list_file.h"
#include "library/library_browse.h"
#include "library/search_index.h"
#include "room/ui/room_window.h"
#include "stats/pattern_highlight.h"

namespace tessera {

namespace {
// The letters' colour on the board (0x00BBGGRR): a dark green, apart from the statistics'
// red and blue.
constexpr uint32_t kSearchLetterColour = 0x008000;
// New hits are shown at most this often unless the user asks.
constexpr qint64 kAutoRefreshMs = 5000;
}  // namespace

PatternSearchWindow::PatternSearchWindow(LibraryDesk& library, std::string programFolder, QWidget* parent)
    : QDialog(parent), library_(library), programFolder_(std::move(programFolder)) {
    setWindowTitle(tr("模式动态统计分析:"));
    scope_ = new QComboBox;
    scope_->setObjectName("searchScope");
    scope_->addItems({tr("全部棋谱"), tr("对局谱"), tr("教程和练习题")});
    start_ = new QPushButton(tr("开始搜索"));
    pause_ = new QPushButton(tr("暂停"));
    stop_ = new QPushButton(tr("停止"));
    refresh_ = new QPushButton(tr("刷新界面"));
    mode_ = new QLabel;
    status_ = new QLabel;
    status_->setObjectName("searchStatus");
    progress_ = new QProgressBar;
    progress_->setTextVisible(false);
    candidates_ = new QListWidget;
    candidates_->setObjectName("searchCandidates");
    games_ = new QTableWidget(0, 0);
    games_->setObjectName("searchGames");
    QStringList headers;
    for (const std::string& header : gameListHeaders())
        headers << QString::fromStdString(header);
    games_->setColumnCount(static_cast<int>(headers.size()));
    games_->setHorizontalHeaderLabels(headers);
    games_->setSelectionBehavior(QAbstractItemView::SelectRows);
    games_->setSelectionMode(QAbstractItemView::SingleSelection);
    games_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    games_->verticalHeader()->hide();
    games_->horizontalHeader()->setStretchLastSection(true);
    newRoom_ = new QCheckBox(tr("在新窗口中打开棋谱"));
    auto* exportButton = new QPushButton(tr("导出到板块"));

    auto* controls = new QHBoxLayout;
    controls->addWidget(scope_);
    controls->addWidget(start_);
    controls->addWidget(pause_);
    controls->addWidget(stop_);
    controls->addWidget(refresh_);
    auto* lists = new QSplitter(Qt::Horizontal);
    lists->addWidget(candidates_);
    lists->addWidget(games_);
    lists->setStretchFactor(0, 1);
    lists->setStretchFactor(1, 3);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(newRoom_);
    bottom->addStretch();
    bottom->addWidget(exportButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(mode_);
    layout->addWidget(status_);
    layout->addWidget(progress_);
    layout->addWidget(lists, 1);
    layout->addLayout(bottom);
    resize(820, 520);

    timer_ = new QTimer(this);
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, &PatternSearchWindow::updateProgress);
    connect(start_, &QPushButton::clicked, this, &PatternSearchWindow::startSearch);
    connect(pause_, &QPushButton::clicked, this, &PatternSearchWindow::togglePause);
    connect(stop_, &QPushButton::clicked, this, &PatternSearchWindow::stopSearch);
    connect(refresh_, &QPushButton::clicked, this, &PatternSearchWindow::refresh);
    connect(candidates_, &QListWidget::currentRowChanged, this, [this](int row) { showGames(row); });
    connect(games_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { openGame(row); });
    connect(exportButton, &QPushButton::clicked, this, [this] {
        QString path = QFileDialog::getSaveFileName(this, tr("导出到板块"), QString(), tr("文本文件 (*.txt)"));
        if (path.isEmpty())
            return;
        if (QFileInfo(path).suffix().isEmpty())
            path += ".txt";
        if (!exportIds(path))
            QMessageBox::warning(this, windowTitle(), tr("无法写入文件 %1").arg(path));
    });
    setRunningButtons(false);
}

PatternSearchWindow::~PatternSearchWindow() { session_.stop(); }

void PatternSearchWindow::setRunningButtons(bool running) {
    start_->setEnabled(!running && room_ && library_.available());
    pause_->setEnabled(running);
    stop_->setEnabled(running);
    pause_->setText(session_.paused() && running ? tr("继续") : tr("暂停"));
    refresh_->setEnabled(session_.results().hasNewResults());
}

void PatternSearchWindow::bindToRoom(RoomWindow& room) {
    if (session_.active())
        stopSearch();
    if (room_)  // the letters belong to the results this binding clears
        room_->room().setSearchHints(BoardGrid(), {});
    room_ = &room;
    const BoardDisplay& display = room.room().display();
    pattern_ = searchPatternOf(display.position, display.mask, room.room().sideToMove());
    viewTransform_ = display.transformCode();
    mode_->setText(pattern_.regionMode ? tr("局部搜索: 棋盘上未掩盖的 %1 个点").arg(pattern_.region.countValue(1))
                                       : tr("全盘搜索"));
    session_.results().clear();
    shown_.clear();
    candidates_->clear();
    showGames(-1);
    status_->setText(library_.available() ? QString() : tr("棋谱库无法打开"));
    progress_->reset();
    setRunningButtons(false);
}

void PatternSearchWindow::startSearch() {
    if (session_.active() || !room_ || !library_.available())
        return;
    const std::vector<int32_t> ids = searchScopeIds(library_.store(), scope_->currentIndex());
    auto index = std::make_shared<SearchIndex>();
    if (!index->open(programFolder_))
        index.reset();  // no usable index: every game is read
    shown_.clear();
    candidates_->clear();
    showGames(-1);
    status_->clear();
    progress_->reset();
    if (!session_.start(library_.store(), std::move(index), ids, pattern_))
        return;
    room_->room().setSearchHints(pattern_.position, {});
    sinceRefresh_.start();
    timer_->start();
    setRunningButtons(true);
    updateProgress();
}

void PatternSearchWindow::stopSearch() {
    session_.stop();
    timer_->stop();
    updateProgress();
    setRunningButtons(false);
}

void PatternSearchWindow::togglePause() {
    if (!session_.active())
        return;
    if (session_.paused())
        session_.resume();
    else
        session_.pause();
    setRunningButtons(true);
    updateProgress();
}

void PatternSearchWindow::updateProgress() {
    const SearchProgress& counts = session_.progress();
    const int total = counts.totalGames.load();
    const int done = std::min(counts.currentIndex.load(), total);
    progress_->setRange(0, std::max(total, 1));
    progress_->setValue(done);
    const bool running = session_.active();
    const QString state = running && session_.paused()      ? ", " + tr("已暂停")
                          : !running && session_.finished() ? ", " + tr("搜索完毕")
                                                            : QString();
    status_->setText(QString("%1:%2, %3:%4, %5:%6%7%8")
                         .arg(tr("总谱"))
                         .arg(total)
                         .arg(tr("已搜索"))
                         .arg(done)
                         .arg(tr("用时"))
                         .arg(session_.elapsedMs() / 60000)
                         .arg(tr("分"), state));
    const bool fresh = session_.results().hasNewResults();
    if (!running) {
        // The worker ended by itself (or was stopped): the final counts, then the timer rests.
        timer_->stop();
        if (fresh)
            refresh();
        setRunningButtons(false);
        return;
    }
    if (fresh && sinceRefresh_.isValid() && sinceRefresh_.elapsed() >= kAutoRefreshMs)
        refresh();
    refresh_->setEnabled(session_.results().hasNewResults());
}

void PatternSearchWindow::refresh() {
    int16_t selected = -1;
    const int row = candidates_->currentRow();
    if (row >= 0 && row < static_cast<int>(shown_.size()))
        selected = shown_[static_cast<size_t>(row)].move.point;
    shown_ = rankCandidates(session_.results().snapshot(), library_.catalogue(), pattern_.colourToMove);
    sinceRefresh_.start();
    refresh_->setEnabled(false);
    {
        const QSignalBlocker quiet(candidates_);
        candidates_->clear();
        for (const SearchCandidate& candidate : shown_)
            candidates_->addItem(QString::fromStdString(candidateLine(candidate, pattern_.position)));
    }
    int again = shown_.empty() ? -1 : 0;
    for (size_t k = 0; k < shown_.size(); ++k)
        if (shown_[k].move.point == selected)
            again = static_cast<int>(k);
    {
        const QSignalBlocker quiet(candidates_);
        candidates_->setCurrentRow(again);
    }
    showGames(again);
    showRoomLetters();
}

void PatternSearchWindow::showRoomLetters() {
    if (!room_)
        return;
    std::vector<HintMark> letters;
    for (const SearchCandidate& candidate : shown_)
        letters.push_back(HintMark{candidate.move.point, kSearchLetterColour, candidate.label, false});
    room_->room().setSearchHints(pattern_.position, std::move(letters));
}

void PatternSearchWindow::showGames(int candidate) {
    shownGames_.clear();
    games_->setRowCount(0);
    if (candidate < 0 || candidate >= static_cast<int>(shown_.size()))
        return;
    shownGames_ = candidateGames(library_.store(), library_.catalogue(), shown_[static_cast<size_t>(candidate)]);
    games_->setRowCount(static_cast<int>(shownGames_.size()));
    for (int row = 0; row < static_cast<int>(shownGames_.size()); ++row) {
        const std::vector<std::string> cells = gameListColumns(shownGames_[static_cast<size_t>(row)].record);
        for (int column = 0; column < static_cast<int>(cells.size()) && column < games_->columnCount(); ++column)
            games_->setItem(row, column,
                            new QTableWidgetItem(QString::fromStdString(cells[static_cast<size_t>(column)])));
    }
}

bool PatternSearchWindow::openGame(int row) {
    if (row < 0 || row >= static_cast<int>(shownGames_.size()))
        return false;
    // The whole list goes to the room, so its browsing commands step through these games.
    std::vector<LibraryRecord> records;
    for (const CandidateGame& game : shownGames_)
        records.push_back(game.record);
    const BoardGrid highlight =
        handedOverHighlight(pattern_.position, pattern_.regionMode ? pattern_.region : BoardGrid(), viewTransform_);
    return library_.showQueryResult(LibraryQuery(), std::move(records), row, kRoomLibrary,
                                    shownGames_[static_cast<size_t>(row)].nodeId, newRoom_->isChecked(), highlight);
}

bool PatternSearchWindow::exportIds(const QString& path) const {
    std::vector<int32_t> ids;
    for (const CandidateGame& game : shownGames_)
        ids.push_back(game.record.id);
    return WriteIdList(ids, path.toStdString());
}

void PatternSearchWindow::closeEvent(QCloseEvent* event) {
    stopSearch();
    QDialog::closeEvent(event);
}

void PatternSearchWindow::reject() {
    stopSearch();
    QDialog::reject();
}

}  // namespace tessera
