#include "room/ui/room_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

#include "engine/program_log.h"
#include "library/library_catalogue.h"
#include "platform/failure_reason.h"
#include "platform/private_temp_file.h"
#include "record/record_file.h"
#include "record/sgf_file.h"
#include "record/ui/game_info_dialog.h"
#include "room/record_rules.h"
#include "room/room_commands.h"
#include "room/ui/board_picture_dialog.h"
#include "room/ui/main_window.h"
#include "room/ui/node_dialog.h"
#include "room/ui/room_icons.h"
#include "room/ui/rules_dialog.h"
#include "room/ui/sound_player.h"
#include "stats/pattern_bases.h"
#include "view/ui/board_widget.h"
#include "view/ui/image_import_dialog.h"

namespace tessera {

namespace {

constexpr int kNodeIdRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;

QString qt(const std::string& text) { return QString::fromStdString(text); }

RoomSettings roomSettingsOf(const DesktopDefaults& defaults) {
    RoomSettings settings;
    settings.preferences = defaults.general;
    settings.stoneSound = defaults.stoneSound;
    settings.rules = defaults.rules;
    return settings;
}

// Fills the tree widget from the room's items; iterative, so the depth of a record never
// reaches the stack. Each level is made in one go and added to its parent at once.
void addItems(const std::vector<VariationItem>& items, QTreeWidget* tree) {
    struct Pending {
        const std::vector<VariationItem>* items;
        QTreeWidgetItem* parent;
    };
    std::vector<Pending> pending{{&items, tree->invisibleRootItem()}};
    while (!pending.empty()) {
        const Pending level = pending.back();
        pending.pop_back();
        QList<QTreeWidgetItem*> made;
        made.reserve(static_cast<qsizetype>(level.items->size()));
        for (const VariationItem& item : *level.items) {
            auto* widgetItem = new QTreeWidgetItem;
            widgetItem->setText(0, qt(item.text));
            widgetItem->setData(0, kNodeIdRole, item.nodeId);
            widgetItem->setData(0, kImageRole, item.image);
            widgetItem->setIcon(0, variationImage(item.image));
            made.append(widgetItem);
            if (!item.children.empty())
                pending.push_back({&item.children, widgetItem});
        }
        level.parent->addChildren(made);
    }
}

// Deletes every item of the tree widget without the items' recursive destructor.
void clearItems(QTreeWidget* tree) {
    QList<QTreeWidgetItem*> pending = tree->invisibleRootItem()->takeChildren();
    while (!pending.isEmpty()) {
        QTreeWidgetItem* item = pending.takeLast();
        pending.append(item->takeChildren());
        delete item;
    }
}

}  // namespace

RoomWindow::RoomWindow(MainWindow& mainWindow, DesktopDefaults& defaults, QWidget* parent)
    : QWidget(parent),
      mainWindow_(mainWindow),
      defaults_(defaults),
      room_(std::make_unique<GameRoom>(this, roomSettingsOf(defaults))) {
    board_ = new BoardWidget(room_->display());
    board_->applySettings(defaults.board);
    board_->setMinimumSize(240, 240);
    board_->setFocusPolicy(Qt::StrongFocus);
    board_->installEventFilter(this);
    board_->onPointChosen = [this](int32_t point) { onPointChosen(point); };
    board_->onRectangleSelected = [this](const PointList& points) {
        room_->toggleMaskPoints(points);
        afterCommand();
    };
    board_->onCursorStep = [this](int columns, int rows) { room_->moveCursor(columns, rows); };
    board_->cursorIndex = [this](bool overPoint) { return room_->boardCursorIndex(overPoint); };
    board_->onContextMenuRequested = [this](QPoint at) {
        QMenu* menu = makeContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(at);
    };

    tree_ = new QTreeWidget;
    tree_->setHeaderHidden(true);
    tree_->setIconSize(QSize(16, 16));
    tree_->setUniformRowHeights(true);
    connect(tree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { onTreeItemClicked(item); });
    connect(tree_, &QTreeWidget::currentItemChanged, this, [](QTreeWidgetItem* now, QTreeWidgetItem* before) {
        // The selected form of the item image follows the selection.
        if (before)
            before->setIcon(0, variationImage(before->data(0, kImageRole).toInt()));
        if (now)
            now->setIcon(0, variationImage(now->data(0, kImageRole).toInt() + 1));
    });
    comment_ = new QTextBrowser;
    comment_->setPlaceholderText(tr("解说"));
    // The pane is the node's comment, edited in place.
    comment_->setReadOnly(false);
    comment_->setOpenLinks(false);
    connect(comment_, &QTextEdit::textChanged, this, [this] {
        if (showingComment_ || !room_->setCurrentComment(comment_->toPlainText().toStdString()))
            return;
        mainWindow_.roomChanged(this);
    });

    auto* side = new QSplitter(Qt::Vertical);
    side->addWidget(tree_);
    side->addWidget(comment_);
    side->setStretchFactor(0, 3);
    side->setStretchFactor(1, 1);
    split_ = new QSplitter(Qt::Horizontal);
    split_->addWidget(board_);
    split_->addWidget(side);
    split_->setStretchFactor(0, 4);
    split_->setStretchFactor(1, 1);
    split_->setSizes({640, 240});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split_);

    infoPanel_ = new QWidget;
    hintPane_ = new QTextBrowser;
    hintPane_->setPlaceholderText(tr("没有统计数据"));
    auto* details = new QPushButton(tr("查看详细统计信息"));
    details->setObjectName("hintDetails");
    connect(details, &QPushButton::clicked, this, [this] {
        if (defaults_.showHintDetails)
            defaults_.showHintDetails(*this);
    });
    auto* infoLayout = new QVBoxLayout(infoPanel_);
    infoLayout->setContentsMargins(0, 0, 0, 0);
    infoLayout->addWidget(details);
    infoLayout->addWidget(hintPane_);

    if (defaults.recordTranslator)
        room_->setRecordTranslator(defaults.recordTranslator);
    room_->newGame();
    touched_ = false;
}

RoomWindow::~RoomWindow() {
    for (auto& [id, timer] : timers_)
        timer->stop();
    room_->setHost(nullptr);  // the room outlives nothing it could still call back into
    delete infoPanel_;
    // The child widgets use members of this window (the board its view state): they go
    // first, while those members still exist, and the tree's items without recursion.
    delete board_;
    clearItems(tree_);
    delete split_;
    removePrivateCopy(externalCopy_);
}

// ---- what the main window asks -------------------------------------------------------------

QString RoomWindow::roomTitle() const { return (room_->isModified() ? "*" : "") + qt(room_->title()); }

QWidget* RoomWindow::infoPanel() const { return infoPanel_; }

void RoomWindow::refreshStatistics(uint32_t infoPanels) {
    // No hints while playing the computer; a missing base simply answers nothing.
    HintResult result;
    const GameNode* node = room_->currentNode();
    if (room_->roomKind() != kRoomEngineGame && defaults_.patternBases && node) {
        HintRequest request;
        request.position = room_->display().position;
        request.colourToMove = room_->sideToMove();
        request.lastWasStoneMove = node->move.isStoneMove();
        request.overlayEmpty = room_->display().labels.empty() && room_->display().marks.empty();
        request.showKnowledge = (infoPanels & kPanelKnowledge) != 0;
        request.showGlobal = (infoPanels & kPanelGlobalStats) != 0;
        request.showLocal = (infoPanels & kPanelLocalStats) != 0;
        request.globalShare = std::clamp(room_->settings().preferences.gfpPer, 0.5, 1.0);
        request.localShare = std::clamp(room_->settings().preferences.glpPer, 0.5, 1.0);
        static const LibraryCatalogue noGames;
        result = computeHints(*defaults_.patternBases, defaults_.catalogue ? *defaults_.catalogue : noGames, request);
    }
    room_->showPatternHints(result);
    hintPane_->setPlainText(qt(result.report).replace("\r\n", "\n"));
}

QString RoomWindow::gameSummary() const {
    const GameInfo& info = room_->record().info;
    auto row = [](const QString& label, const std::string& value) {
        return value.empty() ? QString()
                             : QString("<tr><td><b>%1</b></td><td>%2</td></tr>").arg(label, qt(value).toHtmlEscaped());
    };
    auto player = [](const std::string& name, const std::string& rank) {
        return rank.empty() ? name : name + " " + rank;
    };
    QString html = "<table cellspacing=3>";
    html += row(tr("黑方"), player(info.blackName, info.blackRank));
    html += row(tr("白方"), player(info.whiteName, info.whiteRank));
    html += row(tr("比赛"), info.event);
    html += row(tr("对局"), info.gameName);
    html += row(tr("日期"), info.date);
    html += row(tr("地点"), info.place);
    html += row(tr("贴目"), info.komi != 0.0 ? QString::number(info.komi).toStdString() : std::string());
    html += row(tr("让子"), info.handicap > 0 ? std::to_string(info.handicap) : std::string());
    html += row(tr("结果"), info.resultText);
    html += "</table>";
    if (html == "<table cellspacing=3></table>")
        return tr("无比赛信息");
    return html;
}

bool RoomWindow::openFile(const QString& file, QString& error) {
    std::string reason;
    if (!room_->openFile(std::filesystem::path(file.toStdString()), reason)) {
        error = qt(reason);
        return false;
    }
    if (defaults_.programLog)
        for (const std::string& repair : room_->record().repairs)
            defaults_.programLog->logLine(file.toStdString() + ": " + repair);
    touched_ = true;
    mainWindow_.roomChanged(this);
    return true;
}

void RoomWindow::openFileRecord(GameRecord record, const QString& file) {
    room_->openFileRecord(std::move(record), std::filesystem::path(file.toStdString()));
    touched_ = true;
    mainWindow_.roomChanged(this);
}

bool RoomWindow::saveFile(const QString& file, QString& error) {
    std::string reason;
    const std::filesystem::path path(file.toStdString());
    if (!saveRecordFile(path, room_->record(), reason)) {
        error = qt(reason);
        return false;
    }
    // An SGG save, or an SGF save of a room with no file or an SGF file, becomes the room's file;
    // either way the changes are kept now.
    if (lowerExtension(path) == ".sgg" || room_->filePath().empty() || lowerExtension(room_->filePath()) == ".sgf")
        room_->setFilePath(path);
    room_->markSaved();
    mainWindow_.roomChanged(this);
    return true;
}

bool RoomWindow::writeExternalCopy(QString& file, QString& error) {
    std::string text, reason;
    if (!writeSgfBytes(room_->record(), text, reason)) {
        error = qt(reason);
        return false;
    }
    const std::string folder = defaults_.programFolder.empty()
                                   ? QStandardPaths::writableLocation(QStandardPaths::TempLocation).toStdString()
                                   : defaults_.programFolder + "temp";
    const std::string copy = writePrivateCopy(folder, "room-", ".sgf", text, reason);
    if (copy.empty()) {
        error = qt(reason);
        return false;
    }
    removePrivateCopy(externalCopy_);
    externalCopy_ = copy;
    file = qt(copy);
    return true;
}

bool RoomWindow::untouched() const {
    if (touched_ || !room_->filePath().empty())
        return false;
    return room_->record().tree.size() <= 1;
}

void RoomWindow::focusBoard() { board_->setFocus(); }

void RoomWindow::setPreferences(const RoomPreferences& preferences) {
    room_->settings().preferences = preferences;
    if (room_->autoReplay())
        startTimer(kAutoReplayTimer, std::max(10, preferences.stoneDelay));
}

const BoardViewSettings& RoomWindow::boardSettings() const { return board_->viewport().settings(); }

void RoomWindow::applyBoardSettings(const BoardViewSettings& board) { board_->applySettings(board); }

// ---- commands ------------------------------------------------------------------------------

void RoomWindow::runCommand(RoomCommandId id) {
    if (id == RoomCommandId::Rules) {
        editRules();
    } else if (id == RoomCommandId::GameInfo) {
        editGameInfo();
    } else if (id == RoomCommandId::NodeProperties) {
        editNode();
    } else if (id == RoomCommandId::Match) {
        startMatch();
    } else if (id == RoomCommandId::ExportBoardPicture) {
        BoardPictureDialog dialog(*room_, boardSettings(), std::min(board_->width(), board_->height()), this);
        dialog.exec();
    } else if (id == RoomCommandId::CopyBoardPicture) {
        BoardPictureDialog(*room_, boardSettings(), std::min(board_->width(), board_->height())).copyToClipboard();
    } else {
        runRoomCommand(*room_, id);
        touched_ = true;
    }
    afterCommand();
}

void RoomWindow::afterCommand() {
    board_->refreshCursor();  // the tool or the side to move may have changed
    if (isActiveRoom())
        mainWindow_.updateCommands();
}

void RoomWindow::editRules() {
    const GameRoom::ReplayHold hold(*room_);
    RulesDialog dialog(room_->rules(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    room_->setRules(dialog.rules());
    room_->settings().rules = dialog.rules();  // the room's next new games too
    if (dialog.saveAsDefault() && defaults_.saveRuleDefaults && !defaults_.saveRuleDefaults(dialog.rules()))
        QMessageBox::warning(this, QApplication::applicationDisplayName(), tr("无法保存规则设置"));
}

void RoomWindow::editGameInfo() {
    const GameRoom::ReplayHold hold(*room_);
    GameInfoDialog dialog(room_->record().info, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const GameInfo before = room_->record().info;
    room_->mutableRecord().info = dialog.info();
    const GameInfo& after = room_->record().info;
    // A header that now states other rules or komi is counted under them.
    if (after.ruleType != before.ruleType || after.rulesText != before.rulesText || after.komi != before.komi ||
        after.handicap != before.handicap)
        room_->setRules(recordRules(after, room_->rules()));
    room_->recordChanged();
    touched_ = true;
    mainWindow_.roomChanged(this);
}

void RoomWindow::editNode() {
    if (room_->currentNode() == nullptr)
        return;
    const GameRoom::ReplayHold hold(*room_);
    NodeDialog dialog(room_->currentAnnotation(), this);
    if (dialog.exec() != QDialog::Accepted || !room_->annotateCurrentNode(dialog.annotation()))
        return;
    touched_ = true;
    mainWindow_.roomChanged(this);
}

QMenu* RoomWindow::makeContextMenu() {
    auto* menu = new QMenu(this);
    for (RoomCommandId id : commandList(CommandList::ContextMenu)) {
        const RoomCommand* command = findRoomCommand(id);
        if (command == nullptr) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QCoreApplication::translate("GameRoom", command->source));
        action->setCheckable(command->checked != nullptr);
        action->setChecked(command->checked && command->checked(*room_));
        action->setEnabled(command->enabled(*room_));
        connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
    }
    if (defaults_.searchPattern) {
        menu->addSeparator();
        connect(menu->addAction(tr("搜索棋型")), &QAction::triggered, this, [this] { defaults_.searchPattern(*this); });
    }
    return menu;
}

// ---- input ---------------------------------------------------------------------------------

void RoomWindow::onPointChosen(int32_t point) {
    touched_ = true;
    room_->clickPoint(point);
    afterCommand();
}

void RoomWindow::onTreeItemClicked(QTreeWidgetItem* item) {
    if (item == nullptr)
        return;
    room_->goToNode(item->data(0, kNodeIdRole).toInt());
    afterCommand();
}

bool RoomWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == board_ && event->type() == QEvent::Wheel) {
        // One notch (120) is one move: up goes back, down goes forward.
        auto* wheel = static_cast<QWheelEvent*>(event);
        wheelSteps_ += wheel->angleDelta().y();
        while (wheelSteps_ >= 120) {
            wheelSteps_ -= 120;
            room_->goPrev();
        }
        while (wheelSteps_ <= -120) {
            wheelSteps_ += 120;
            room_->goNext();
        }
        afterCommand();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// ---- RoomHost ------------------------------------------------------------------------------

void RoomWindow::redraw() {
    if (board_ != nullptr)
        board_->redraw();
}

void RoomWindow::titleChanged(const std::string&) { mainWindow_.roomChanged(this); }

void RoomWindow::showMessage(const std::string& text) {
    QMessageBox::information(this, QApplication::applicationDisplayName(), qt(text));
}

bool RoomWindow::importBoardImage(BoardGrid& position, bool& whiteToPlay) {
    ImageImportDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted || !dialog.position().isUsable())
        return false;
    position.copyFrom(dialog.position());
    whiteToPlay = dialog.whiteToPlay();
    return true;
}

bool RoomWindow::askText(const std::string& prompt, std::string& text) {
    bool ok = false;
    const QString answer = QInputDialog::getText(this, QApplication::applicationDisplayName(), qt(prompt),
                                                 QLineEdit::Normal, qt(text), &ok);
    if (!ok)
        return false;
    text = answer.toStdString();
    return true;
}

void RoomWindow::playSound(int soundId, bool wait) {
    if (defaults_.sounds == nullptr)
        return;
    const bool stoneSound = soundId >= kSoundStone && soundId <= kSoundCaptureMany;
    if (stoneSound && !defaults_.stoneSound)
        return;  // the global switch, flipped by F7
    defaults_.sounds->play(soundId, wait);
}

void RoomWindow::variationTreeChanged() {
    const QSignalBlocker quiet(tree_);
    clearItems(tree_);
    addItems(room_->variationTree(), tree_);
    tree_->expandAll();
}

void RoomWindow::selectTreeItem(int32_t nodeId) {
    const std::vector<int> path = findVariationItem(room_->variationTree(), nodeId);
    if (path.empty())
        return;
    QTreeWidgetItem* item = tree_->topLevelItem(path.front());
    for (std::size_t i = 1; item != nullptr && i < path.size(); ++i)
        item = item->child(path[i]);
    if (item == nullptr)
        return;
    QTreeWidgetItem* before = tree_->currentItem();
    {
        const QSignalBlocker quiet(tree_);
        tree_->setCurrentItem(item);
    }
    if (before && before != item)
        before->setIcon(0, variationImage(before->data(0, kImageRole).toInt()));
    item->setIcon(0, variationImage(item->data(0, kImageRole).toInt() + 1));
    tree_->scrollToItem(item);
}

void RoomWindow::setStatusText(const std::string& text) {
    statusText_ = qt(text).replace("\r\n", "    ").trimmed();
    if (isActiveRoom())
        mainWindow_.showRoomStatus(statusText_);
}

void RoomWindow::refreshStatus() { mainWindow_.showRoomStatus(statusText_); }

void RoomWindow::setCommentText(const std::string& text) {
    showingComment_ = true;
    comment_->setPlainText(qt(text));
    showingComment_ = false;
}

void RoomWindow::closeEvent(QCloseEvent* event) {
    if (settleChanges())
        event->accept();
    else
        event->ignore();
}

bool RoomWindow::settleChanges() {
    if (!room_->isModified())
        return true;
    const QMessageBox::StandardButton answer =
        saveQuestion
            ? saveQuestion()
            : QMessageBox::question(this, QApplication::applicationDisplayName(),
                                    tr("棋谱 %1 已修改，是否保存?").arg(roomTitle()),
                                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    return answer == QMessageBox::Discard || (answer == QMessageBox::Save && saveChanges());
}

bool RoomWindow::saveChanges() {
    const std::filesystem::path current = room_->filePath();
    const std::string extension = lowerExtension(current);
    QString file;
    if (extension == ".sgf" || extension == ".sgg") {
        file = QString::fromStdString(current.string());
    } else {
        const QString folder =
            current.empty() ? QDir::homePath() : QString::fromStdString(current.parent_path().string());
        const QString stem = current.empty() ? tr("无名文件") : QString::fromStdString(current.stem().string());
        file = QFileDialog::getSaveFileName(this, tr("保存棋谱"), folder + "/" + stem + ".sgf",
                                            tr("SGF棋谱 (*.sgf);;SGG棋谱 (*.sgg)"));
        if (file.isEmpty())
            return false;
        if (!file.endsWith(".sgf", Qt::CaseInsensitive) && !file.endsWith(".sgg", Qt::CaseInsensitive))
            file += ".sgf";
    }
    QString error;
    if (!saveFile(file, error)) {
        QMessageBox::warning(
            this, QApplication::applicationDisplayName(),
            tr("无法保存棋谱 %1: %2")
                .arg(QDir::toNativeSeparators(file), QString::fromStdString(userFailureReason(error.toStdString()))));
        return false;
    }
    return true;
}

void RoomWindow::startTimer(int timerId, int periodMs) {
    QTimer*& timer = timers_[timerId];
    if (timer == nullptr) {
        timer = new QTimer(this);
        if (timerId == kProblemReplyTimer)
            timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, [this, timerId] {
            room_->onTimer(timerId);
            afterCommand();
        });
    }
    timer->start(std::max(1, periodMs));
}

void RoomWindow::stopTimer(int timerId) {
    auto found = timers_.find(timerId);
    if (found != timers_.end())
        found->second->stop();
}

void RoomWindow::announceAnswer(bool right, const std::string& text) {
    lastAnnouncement_ = qt(text);
    if (verdictBanner_ == nullptr) {
        // A banner over the top of the board that goes by itself: no box to click away.
        verdictBanner_ = new QLabel(board_);
        verdictBanner_->setAlignment(Qt::AlignCenter);
        verdictBanner_->setAttribute(Qt::WA_TransparentForMouseEvents);
        verdictTimer_ = new QTimer(this);
        verdictTimer_->setSingleShot(true);
        connect(verdictTimer_, &QTimer::timeout, verdictBanner_, &QWidget::hide);
    }
    verdictBanner_->setStyleSheet(
        QString("QLabel { color: white; background: %1; border-radius: 6px; padding: 6px 14px;"
                " font-size: 16pt; font-weight: bold; }")
            .arg(right ? "rgba(30, 130, 60, 220)" : "rgba(180, 40, 40, 220)"));
    verdictBanner_->setText(lastAnnouncement_);
    verdictBanner_->adjustSize();
    verdictBanner_->move((board_->width() - verdictBanner_->width()) / 2, board_->height() / 12);
    verdictBanner_->show();
    verdictBanner_->raise();
    verdictTimer_->start(2500);
    if (isActiveRoom())
        mainWindow_.showAnnouncement(lastAnnouncement_);
}

bool RoomWindow::isActiveRoom() const { return mainWindow_.activeRoom() == this; }

bool RoomWindow::commentPanelShown() const { return !comment_->isHidden(); }

}  // namespace tessera
