#pragma once
// "编辑棋谱描述信息": the game information of a record on five pages (record, event, rules,
// players, result and source). Edits a copy; the caller stores it on acceptance.

#include <QDialog>

#include "record/game_info.h"

class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QSpinBox;
class QTabWidget;

namespace tessera {

class GameInfoDialog : public QDialog {
    Q_OBJECT
public:
    explicit GameInfoDialog(const GameInfo& info, QWidget* parent = nullptr);
    // The edited information.
    GameInfo info() const;
    QTabWidget* pages() const { return pages_; }
    // Validates (board sizes not negative) and accepts; otherwise shows "错误的棋盘尺寸" and
    // keeps the dialog open.
    void accept() override;

private:
    GameInfo original_;
    QTabWidget* pages_;
    QLineEdit* libraryId_;
    QComboBox* langType_;
    QComboBox* appType_;
    QSpinBox* boardWidth_;
    QSpinBox* boardHeight_;
    QSpinBox* totalMoves_;
    QLineEdit* event_;
    QComboBox* eventLevel_;
    QLineEdit* gameName_;
    QLineEdit* date_;
    QLineEdit* place_;
    QComboBox* mediaType_;
    QLineEdit* timeLimit_;
    QLineEdit* rulesText_;
    QComboBox* ruleType_;
    QDoubleSpinBox* komi_;
    QSpinBox* handicap_;
    QLineEdit* blackName_;
    QLineEdit* blackRank_;
    QComboBox* blackKind_;
    QLineEdit* whiteName_;
    QLineEdit* whiteRank_;
    QComboBox* whiteKind_;
    QLineEdit* resultText_;
    QComboBox* resultType_;
    QLineEdit* writer_;
    QLineEdit* source_;
};

}  // namespace tessera
