// Every record of the shared corpus: it opens or is refused with a reason, professional games
// always open, and texts in each code page read right. (Writing them back is the SGG round
// trip's job.)

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>

#include "record/record_file.h"
#include "record/sgf_file.h"
#include "support/test_support.h"

namespace tessera {
namespace {

namespace fs = std::filesystem;

fs::path corpus() { return test::sharedDir() / "corpus"; }

bool isProfessional(const fs::path& file) {
    const std::string relative = fs::relative(file, corpus()).string();
    for (const char* folder : {"pro/", "pro-gbk/", "pro-big5/", "pro-fox/"})
        if (relative.rfind(folder, 0) == 0)
            return true;
    return false;
}

TEST(RecordFilesCorpus, EveryFileOpensOrIsRefusedWithAReason) {
    TESSERA_REQUIRE_SHARED();
    const auto files = test::corpusFiles({""}, {".sgf", ".gib"});
    ASSERT_GT(files.size(), 4000u);
    int opened = 0;
    std::vector<std::string> refused;
    for (const auto& file : files) {
        GameRecord record;
        std::string error;
        if (loadRecordFile(file, record, error)) {
            ++opened;
            EXPECT_FALSE(record.tree.empty()) << file;
            continue;
        }
        EXPECT_FALSE(error.empty()) << file << " was refused without a reason";
        EXPECT_FALSE(isProfessional(file)) << file << ": a professional game must open: " << error;
        refused.push_back(fs::relative(file, corpus()).string() + ": " + error);
    }
    std::cout << opened << " of " << files.size() << " corpus files open; refused:\n";
    for (const auto& line : refused)
        std::cout << "  " << line << "\n";
}

struct NamedRecord {
    const char* file;
    const char* black;
    const char* white;
    const char* commentPart;  // found in some comment, or empty
};

TEST(RecordFilesCorpus, TextsInEveryCodePageReadRight) {
    TESSERA_REQUIRE_SHARED();
    const NamedRecord records[] = {
        {"pro-gbk/sabaki-chinese-CA-GB2312.sgf", "古力", "柯洁", ""},
        {"pro-gbk/sgf2gif-real-CA-GBK.sgf", "吴清源", "本因坊秀哉", "吴清源当时是二十岁的年轻人"},
        {"pro-gbk/Mingren-001-1F-1-zh-hans-GB18030.sgf", "俞斌", "刘小光", ""},
        {"pro-gbk/libsgfc-encoding-chinese-gbk.sgf", "", "", "围棋是一种古老的游戏"},
        {"pro-gbk/sabaki-no-ca-GBK-problem.sgf", "", "", "这是从压长星定式演变而来的形"},
        {"pro-big5/Mingren-001-1F-1-zh-hant-Big5.sgf", "俞斌", "劉小光", ""},
        {"pro-big5/libsgfc-encoding-traditionalchinese-big5.sgf", "", "", "圍棋是一種古老的遊戲"},
        {"sgf-edge/sabaki-sgf/japanese.sgf", "井山 裕太", "山下 敬吾", ""},
        {"sgf-edge/maxigos/game-Mingren-001-1F-1-ja-Shift_JIS.sgf", "兪斌", "劉小光", ""},
        {"sgf-edge/libsgfcplusplus/encoding-japanese-shiftjis.sgf", "", "", "Goは古代のゲームであり"},
        {"sgf-edge/sabaki-sgf/korean.sgf", "이세돌", "박정환", ""},
        {"sgf-edge/libsgfcplusplus/encoding-korean-macos.sgf", "", "", "바둑은 중국에서"},
        {"sgf-edge/analyze-sgf/t-encoding-cp949.sgf", "커제", "탕웨이싱", ""},
        {"pro/LG/25/K111.sgf", "", "박신영", ""},
        {"pro-fox/Pro/9p/1507382345010001118.sgf", "강승민", "조한승", ""},
        {"sgf-edge/sabaki-sgf/utf16le.sgf", "Kitani Minoru", "Go Seigen", ""},
    };
    for (const auto& expected : records) {
        GameRecord record;
        std::string error;
        ASSERT_TRUE(loadRecordFile(corpus() / expected.file, record, error)) << expected.file << ": " << error;
        if (*expected.black) {
            EXPECT_EQ(record.info.blackName, expected.black) << expected.file;
        }
        if (*expected.white) {
            EXPECT_EQ(record.info.whiteName, expected.white) << expected.file;
        }
        if (*expected.commentPart) {
            const auto& nodes = record.tree.nodes();
            const bool found = std::any_of(nodes.begin(), nodes.end(), [&](const auto& node) {
                return node->comment().find(expected.commentPart) != std::string::npos;
            });
            EXPECT_TRUE(found) << expected.file << " lacks the comment " << expected.commentPart;
        }
    }
}

TEST(RecordFilesCorpus, GibRecordsImportWithTheirTextsAndHandicaps) {
    TESSERA_REQUIRE_SHARED();
    struct Expected {
        const char* file;
        const char* result;
        int resultType;
        int handicap;
        int moves;
    };
    const Expected records[] = {
        {"gib/9beach-t-gb2312.gib", "白11目胜", kResultWhiteWins, 5, 268},
        {"gib/9beach-t-euc-kr.gib", "흑 시간승", kResultBlackWins, 0, 49},
        {"gib/rooklift-3handicap.gib", "black 4 points win", kResultBlackWins, 3, 252},
    };
    for (const auto& expected : records) {
        GameRecord record;
        std::string error;
        ASSERT_TRUE(loadRecordFile(corpus() / expected.file, record, error)) << expected.file << ": " << error;
        EXPECT_EQ(record.info.resultText, expected.result) << expected.file;
        EXPECT_EQ(record.info.resultType, expected.resultType) << expected.file;
        EXPECT_EQ(record.info.handicap, expected.handicap) << expected.file;
        EXPECT_EQ(record.info.totalMoves, expected.moves) << expected.file;
    }
    GameRecord korean;
    std::string error;
    ASSERT_TRUE(loadRecordFile(corpus() / "gib/9beach-t-euc-kr.gib", korean, error));
    EXPECT_EQ(korean.info.whiteName, "dongjik (1급)");
}

}  // namespace
}  // namespace tessera
