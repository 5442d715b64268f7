#pragma once
// The values of a game against the computer: who plays each side, the rules, komi, handicap
// and board size, and how each computer side's engine is started.

#include <string>

namespace tessera {

// Kinds of player (the blackKind / whiteKind values of the game information).
constexpr int kPlayerComputer = 1;
constexpr int kPlayerHuman = 2;

// Rule sets a match offers (RuleType values).
constexpr int kMatchChineseRules = 1;   // komi in stones
constexpr int kMatchJapaneseRules = 2;  // komi in points

struct EngineSettings {
    std::string command = "gnugo";   // a program path (started with "--mode gtp --quiet") or a whole command line
    int level = 1;                   // the engine's strength, 1 (weakest) to 10
    bool useBook = true;             // consult the whole-board statistics first (when they exist)
    int moveTimeLimitMs = 60000;     // longest wait for one move
    int commandTimeLimitMs = 10000;  // longest wait for any other answer
};

struct MatchSetup {
    int blackKind = kPlayerComputer;
    std::string blackName;
    int whiteKind = kPlayerHuman;
    std::string whiteName;
    int rule = kMatchChineseRules;
    double komi = 3.75;  // stones under Chinese rules, points under Japanese rules
    int handicap = 0;    // 0, or 2 to 9
    int boardSize = 19;  // lines per side, 5 to 19
    int blind = 0;       // always 0
    EngineSettings blackEngine;
    EngineSettings whiteEngine;

    // Komi in points, as an engine is told it.
    double komiPoints() const { return rule == kMatchChineseRules ? komi * 2 : komi; }
};

// True when handicap stones may be placed on a square board of that size (odd, 9 to 19).
inline bool handicapAllowed(int boardSize) { return boardSize % 2 == 1 && boardSize >= 9 && boardSize <= 19; }

}  // namespace tessera
