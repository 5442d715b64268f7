#include "update/ui/online_update_dialog.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "library/library_store.h"
#include "platform/failure_reason.h"

namespace tessera {

OnlineUpdateDialog::OnlineUpdateDialog(LibraryStore& store, std::string baseUrl, ProgramLog* log, QWidget* parent)
    : QDialog(parent), store_(store), baseUrl_(std::move(baseUrl)), log_(log) {
    setWindowTitle(tr("在线更新"));
    setModal(true);
    setObjectName("onlineUpdateDialog");
    auto* layout = new QVBoxLayout(this);
    step_ = new QLabel;
    progress_ = new QProgressBar;
    progress_->setRange(0, 100);
    progress_->setValue(0);
    text_ = new QPlainTextEdit;
    text_->setReadOnly(true);
    text_->setMinimumSize(480, 200);
    button_ = new QPushButton(tr("取消"));
    layout->addWidget(step_);
    layout->addWidget(progress_);
    layout->addWidget(text_);
    layout->addWidget(button_, 0, Qt::AlignRight);
    connect(button_, &QPushButton::clicked, this, [this] { reject(); });
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, [this] { poll(); });
    worker_.setName("online update");
    if (baseUrl_.empty()) {
        step_->setText(tr("没有配置更新服务器."));
        text_->appendPlainText(tr("请在 custom/vantor.ini 的 [SETTING] 中用 OnLineUpdateURL 指定更新服务器的地址."));
        button_->setText(tr("关闭"));
    }
}

OnlineUpdateDialog::~OnlineUpdateDialog() {
    cancel_ = true;
    worker_.stop(-1);
}

bool OnlineUpdateDialog::start() {
    if (started_ || baseUrl_.empty())
        return false;
    started_ = true;
    startTime_ = std::chrono::steady_clock::now();
    UpdateOptions options;
    options.baseUrl = baseUrl_;
    options.limits = limits_;
    options.cancel = &cancel_;
    options.log = log_;
    timer_->start(100);
    return worker_.startThread([this, options](WorkerThread&) {
        UpdateReport report = runOnlineUpdate(store_, options, [this](const UpdateEvent& event) { post(event); });
        std::lock_guard lock(lock_);
        report_ = std::move(report);
        finished_ = true;
    });
}

bool OnlineUpdateDialog::running() const { return worker_.state() >= 0; }

void OnlineUpdateDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!started_)
        QTimer::singleShot(0, this, [this] { start(); });
}

void OnlineUpdateDialog::reject() {
    if (started_ && !shownResult_) {
        // Cancel first; the dialog closes once the worker has stopped and its result is shown.
        cancel_ = true;
        button_->setEnabled(false);
        step_->setText(tr("正在取消..."));
        return;
    }
    QDialog::reject();
}

void OnlineUpdateDialog::post(const UpdateEvent& event) {
    const QString text = wording(event);
    std::lock_guard lock(lock_);
    if (!text.isEmpty())
        pendingTexts_ << text;
    if (event.total > 0) {
        done_ = event.done;
        total_ = event.total;
    }
}

void OnlineUpdateDialog::poll() {
    QStringList texts;
    int done = 0, total = 0;
    bool finished = false;
    {
        std::lock_guard lock(lock_);
        texts.swap(pendingTexts_);
        done = done_;
        total = total_;
        finished = finished_;
    }
    for (const QString& text : texts)
        text_->appendPlainText(text);
    if (!texts.isEmpty() && !shownResult_ && button_->isEnabled())
        step_->setText(texts.back());
    if (total > 0)
        progress_->setValue(100 * done / total);
    if (!finished || shownResult_)
        return;
    worker_.stop(-1);
    timer_->stop();
    shownResult_ = true;
    progress_->setValue(100);
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - startTime_).count();
    QString result;
    if (!report_.error.empty())
        result = tr("不能更新: %1").arg(QString::fromStdString(userFailureReason(report_.error)));
    else if (report_.cancelled)
        result = tr("更新已取消, 已完成的部分会保留, 下次更新将继续.");
    else
        result = tr("更新完毕, 用时%1小时%2分%3秒").arg(seconds / 3600).arg(seconds / 60 % 60).arg(seconds % 60);
    if (!report_.failed.empty())
        result += "\n" + tr("%1 个文件没有更新, 下次更新将再试.").arg(report_.failed.size());
    step_->setText(result);
    text_->appendPlainText(result);
    button_->setText(tr("关闭"));
    button_->setEnabled(true);
    emit updateFinished(report_.dataChanged());
}

QString OnlineUpdateDialog::wording(const UpdateEvent& event) const {
    const QString path = QString::fromStdString(event.path);
    switch (event.step) {
        case UpdateStep::downloadPatchIndex:
            return tr("正在下载棋谱库的补丁更新索引信息.");
        case UpdateStep::patchIndexFailed:
            return tr("下载棋谱库的补丁索引信息失败!");
        case UpdateStep::downloadPatch:
            return tr("正在下载第%1号补丁文件").arg(event.number);
        case UpdateStep::applyPatch:
            return tr("正在更新第%1号补丁文件-->棋谱库").arg(event.number);
        case UpdateStep::downloadDatabase:
            return tr("正在下载整个棋谱库");
        case UpdateStep::downloadGames:
            return event.done == 0 ? tr("正在下载 %1 个棋谱文件").arg(event.total) : QString();
        case UpdateStep::analyseFiles:
            return tr("正在分析要更新的文件.");
        case UpdateStep::noUpdate:
            return tr("没有可用更新信息.");
        case UpdateStep::downloadFileIndex:
            return tr("正在下载索引文件");
        case UpdateStep::buildFileList:
            return tr("正在生成更新文件列表");
        case UpdateStep::downloadFile:
            return QStringLiteral("%1: %2").arg(tr("正在下载更新文件"), path);
        case UpdateStep::reopenDataFiles:
            return tr("正在重新打开数据文件");
        case UpdateStep::fileFailed:
            return tr("失败: %1 (%2)").arg(path, QString::fromStdString(userFailureReason(event.error)));
        case UpdateStep::finished:
            return {};
    }
    return {};
}

}  // namespace tessera
