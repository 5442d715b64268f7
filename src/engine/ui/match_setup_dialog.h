#pragma once
// "游戏设置": the game settings dialog of a game against the computer. Two player panels
// (black and white: person or GNU Go, name, engine, level, book), the rules with their komi,
// the handicap and the board size. OK refuses handicap stones on a board that has no place
// for them, with a message, and stays open.

#include <QDialog>

#include "engine/match_setup.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QWidget;

namespace tessera {

class MatchSetupDialog : public QDialog {
    Q_OBJECT
public:
    explicit MatchSetupDialog(QWidget* parent = nullptr);

    // The values as chosen (names as typed, engines as configured).
    MatchSetup setup() const;
    // Puts values into the dialog (a previous match's, or a test's).
    void setSetup(const MatchSetup& setup);
    // "交换黑白双方": swaps every value of the two player panels.
    void swapSides();

    void accept() override;

private:
    struct Panel {
        QGroupBox* box = nullptr;
        QComboBox* kind = nullptr;  // 0 person, 1 computer
        QLineEdit* name = nullptr;
        QWidget* engineArea = nullptr;  // shown for the computer only
        QLineEdit* engine = nullptr;
        QSpinBox* level = nullptr;
        QCheckBox* book = nullptr;
    };
    QGroupBox* makePanel(Panel& panel, const QString& title);
    void chooseEngine(Panel& panel);
    void updateKomiLabel();
    static void putSide(Panel& panel, int kind, const std::string& name, const EngineSettings& engine);
    static int kindOf(const Panel& panel);
    static EngineSettings engineOf(const Panel& panel);

    Panel black_;
    Panel white_;
    QComboBox* rule_ = nullptr;
    QLabel* komiLabel_ = nullptr;
    QDoubleSpinBox* komi_ = nullptr;
    QSpinBox* handicap_ = nullptr;
    QSpinBox* size_ = nullptr;
    QCheckBox* blind_ = nullptr;
};

}  // namespace tessera
