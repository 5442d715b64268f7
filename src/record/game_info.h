#pragma once
// The descriptive header of a game record, and the result and rule enumerations with the
// parsers that derive them from free text. Texts are UTF-8 inside the program.

#include <cstdint>
#include <string>

namespace tessera {

// -1 unknown, 0 draw, 1 black wins, 2 white wins.
enum ResultType : int16_t { kResultUnknown = -1, kResultDraw = 0, kResultBlackWins = 1, kResultWhiteWins = 2 };
// -1 or 0 unknown, 1 Chinese, 2 Japanese, 3 Korean, 4 Ing.
enum RuleType : int16_t { kRulesUnknown = 0, kRulesChinese = 1, kRulesJapanese = 2, kRulesKorean = 3, kRulesIng = 4 };

struct GameInfo {
    // Field numbers (0-26) follow this declaration order; the binary game file writes field k as chunk k.
    int32_t libraryId = -1;    // 0  id in the game library, -1 = not in the library
    int16_t langType = -1;     // 1  -1 unknown, 0 English, 1 Simplified Chinese, 2 Traditional Chinese
    int16_t appType = 0;       // 2  0 unknown, 1 game record, 2 tutorial, 3 problem set
    int16_t boardWidth = 19;   // 3  SZ
    int16_t boardHeight = 19;  // 4  SZ
    std::string event;         // 5  EV
    int32_t eventLevel = 0;    // 6  0 unknown, 1 domestic, 2 international
    std::string gameName;      // 7  GN
    std::string date;          // 8  DT
    std::string place;         // 9  PC
    int32_t mediaType = 0;     // 10 0 unknown .. 5
    std::string timeLimit;     // 11 free text
    std::string rulesText;     // 12 RU
    int16_t ruleType = 0;      // 13 RuleType
    double komi = 0.0;         // 14 KM
    int16_t handicap = 0;      // 15 HA
    std::string blackName;     // 16 PB
    std::string blackRank;     // 17 BR
    int16_t blackKind = 0;     // 18 0 unknown, 1 computer, 2 human
    std::string whiteName;     // 19 PW
    std::string whiteRank;     // 20 WR
    int16_t whiteKind = 0;     // 21
    std::string resultText;    // 22 RE, trimmed as read
    int16_t resultType = -1;   // 23 ResultType
    int32_t totalMoves = 0;    // 24 number of moves of the record
    std::string writer;        // 25 US
    std::string source;        // 26 SO

    static constexpr int kFieldCount = 27;

    // Every field back to its default.
    void reset() { *this = GameInfo(); }
    void copyFrom(const GameInfo& other) { *this = other; }
    bool operator==(const GameInfo&) const = default;

    // The title of the game: "无比赛信息" when both names and the result are empty, otherwise
    // "黑 <name>(<rank>) VS 白 <name>(<rank>)(结果: <result>)", where an empty rank or result
    // leaves out its brackets.
    std::string title() const;
};

// True for the header of a game played in a room with a computer player: under Chinese rules it
// holds the komi in stones as played (record readers mark both players human: KM is in points).
inline bool playedAgainstComputer(const GameInfo& info) { return info.blackKind == 1 || info.whiteKind == 1; }
// The first of "中国", "日本", "韩国", "应氏" found in text decides (1-4); none gives -1.
int parseRuleType(const std::string& text);
// The result type a free result text means (see the numbered rules in game_info.cpp).
int parseResultType(const std::string& text);
// The decimal value of a komi text; 0.0 for a text that is not a number. A value of 100 or
// more (either sign) that is a whole multiple of 25 is read as hundredths: "750" is 7.5.
double parseKomi(const std::string& text);
// Leading and trailing white space removed.
std::string trimText(const std::string& text);

// Display texts of the enumerations, translated; out-of-range values give the "unknown" entry.
std::string langTypeText(int langType);
std::string appTypeText(int appType);
std::string eventLevelText(int eventLevel);
std::string mediaTypeText(int mediaType);
std::string playerKindText(int kind);
std::string ruleTypeText(int ruleType);
std::string resultTypeText(int resultType);

}  // namespace tessera
