#include "library/ui/library_search_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "library/id_list_file.h"
#include "library/library_browse.h"
#include "library/library_patch.h"
#include "library/library_store.h"

namespace tessera {
namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

// The sex texts stored in the Player table, by the filter's position (0 = all).
const char* const kSexValues[] = {"", "Man", "Woman", "Computer"};

}  // namespace

LibrarySearchDialog::LibrarySearchDialog(LibraryStore& store, InterfaceLanguage interfaceLanguage,
                                         const LibraryQuery& current, QWidget* parent)
    : QDialog(parent), store_(store), query_(current) {
    setWindowTitle(tr("查询棋谱"));
    pages_ = new QTabWidget;
    pages_->addTab(makeDatePage(), tr("日期"));
    pages_->addTab(makePlayerPage(), tr("棋手"));
    pages_->addTab(makeEventPage(), tr("赛事"));
    pages_->addTab(makeIndexPage(interfaceLanguage), tr("自定义索引"));
    pages_->addTab(makeSqlPage(), tr("SQL"));
    stack_ = new QStackedWidget;
    stack_->addWidget(pages_);
    stack_->addWidget(makeResultPage());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &LibrarySearchDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(stack_);
    layout->addWidget(buttons);
    if (current.kind >= kQueryByDate && current.kind <= kQueryBySql)
        pages_->setCurrentIndex(current.kind - 1);
    resize(820, 560);
}

QWidget* LibrarySearchDialog::makeDatePage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    dateKind_ = new QButtonGroup(page);
    const QString texts[] = {tr("最新棋谱"), tr("查询某个时段的棋谱"), tr("无日期的棋谱")};
    for (int k = 0; k < 3; ++k) {
        auto* button = new QRadioButton(texts[k]);
        dateKind_->addButton(button, k);
        layout->addWidget(button);
    }
    dateKind_->button(0)->setChecked(true);
    auto* form = new QFormLayout;
    fromDate_ = new QLineEdit("20040101");
    toDate_ = new QLineEdit(QDate::currentDate().toString("yyyyMMdd"));
    form->addRow(tr("开始日期(YYYYMMDD)"), fromDate_);
    form->addRow(tr("结束日期(YYYYMMDD)"), toDate_);
    layout->addLayout(form);
    layout->addStretch();
    return page;
}

QWidget* LibrarySearchDialog::makePlayerPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* filters = new QHBoxLayout;
    nation_ = new QComboBox;
    nation_->addItem(tr("所有"), QString());
    std::vector<std::string> nations;
    nationNames(store_, nations);
    for (const auto& nation : nations)
        if (!nation.empty())
            nation_->addItem(q(nation), q(nation));
    sex_ = new QComboBox;
    sex_->addItems({tr("所有"), tr("男"), tr("女"), tr("计算机")});
    side_ = new QComboBox;
    side_->addItems({tr("任意"), tr("黑方"), tr("白方")});
    result_ = new QComboBox;
    result_->addItems({tr("任意"), tr("赢"), tr("平"), tr("输"), tr("结果不详")});
    for (QWidget* widget : {static_cast<QWidget*>(nation_), static_cast<QWidget*>(sex_)})
        filters->addWidget(widget);
    filters->addWidget(new QLabel(tr("执子")));
    filters->addWidget(side_);
    filters->addWidget(new QLabel(tr("结果")));
    filters->addWidget(result_);
    layout->addLayout(filters);
    auto* letters = new QGridLayout;
    for (int k = 0; k <= 26; ++k) {
        auto* button = new QPushButton(k == 0 ? tr("全部") : QString(QChar('A' + k - 1)));
        button->setMaximumWidth(k == 0 ? 60 : 28);
        connect(button, &QPushButton::clicked, this, [this, k] {
            letter_ = k == 0 ? 0 : static_cast<char>('A' + k - 1);
            reloadPlayers();
        });
        letters->addWidget(button, 0, k);
    }
    layout->addLayout(letters);
    players_ = new QTableWidget(0, 6);
    players_->setHorizontalHeaderLabels({tr("ID"), tr("姓名"), tr("性别"), tr("地区"), tr("等级"), tr("生日")});
    players_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    players_->setSelectionBehavior(QAbstractItemView::SelectRows);
    players_->setSortingEnabled(true);
    layout->addWidget(players_);
    auto* name = new QFormLayout;
    playerName_ = new QLineEdit(q(query_.player));
    name->addRow(tr("棋手"), playerName_);
    layout->addLayout(name);
    connect(players_, &QTableWidget::itemSelectionChanged, this, [this] {
        const auto rows = players_->selectionModel()->selectedRows(1);
        if (!rows.isEmpty())
            playerName_->setText(rows.front().data().toString());
    });
    connect(nation_, &QComboBox::currentIndexChanged, this, [this] { reloadPlayers(); });
    connect(sex_, &QComboBox::currentIndexChanged, this, [this] { reloadPlayers(); });
    side_->setCurrentIndex(query_.kind == kQueryByPlayer ? query_.side : 0);
    result_->setCurrentIndex(query_.kind == kQueryByPlayer ? query_.result : 0);
    reloadPlayers();
    return page;
}

void LibrarySearchDialog::reloadPlayers() {
    std::vector<PlayerRecord> list;
    const int sex = std::clamp(sex_->currentIndex(), 0, 3);
    loadPlayers(store_, playerListSql(nation_->currentData().toString().toStdString(), kSexValues[sex]), letter_, list);
    players_->setSortingEnabled(false);
    players_->setRowCount(static_cast<int>(list.size()));
    for (int row = 0; row < static_cast<int>(list.size()); ++row) {
        const PlayerRecord& p = list[static_cast<size_t>(row)];
        const QString texts[] = {QString::number(p.id), q(p.name), q(p.sex), q(p.nation), q(p.rank), q(p.birthday)};
        for (int column = 0; column < 6; ++column)
            players_->setItem(row, column, new QTableWidgetItem(texts[column]));
    }
    players_->setSortingEnabled(true);
}

QWidget* LibrarySearchDialog::makeEventPage() {
    events_ = new QListWidget;
    std::vector<std::string> names;
    eventNames(store_, names);
    for (const auto& name : names) {
        if (name.empty())
            continue;
        events_->addItem(q(name));
        if (query_.kind == kQueryByEvent && name == query_.event)
            events_->setCurrentRow(events_->count() - 1);
    }
    return events_;
}

QWidget* LibrarySearchDialog::makeIndexPage(InterfaceLanguage interfaceLanguage) {
    blocks_ = new QTreeWidget;
    blocks_->setHeaderHidden(true);
    for (const auto& group : listBlockIndex(store_.programFolder(), interfaceLanguage)) {
        auto* groupItem = new QTreeWidgetItem(blocks_, {q(group.displayName)});
        for (const auto& file : group.files) {
            auto* item = new QTreeWidgetItem(groupItem, {q(file.displayName)});
            item->setData(0, Qt::UserRole, q(group.name));
            item->setData(0, Qt::UserRole + 1, q(file.name));
        }
    }
    blocks_->expandAll();
    return blocks_;
}

QWidget* LibrarySearchDialog::makeSqlPage() {
    sql_ = new QPlainTextEdit;
    sql_->setPlainText(query_.kind == kQueryBySql
                           ? q(query_.sql)
                           : tr("SELECT * FROM GoFile WHERE (Black='古力' AND White='李世石') OR "
                                "(Black='李世石' AND White='古力') ORDER BY GameDate"));
    return sql_;
}

QWidget* LibrarySearchDialog::makeResultPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    table_ = new QTableWidget(0, 9);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this] { QDialog::accept(); });
    layout->addWidget(table_);
    auto* buttons = new QHBoxLayout;
    auto* exportButton = new QPushButton(tr("导出到板块"));
    auto* importButton = new QPushButton(tr("从板块中导入"));
    auto* removeButton = new QPushButton(tr("删除当前行"));
    auto* backButton = new QPushButton(tr("重新查询"));
    connect(exportButton, &QPushButton::clicked, this, [this] { exportIds(); });
    connect(importButton, &QPushButton::clicked, this, [this] { importIds(); });
    connect(removeButton, &QPushButton::clicked, this, [this] {
        if (table_->currentRow() >= 0)
            table_->removeRow(table_->currentRow());
    });
    connect(backButton, &QPushButton::clicked, this, [this] { stack_->setCurrentIndex(0); });
    for (QPushButton* button : {exportButton, importButton, removeButton, backButton})
        buttons->addWidget(button);
    layout->addLayout(buttons);
    return page;
}

void LibrarySearchDialog::fillGameTable(QTableWidget* table, const std::vector<LibraryRecord>& records) {
    table->setSortingEnabled(false);
    QStringList headers;
    for (const auto& header : gameListHeaders())
        headers << q(header);
    table->setColumnCount(headers.size());
    table->setHorizontalHeaderLabels(headers);
    table->setRowCount(static_cast<int>(records.size()));
    for (int row = 0; row < static_cast<int>(records.size()); ++row) {
        const auto columns = gameListColumns(records[static_cast<size_t>(row)]);
        for (int column = 0; column < static_cast<int>(columns.size()); ++column) {
            auto* item = new QTableWidgetItem(q(columns[static_cast<size_t>(column)]));
            if (column == 0) {
                item->setData(Qt::DisplayRole, records[static_cast<size_t>(row)].id);  // numeric sort
                item->setData(Qt::UserRole, row);
            }
            table->setItem(row, column, item);
        }
    }
    table->setSortingEnabled(true);
}

LibraryQuery LibrarySearchDialog::queryOfPage() const {
    LibraryQuery query;
    query.kind = pages_->currentIndex() + 1;
    switch (query.kind) {
        case kQueryByDate:
            query.dateKind = std::max(0, dateKind_->checkedId());
            query.fromDate = fromDate_->text().toInt();
            query.toDate = toDate_->text().toInt();
            if (query.toDate < 1)
                query.toDate = 29991231;
            break;
        case kQueryByPlayer:
            query.player = playerName_->text().toStdString();
            query.side = side_->currentIndex();
            query.result = result_->currentIndex();
            break;
        case kQueryByEvent:
            if (events_->currentItem())
                query.event = events_->currentItem()->text().toStdString();
            break;
        case kQueryByIndex:
            if (const QTreeWidgetItem* item = blocks_->currentItem()) {
                query.group = item->data(0, Qt::UserRole).toString().toStdString();
                query.file = item->data(0, Qt::UserRole + 1).toString().toStdString();
            }
            break;
        case kQueryBySql:
            query.sql = sql_->toPlainText().toStdString();
            break;
    }
    return query;
}

void LibrarySearchDialog::runQuery() {
    query_ = queryOfPage();
    runLibraryQuery(store_, query_, results_);
    fillGameTable(table_, results_);
    if (!results_.empty())
        table_->selectRow(0);
    stack_->setCurrentIndex(1);
}

bool LibrarySearchDialog::showingResults() const { return stack_->currentIndex() == 1; }

std::vector<LibraryRecord> LibrarySearchDialog::results() const {
    // The list in display order (sorted by a header, rows deleted).
    std::vector<LibraryRecord> list;
    for (int row = 0; row < table_->rowCount(); ++row) {
        const QTableWidgetItem* item = table_->item(row, 0);
        const int at = item ? item->data(Qt::UserRole).toInt() : -1;
        if (at >= 0 && at < static_cast<int>(results_.size()))
            list.push_back(results_[static_cast<size_t>(at)]);
    }
    return list;
}

int LibrarySearchDialog::pickedIndex() const {
    const int row = table_->currentRow();
    return row >= 0 && row < table_->rowCount() ? row : (table_->rowCount() > 0 ? 0 : -1);
}

void LibrarySearchDialog::accept() {
    if (!showingResults()) {
        runQuery();
        return;
    }
    QDialog::accept();
}

void LibrarySearchDialog::exportIds() {
    QString file = QFileDialog::getSaveFileName(this, tr("导出到板块"), QString(), tr("文本文件 (*.txt)"));
    if (file.isEmpty())
        return;
    if (!file.endsWith(".txt", Qt::CaseInsensitive))
        file += ".txt";
    std::vector<int32_t> ids;
    for (const auto& record : results())
        ids.push_back(record.id);
    WriteIdList(ids, file.toStdString());
}

void LibrarySearchDialog::importIds() {
    const QString file = QFileDialog::getOpenFileName(this, tr("从板块中导入"), QString(), tr("文本文件 (*.txt)"));
    if (file.isEmpty())
        return;
    std::vector<int32_t> ids;
    if (!ReadIdList(file.toStdString(), ids))
        return;
    std::vector<LibraryRecord> list;
    for (int32_t id : ids) {
        LibraryRecord record;
        if (store_.loadRecord(id, record))
            list.push_back(std::move(record));
    }
    results_ = std::move(list);
    fillGameTable(table_, results_);
}

}  // namespace tessera
