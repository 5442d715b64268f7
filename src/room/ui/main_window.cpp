#include "room/ui/main_window.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabBar>
#include <QTextBrowser>
#include <QToolBar>

#include "platform/failure_reason.h"
#include "record/occupied_point_check.h"
#include "record/record_file.h"
#include "room/room_commands.h"
#include "room/ui/desktop_defaults.h"
#include "room/ui/room_actions.h"
#include "room/ui/room_window.h"
#include "room/ui/sound_player.h"

namespace tessera {

namespace {

// A reason as a person can read it: control bytes (a NUL from a damaged file) would show as
// boxes or cut the text, so each becomes its code.
QString readableText(const std::string& text) {
    QString readable;
    for (const QChar c : QString::fromStdString(text)) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            readable += QString("\\x%1").arg(c.unicode(), 2, 16, QChar('0'));
        else
            readable += c;
    }
    return readable;
}

}  // namespace

MainWindow::MainWindow(DesktopDefaults& defaults, QWidget* parent) : QMainWindow(parent), defaults_(defaults) {
    setWindowTitle(QApplication::applicationDisplayName());
    mdi_ = new QMdiArea;
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, &MainWindow::onSubWindowActivated);

    createWindowActions();
    roomActions_ = new RoomActions([this] { return activeRoom(); }, this);
    createBars();
    createMenus();
    updateCommands();
}

MainWindow::~MainWindow() {
    // Rooms unregister as their windows go; close them first so the registry never sees a
    // half-destroyed main window.
    closingAll_ = true;
    for (RoomWindow* room : rooms()) {
        if (QMdiSubWindow* sub = subWindowOf(room))
            delete sub;
    }
}

QString MainWindow::roomTabTitle(int number) { return QString("%1 %2").arg(tr("棋室")).arg(number); }

// ---- actions, menus and bars ---------------------------------------------------------------

void MainWindow::createWindowActions() {
    newRoomAction_ = new QAction(tr("新建棋室(&N)"), this);
    newRoomAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    newRoomAction_->setStatusTip(tr("打开一个新的棋室"));
    // Tool buttons name the three in short (the tool tip keeps the menu's words).
    newRoomAction_->setIconText(tr("新建棋室", "tool bar"));
    connect(newRoomAction_, &QAction::triggered, this, [this] { newRoom(); });

    openAction_ = new QAction(tr("打开棋谱(&O)..."), this);
    openAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    openAction_->setIconText(tr("打开棋谱", "tool bar"));
    connect(openAction_, &QAction::triggered, this, &MainWindow::openFileDialog);

    saveSggAction_ = new QAction(tr("保存为SGG棋谱(&S)..."), this);
    saveSggAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    saveSggAction_->setIconText(tr("保存为SGG棋谱", "tool bar"));
    connect(saveSggAction_, &QAction::triggered, this, [this] { saveActiveRoom(false); });

    exportSgfAction_ = new QAction(tr("导出为SGF棋谱(&E)..."), this);
    exportSgfAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(exportSgfAction_, &QAction::triggered, this, [this] { saveActiveRoom(true); });

    externalEditorAction_ = new QAction(tr("第三方工具---转Multigo打谱"), this);
    connect(externalEditorAction_, &QAction::triggered, this, &MainWindow::handToExternalEditor);

    closeAllAction_ = new QAction(tr("关闭所有窗口"), this);
    connect(closeAllAction_, &QAction::triggered, this, &MainWindow::closeAllRooms);

    keepOnTopAction_ = new QAction(tr("保持窗体在最前面"), this);
    keepOnTopAction_->setCheckable(true);
    connect(keepOnTopAction_, &QAction::triggered, this, &MainWindow::toggleKeepOnTop);

    stoneSoundAction_ = new QAction(tr("落子声"), this);
    stoneSoundAction_->setCheckable(true);
    stoneSoundAction_->setShortcut(QKeySequence(Qt::Key_F7));
    connect(stoneSoundAction_, &QAction::triggered, this, &MainWindow::toggleStoneSound);
}

void MainWindow::createBars() {
    mainToolBar_ = addToolBar(tr("主工具栏"));
    mainToolBar_->setObjectName("mainToolBar");
    mainToolBar_->addAction(newRoomAction_);
    mainToolBar_->addAction(openAction_);
    mainToolBar_->addAction(saveSggAction_);

    replayToolBar_ = addToolBar(tr("工具栏--打谱"));
    replayToolBar_->setObjectName("replayToolBar");
    addCommands(replayToolBar_, CommandList::ReplayToolBar);
    practiceToolBar_ = addToolBar(tr("工具栏--练习"));
    practiceToolBar_->setObjectName("practiceToolBar");
    addCommands(practiceToolBar_, CommandList::PracticeToolBar);
    playToolBar_ = addToolBar(tr("工具栏--对弈"));
    playToolBar_->setObjectName("playToolBar");
    addCommands(playToolBar_, CommandList::PlayToolBar);
    trainingToolBar_ = addToolBar(tr("工具栏--训练"));
    trainingToolBar_->setObjectName("trainingToolBar");
    addCommands(trainingToolBar_, CommandList::TrainingToolBar);
    addToolBarBreak();
    editToolBar_ = addToolBar(tr("工具栏--编辑"));
    editToolBar_->setObjectName("editToolBar");
    addCommands(editToolBar_, CommandList::EditToolBar);

    roomBar_ = addToolBar(tr("棋室信息"));
    roomBar_->setObjectName("roomBar");
    roomTabs_ = new QTabBar;
    roomTabs_->setExpanding(false);
    roomTabs_->setDocumentMode(true);
    roomTabs_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    roomBar_->addWidget(roomTabs_);
    connect(roomTabs_, &QTabBar::currentChanged, this, &MainWindow::onTabSelected);

    gameInfoView_ = new QTextBrowser;
    gameInfoDock_ = new QDockWidget(tr("对局信息"), this);
    gameInfoDock_->setObjectName("gameInfoDock");
    gameInfoDock_->setWidget(gameInfoView_);
    addDockWidget(Qt::RightDockWidgetArea, gameInfoDock_);

    infoPanels_ = new QStackedWidget;
    infoPanels_->addWidget(new QWidget);  // page 0: no room
    infoDock_ = new QDockWidget(tr("提示信息"), this);
    infoDock_->setObjectName("infoDock");
    infoDock_->setWidget(infoPanels_);
    addDockWidget(Qt::RightDockWidgetArea, infoDock_);

    statusPrisoners_ = new QLabel;
    statusBar()->addPermanentWidget(statusPrisoners_);
}

void MainWindow::addBarToggle(QMenu* menu, const QString& text, std::vector<QWidget*> bars, const QKeySequence& key) {
    auto* action = menu->addAction(text);
    action->setCheckable(true);
    action->setChecked(true);
    if (!key.isEmpty())
        action->setShortcut(key);
    // Shows a hidden bar or hides a visible one; several bars follow the first.
    connect(action, &QAction::triggered, this, [this, bars, action] {
        const bool show = bars.front()->isHidden();
        for (QWidget* bar : bars)
            bar->setVisible(show);
        action->setChecked(show);
    });
    for (QWidget* bar : bars) {
        if (auto* dock = qobject_cast<QDockWidget*>(bar))
            connect(dock, &QDockWidget::visibilityChanged, action,
                    [bars, action] { action->setChecked(!bars.front()->isHidden()); });
    }
}

void MainWindow::addCommands(QWidget* target, CommandList list) {
    for (RoomCommandId id : commandList(list)) {
        if (id == RoomCommandId::Separator) {
            if (auto* menu = qobject_cast<QMenu*>(target))
                menu->addSeparator();
            if (auto* bar = qobject_cast<QToolBar*>(target))
                bar->addSeparator();
        } else if (QAction* action = roomActions_->action(id)) {
            target->addAction(action);
        }
    }
}

void MainWindow::createMenus() {
    fileMenu_ = menuBar()->addMenu(tr("文件(&F)"));
    fileMenu_->addAction(newRoomAction_);
    fileMenu_->addAction(openAction_);
    fileMenu_->addSeparator();
    fileMenu_->addAction(saveSggAction_);
    fileMenu_->addAction(exportSgfAction_);
    fileMenu_->addSeparator();
    fileMenu_->addAction(externalEditorAction_);
    fileMenu_->addSeparator();
    QAction* quit = fileMenu_->addAction(tr("退出(&X)"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(quit, &QAction::triggered, this, &QWidget::close);

    editMenu_ = menuBar()->addMenu(tr("编辑(&E)"));
    addCommands(editMenu_, CommandList::EditMenu);
    QMenu* tools = editMenu_->addMenu(tr("棋盘工具"));
    addCommands(tools, CommandList::ToolsMenu);
    addCommands(editMenu_, CommandList::EditMenuEnd);

    moveMenu_ = menuBar()->addMenu(tr("移动(&M)"));
    addCommands(moveMenu_, CommandList::MoveMenu);

    gameMenu_ = menuBar()->addMenu(tr("游戏(&G)"));
    addCommands(gameMenu_, CommandList::GameMenu);

    trainingMenu_ = menuBar()->addMenu(tr("死活和官子训练(&T)"));
    addCommands(trainingMenu_, CommandList::TrainingMenu);

    viewMenu_ = menuBar()->addMenu(tr("查看(&V)"));
    addBarToggle(viewMenu_, tr("主工具栏(&T)"), {mainToolBar_});
    addBarToggle(viewMenu_, tr("工具栏--对弈"), {playToolBar_});
    addBarToggle(viewMenu_, tr("工具栏--练习"), {practiceToolBar_});
    addBarToggle(viewMenu_, tr("工具栏--打谱"), {replayToolBar_});
    addBarToggle(viewMenu_, tr("工具栏--编辑"), {editToolBar_});
    addBarToggle(viewMenu_, tr("工具栏--训练"), {trainingToolBar_});
    addBarToggle(viewMenu_, tr("状态栏(&S)"), {statusBar()});
    addBarToggle(viewMenu_, tr("对局信息(&G)"), {gameInfoDock_, infoDock_});
    addBarToggle(viewMenu_, tr("棋室信息(&R)"), {roomBar_});
    viewMenu_->addSeparator();
    addCommands(viewMenu_->addMenu(tr("手数显示")), CommandList::NumbersMenu);
    addCommands(viewMenu_->addMenu(tr("坐标变换")), CommandList::TransformMenu);
    addCommands(viewMenu_, CommandList::PanelsMenu);

    settingsMenu_ = menuBar()->addMenu(tr("设置(&S)"));
    settingsMenu_->addAction(tr("系统设置"), this, &MainWindow::systemSettingsRequested);
    settingsMenu_->addAction(tr("棋盘属性设置"), this, &MainWindow::boardPropertiesRequested);
    settingsMenu_->addSeparator();
    settingsMenu_->addAction(stoneSoundAction_);
    settingsMenu_->addSeparator();
    QMenu* language = settingsMenu_->addMenu(tr("语言"));
    language->addAction(tr("中文"), this, [this] { emit languageMenuChosen(0); });
    language->addAction(tr("英文(English)"), this, [this] { emit languageMenuChosen(1); });
    language->addSeparator();
    language->addAction(tr("选择语言..."), this, &MainWindow::languageDialogRequested);

    windowMenu_ = menuBar()->addMenu(tr("窗口(&W)"));
    windowMenu_->addAction(newRoomAction_);
    windowMenu_->addAction(closeAllAction_);
    windowMenu_->addSeparator();
    windowMenu_->addAction(keepOnTopAction_);
    windowMenu_->addSeparator();
    windowMenu_->addAction(tr("层叠窗口"), mdi_, &QMdiArea::cascadeSubWindows);
    windowMenu_->addAction(tr("平铺窗口"), mdi_, &QMdiArea::tileSubWindows);
}

// ---- rooms -----------------------------------------------------------------------------------

RoomWindow* MainWindow::newRoom() {
    if (registry_.full())
        return nullptr;  // silently, as with every refused command
    auto* room = new RoomWindow(*this, defaults_);
    QMdiSubWindow* sub = mdi_->addSubWindow(room);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    registerRoom(room, sub);
    sub->showMaximized();
    mdi_->setActiveSubWindow(sub);
    onSubWindowActivated(sub);
    return room;
}

void MainWindow::registerRoom(RoomWindow* room, QMdiSubWindow* sub) {
    const int number = registry_.registerRoom(room);
    subWindows_[room] = sub;
    infoPanels_->addWidget(room->infoPanel());
    {
        const QSignalBlocker quiet(roomTabs_);
        roomTabs_->addTab(roomTabTitle(number));
    }
    sub->installEventFilter(this);  // notes whether the room is active when it closes
    // Unregistered in the frame's destruction, so the list always equals the open windows.
    connect(sub, &QObject::destroyed, this, [this, room] { unregisterRoom(room); });
    roomChanged(room);
}

void MainWindow::unregisterRoom(RoomWindow* room) {
    const int index = registry_.unregisterRoom(room);
    subWindows_.erase(room);
    const bool wasActive = room == closingActiveRoom_;
    if (wasActive)
        closingActiveRoom_ = nullptr;
    if (index < 0)
        return;
    {
        const QSignalBlocker quiet(roomTabs_);
        roomTabs_->removeTab(index);
    }
    if (closingAll_)
        return;
    // The neighbouring tab takes over (the one that slid into the closed tab's place, else the
    // one before it), as in every tabbed program, not whichever room was active before.
    if (wasActive && !registry_.empty()) {
        activateRoomAt(std::min(index, registry_.size() - 1));
        return;
    }
    onSubWindowActivated(mdi_->currentSubWindow());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // Seen before the area reacts to the close (this filter was installed after its own), so
    // the active window is still the one closing.
    if (event->type() == QEvent::Close) {
        auto* sub = qobject_cast<QMdiSubWindow*>(watched);
        if (sub != nullptr && sub == mdi_->activeSubWindow())
            closingActiveRoom_ = qobject_cast<RoomWindow*>(sub->widget());
    }
    return QMainWindow::eventFilter(watched, event);
}

QMdiSubWindow* MainWindow::subWindowOf(const RoomWindow* room) const {
    auto found = subWindows_.find(room);
    return found == subWindows_.end() ? nullptr : found->second.data();
}

RoomWindow* MainWindow::activeRoom() const {
    QMdiSubWindow* sub = mdi_->currentSubWindow();
    if (sub == nullptr)
        return nullptr;
    auto* room = qobject_cast<RoomWindow*>(sub->widget());
    return registry_.indexOf(room) >= 0 ? room : nullptr;
}

std::vector<RoomWindow*> MainWindow::rooms() const {
    std::vector<RoomWindow*> list;
    for (int i = 0; i < registry_.size(); ++i)
        list.push_back(registry_.roomAt(i));
    return list;
}

void MainWindow::onSubWindowActivated(QMdiSubWindow* sub) {
    auto* room = sub ? qobject_cast<RoomWindow*>(sub->widget()) : nullptr;
    const int index = registry_.indexOf(room);
    if (index < 0) {
        infoPanels_->setCurrentIndex(0);
        statusPrisoners_->clear();
        refreshGameInfoBar();
        updateCommands();
        return;
    }
    room->focusBoard();
    infoPanels_->setCurrentWidget(room->infoPanel());
    room->refreshStatus();
    {
        const QSignalBlocker quiet(roomTabs_);
        roomTabs_->setCurrentIndex(index);
    }
    roomChanged(room);
}

void MainWindow::onTabSelected(int index) { activateRoomAt(index); }

void MainWindow::activateRoomAt(int index) {
    RoomWindow* room = registry_.roomAt(index);
    if (room == nullptr)
        return;
    if (QMdiSubWindow* sub = subWindowOf(room)) {
        mdi_->setActiveSubWindow(sub);
        onSubWindowActivated(sub);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    closeAllRooms();
    if (!registry_.empty()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::closeAllRooms() {
    if (registry_.empty())
        return;
    setUpdatesEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    closingAll_ = true;
    while (!registry_.empty()) {
        RoomWindow* room = activeRoom();
        if (room == nullptr)
            room = registry_.roomAt(registry_.size() - 1);
        QMdiSubWindow* sub = subWindowOf(room);
        const int before = registry_.size();
        if (sub == nullptr || !sub->close())
            break;  // a room that refuses ends the loop
        if (registry_.size() == before) {
            delete sub;  // WA_DeleteOnClose defers the deletion; the registry must shrink now
        }
    }
    closingAll_ = false;
    QApplication::restoreOverrideCursor();
    setUpdatesEnabled(true);
    onSubWindowActivated(mdi_->currentSubWindow());
}

void MainWindow::toggleKeepOnTop() {
    keepOnTop_ = !keepOnTop_;
    const QRect frame = geometry();
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, keepOnTop_);
    setGeometry(frame);  // position and size stay
    if (wasVisible)
        show();
    keepOnTopAction_->setChecked(keepOnTop_);
}

void MainWindow::toggleStoneSound() {
    defaults_.stoneSound = !defaults_.stoneSound;
    if (!defaults_.stoneSound && defaults_.sounds != nullptr)
        defaults_.sounds->stopAll();
    for (RoomWindow* room : rooms())
        room->setStoneSound(defaults_.stoneSound);
    stoneSoundAction_->setChecked(defaults_.stoneSound);
    roomActions_->update(activeRoom());
}

void MainWindow::showRoomStatus(const QString& text) { statusPrisoners_->setText(text); }

void MainWindow::showAnnouncement(const QString& text) { statusBar()->showMessage(text, 5000); }

void MainWindow::roomChanged(RoomWindow* room) {
    const int index = registry_.indexOf(room);
    if (index < 0)
        return;
    if (QMdiSubWindow* sub = subWindowOf(room))
        sub->setWindowTitle(
            QString("%1 %2( %3 )").arg(tr("棋室")).arg(registry_.numberAt(index)).arg(room->roomTitle()));
    if (room == activeRoom()) {
        refreshGameInfoBar();
        updateCommands();
    }
}

void MainWindow::refreshGameInfoBar() {
    RoomWindow* room = activeRoom();
    if (room == nullptr)
        gameInfoView_->clear();
    else
        gameInfoView_->setHtml(room->gameSummary());
}

void MainWindow::updateCommands() {
    const bool haveRoom = activeRoom() != nullptr;
    saveSggAction_->setEnabled(haveRoom);
    exportSgfAction_->setEnabled(haveRoom);
    externalEditorAction_->setEnabled(haveRoom);
    closeAllAction_->setEnabled(!registry_.empty());
    newRoomAction_->setEnabled(!registry_.full());
    stoneSoundAction_->setChecked(defaults_.stoneSound);
    roomActions_->update(activeRoom());
}

// ---- files -----------------------------------------------------------------------------------

void MainWindow::openFileDialog() {
    const QString file = QFileDialog::getOpenFileName(
        this, tr("打开棋谱"), QString(), tr("棋谱文件 (*.sgf *.gib *.sgg *.SGF *.GIB *.SGG);;所有文件 (*)"));
    if (!file.isEmpty())
        openRecordFile(file);
}

bool MainWindow::openRecordFile(const QString& file, bool reuseUntouchedRoom) {
    // The record is read before any room is made or touched: a file that cannot be read leaves
    // the window exactly as it was (rooms, their sizes, the active room, the title).
    GameRecord record;
    std::string reason;
    if (!loadRecordFile(std::filesystem::path(file.toStdString()), record, reason)) {
        QMessageBox::warning(
            this, QApplication::applicationDisplayName(),
            tr("无法打开棋谱 %1: %2").arg(QDir::toNativeSeparators(file), readableText(userFailureReason(reason))));
        return false;
    }
    RoomWindow* room = activeRoom();
    if (!reuseUntouchedRoom || room == nullptr || !room->untouched()) {
        room = newRoom();
        if (room == nullptr) {
            QMessageBox::information(this, QApplication::applicationDisplayName(), tr("最多只能打开10个棋室."));
            return false;
        }
    }
    const std::optional<OccupiedPointMove> clash = findMoveOnOccupiedPoint(record);
    room->openFileRecord(std::move(record), file);
    roomChanged(room);
    if (clash) {
        // Shown all the same (the file holds what it holds), but never as if it were sound.
        QMessageBox::warning(this, QApplication::applicationDisplayName(),
                             tr("棋谱 %1 的第 %2 手 (%3) 落在已有棋子的点上: 从这一手起的局面可能不对.")
                                 .arg(QDir::toNativeSeparators(file))
                                 .arg(clash->moveNumber)
                                 .arg(QString::fromStdString(clash->pointText)));
    }
    emit recordFileOpened(file);
    return true;
}

void MainWindow::saveActiveRoom(bool asSgf) {
    RoomWindow* room = activeRoom();
    if (room == nullptr)
        return;
    const std::filesystem::path current = room->room().filePath();
    QString suggestion = QString::fromStdString(current.empty() ? std::string() : current.stem().string());
    if (suggestion.isEmpty())
        suggestion = tr("无名文件");
    const QString folder = current.empty() ? QDir::homePath() : QString::fromStdString(current.parent_path().string());
    const QString file = QFileDialog::getSaveFileName(this, asSgf ? tr("导出为SGF棋谱") : tr("保存为SGG棋谱"),
                                                      folder + "/" + suggestion + (asSgf ? ".sgf" : ".sgg"),
                                                      asSgf ? tr("SGF棋谱 (*.sgf)") : tr("SGG棋谱 (*.sgg)"));
    if (file.isEmpty())
        return;
    QString target = file;
    const QString extension = asSgf ? ".sgf" : ".sgg";
    if (!target.endsWith(extension, Qt::CaseInsensitive))
        target += extension;
    QString error;
    if (!room->saveFile(target, error))
        QMessageBox::warning(
            this, QApplication::applicationDisplayName(),
            tr("无法保存棋谱 %1: %2")
                .arg(QDir::toNativeSeparators(target), QString::fromStdString(userFailureReason(error.toStdString()))));
}

void MainWindow::handToExternalEditor() {
    RoomWindow* room = activeRoom();
    if (room == nullptr)
        return;
    // The editor gets a private copy of the current game; the room's own file stays as it is.
    QString file, error;
    if (!room->writeExternalCopy(file, error)) {
        QMessageBox::warning(
            this, QApplication::applicationDisplayName(),
            tr("无法保存棋谱 %1: %2")
                .arg(QDir::toNativeSeparators(QString::fromStdString(defaults_.programFolder + "temp")),
                     QString::fromStdString(userFailureReason(error.toStdString()))));
        return;
    }
    QStringList command = QProcess::splitCommand(QString::fromStdString(defaults_.externalEditor));
    if (command.isEmpty())
        command = {"xdg-open"};
    const QString program = command.takeFirst();
    if (!QProcess::startDetached(program, command << file))
        QMessageBox::warning(this, QApplication::applicationDisplayName(), tr("无法启动外部打谱程序 %1").arg(program));
}

}  // namespace tessera
