#include "app/ui/hint_details_dialog.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/ui/library_desk.h"
#include "library/id_list_file.h"
#include "room/ui/room_window.h"
#include "stats/local_groups.h"
#include "stats/pattern_highlight.h"

namespace tessera {

HintDetailsDialog::HintDetailsDialog(LibraryDesk& library, QWidget* parent) : QDialog(parent), library_(library) {
    setWindowTitle(tr("标记详细信息:"));
    moves_ = new QListWidget;
    moves_->setObjectName("hintMoves");
    games_ = new QTableWidget(0, 5);
    games_->setObjectName("hintGames");
    games_->setHorizontalHeaderLabels({tr("编号"), tr("日期"), tr("黑方"), tr("白方"), tr("结果")});
    games_->setSelectionBehavior(QAbstractItemView::SelectRows);
    games_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    games_->horizontalHeader()->setStretchLastSection(true);
    newRoom_ = new QCheckBox(tr("在新窗口中打开棋谱"));
    auto* exportButton = new QPushButton(tr("导出到板块"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(newRoom_);
    buttons->addStretch();
    buttons->addWidget(exportButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(moves_, 1);
    layout->addWidget(games_, 2);
    layout->addLayout(buttons);
    resize(560, 520);

    connect(moves_, &QListWidget::currentRowChanged, this, [this](int row) { showGames(row); });
    connect(games_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { openGame(row); });
    connect(exportButton, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, tr("导出到板块"), QString(), tr("文本文件 (*.txt)"));
        if (!path.isEmpty() && !exportIds(path))
            QMessageBox::warning(this, windowTitle(), tr("无法写入文件 %1").arg(path));
    });
}

void HintDetailsDialog::bind(const RoomWindow& room) {
    details_ = room.room().hintDetails();
    board_.copyFrom(room.room().display().position);
    mask_.copyFrom(room.room().display().mask);
    transformCode_ = room.room().display().transformCode();
    moves_->clear();
    for (const HintDetail& detail : details_)
        moves_->addItem(QString::fromStdString(hintDetailLine(detail)));
    showGames(details_.empty() ? -1 : 0);
    if (!details_.empty())
        moves_->setCurrentRow(0);
}

void HintDetailsDialog::showGames(int detail) {
    shown_.clear();
    games_->setRowCount(0);
    detail_ = detail;
    if (detail < 0 || detail >= static_cast<int>(details_.size()))
        return;
    shown_ = details_[static_cast<size_t>(detail)].games;
    games_->setRowCount(static_cast<int>(shown_.size()));
    const LibraryCatalogue& catalogue = library_.catalogue();
    for (int row = 0; row < static_cast<int>(shown_.size()); ++row) {
        const GameRef& ref = shown_[static_cast<size_t>(row)];
        const LibraryRecord* record = catalogue.find(ref.gameId);
        const QStringList cells{QString::number(ref.gameId), record ? QString::fromStdString(record->date) : QString(),
                                record ? QString::fromStdString(record->black) : QString(),
                                record ? QString::fromStdString(record->white) : QString(),
                                record ? QString::fromStdString(record->resultText) : QString()};
        for (int column = 0; column < cells.size(); ++column)
            games_->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
}

bool HintDetailsDialog::openGame(int row) {
    if (row < 0 || row >= static_cast<int>(shown_.size()))
        return false;
    // The whole list goes to the room, so its browsing commands step through these games.
    std::vector<LibraryRecord> records;
    int index = 0;
    for (size_t k = 0; k < shown_.size(); ++k) {
        LibraryRecord record;
        if (const LibraryRecord* known = library_.catalogue().find(shown_[k].gameId))
            record = *known;
        record.id = shown_[k].gameId;
        if (static_cast<int>(k) == row)
            index = static_cast<int>(records.size());
        records.push_back(record);
    }
    BoardGrid pattern = board_;
    const int group = details_[static_cast<size_t>(detail_)].group;
    if (group >= 0) {
        const std::vector<BoardGrid> groups = groupsOf(board_, kLocalDistance);
        pattern = group < static_cast<int>(groups.size()) ? groups[static_cast<size_t>(group)] : BoardGrid();
    }
    return library_.showQueryResult(LibraryQuery(), std::move(records), index, kRoomLibrary,
                                    shown_[static_cast<size_t>(row)].nodeId, newRoom_->isChecked(),
                                    handedOverHighlight(pattern, mask_, transformCode_));
}

bool HintDetailsDialog::exportIds(const QString& path) const {
    std::vector<int32_t> ids;
    for (const GameRef& ref : shown_)
        ids.push_back(ref.gameId);
    return WriteIdList(ids, path.toStdString());
}

}  // namespace tessera
