#include "record/ui/game_info_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <functional>

namespace tessera {

namespace {

QString text(const std::string& value) { return QString::fromStdString(value); }
std::string text(const QLineEdit* edit) { return edit->text().trimmed().toStdString(); }

QLineEdit* lineEdit(const std::string& value) { return new QLineEdit(text(value)); }

// A drop-down of the display texts of an enumeration; entry i holds value first + i.
QComboBox* enumBox(int first, int count, int value, const std::function<std::string(int)>& textOf) {
    auto* box = new QComboBox;
    for (int i = 0; i < count; ++i)
        box->addItem(text(textOf(first + i)), first + i);
    const int index = box->findData(value);
    box->setCurrentIndex(index >= 0 ? index : 0);
    return box;
}

int enumValue(const QComboBox* box) { return box->currentData().toInt(); }

QSpinBox* spinBox(int low, int high, int value) {
    auto* box = new QSpinBox;
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

QWidget* page(QFormLayout*& form) {
    auto* widget = new QWidget;
    form = new QFormLayout(widget);
    return widget;
}

}  // namespace

GameInfoDialog::GameInfoDialog(const GameInfo& info, QWidget* parent) : QDialog(parent), original_(info) {
    setWindowTitle(tr("编辑棋谱描述信息"));
    pages_ = new QTabWidget;
    QFormLayout* form = nullptr;

    QWidget* recordPage = page(form);
    libraryId_ = new QLineEdit(info.libraryId >= 0 ? QString::number(info.libraryId) : tr("不在棋谱库中"));
    libraryId_->setReadOnly(true);
    langType_ = enumBox(-1, 4, info.langType, langTypeText);
    appType_ = enumBox(0, 4, info.appType, appTypeText);
    // Negative sizes can be typed so that the check below can refuse them with its message.
    boardWidth_ = spinBox(-99, 99, info.boardWidth);
    boardHeight_ = spinBox(-99, 99, info.boardHeight);
    totalMoves_ = spinBox(0, 100000, info.totalMoves);
    form->addRow(tr("棋谱库编号:"), libraryId_);
    form->addRow(tr("语言类型:"), langType_);
    form->addRow(tr("应用类型:"), appType_);
    form->addRow(tr("棋盘宽度:"), boardWidth_);
    form->addRow(tr("棋盘高度:"), boardHeight_);
    form->addRow(tr("总手数:"), totalMoves_);
    pages_->addTab(recordPage, tr("棋谱"));

    QWidget* eventPage = page(form);
    event_ = lineEdit(info.event);
    eventLevel_ = enumBox(0, 3, info.eventLevel, eventLevelText);
    gameName_ = lineEdit(info.gameName);
    date_ = lineEdit(info.date);
    place_ = lineEdit(info.place);
    mediaType_ = enumBox(0, 6, info.mediaType, mediaTypeText);
    timeLimit_ = lineEdit(info.timeLimit);
    form->addRow(tr("比赛名称:"), event_);
    form->addRow(tr("比赛等级:"), eventLevel_);
    form->addRow(tr("对局名称:"), gameName_);
    form->addRow(tr("日期:"), date_);
    form->addRow(tr("地点:"), place_);
    form->addRow(tr("媒介类型:"), mediaType_);
    form->addRow(tr("用时:"), timeLimit_);
    pages_->addTab(eventPage, tr("比赛"));

    QWidget* rulesPage = page(form);
    rulesText_ = lineEdit(info.rulesText);
    ruleType_ = enumBox(0, 5, info.ruleType, ruleTypeText);
    komi_ = new QDoubleSpinBox;
    komi_->setRange(-1000, 1000);
    komi_->setDecimals(2);
    komi_->setSingleStep(0.5);
    komi_->setValue(info.komi);
    handicap_ = spinBox(0, 361, info.handicap);
    form->addRow(tr("规则说明:"), rulesText_);
    form->addRow(tr("规则类型:"), ruleType_);
    form->addRow(tr("贴目:"), komi_);
    form->addRow(tr("让子数:"), handicap_);
    pages_->addTab(rulesPage, tr("规则"));

    QWidget* playersPage = page(form);
    blackName_ = lineEdit(info.blackName);
    blackRank_ = lineEdit(info.blackRank);
    blackKind_ = enumBox(0, 3, info.blackKind, playerKindText);
    whiteName_ = lineEdit(info.whiteName);
    whiteRank_ = lineEdit(info.whiteRank);
    whiteKind_ = enumBox(0, 3, info.whiteKind, playerKindText);
    form->addRow(tr("黑方:"), blackName_);
    form->addRow(tr("黑方段位:"), blackRank_);
    form->addRow(tr("黑方类型:"), blackKind_);
    form->addRow(tr("白方:"), whiteName_);
    form->addRow(tr("白方段位:"), whiteRank_);
    form->addRow(tr("白方类型:"), whiteKind_);
    pages_->addTab(playersPage, tr("对局者"));

    QWidget* resultPage = page(form);
    resultText_ = lineEdit(info.resultText);
    resultType_ = enumBox(-1, 4, info.resultType, resultTypeText);
    writer_ = lineEdit(info.writer);
    source_ = lineEdit(info.source);
    // A typed result sets the result type the way a record reader would.
    connect(resultText_, &QLineEdit::textEdited, this, [this](const QString& value) {
        const int index = resultType_->findData(parseResultType(value.toStdString()));
        if (index >= 0)
            resultType_->setCurrentIndex(index);
    });
    form->addRow(tr("结果:"), resultText_);
    form->addRow(tr("结果类型:"), resultType_);
    form->addRow(tr("记录者:"), writer_);
    form->addRow(tr("来源:"), source_);
    pages_->addTab(resultPage, tr("结果"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &GameInfoDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

GameInfo GameInfoDialog::info() const {
    GameInfo info = original_;
    info.langType = static_cast<int16_t>(enumValue(langType_));
    info.appType = static_cast<int16_t>(enumValue(appType_));
    info.boardWidth = static_cast<int16_t>(boardWidth_->value());
    info.boardHeight = static_cast<int16_t>(boardHeight_->value());
    info.totalMoves = totalMoves_->value();
    info.event = text(event_);
    info.eventLevel = enumValue(eventLevel_);
    info.gameName = text(gameName_);
    info.date = text(date_);
    info.place = text(place_);
    info.mediaType = enumValue(mediaType_);
    info.timeLimit = text(timeLimit_);
    info.rulesText = text(rulesText_);
    info.ruleType = static_cast<int16_t>(enumValue(ruleType_));
    info.komi = komi_->value();
    info.handicap = static_cast<int16_t>(handicap_->value());
    info.blackName = text(blackName_);
    info.blackRank = text(blackRank_);
    info.blackKind = static_cast<int16_t>(enumValue(blackKind_));
    info.whiteName = text(whiteName_);
    info.whiteRank = text(whiteRank_);
    info.whiteKind = static_cast<int16_t>(enumValue(whiteKind_));
    info.resultText = text(resultText_);
    info.resultType = static_cast<int16_t>(enumValue(resultType_));
    info.writer = text(writer_);
    info.source = text(source_);
    return info;
}

void GameInfoDialog::accept() {
    if (boardWidth_->value() < 0 || boardHeight_->value() < 0) {
        QMessageBox::warning(this, QApplication::applicationDisplayName(), tr("错误的棋盘尺寸"));
        pages_->setCurrentIndex(0);
        return;
    }
    QDialog::accept();
}

}  // namespace tessera
