// Every kind of library query, on both back ends.

#include <gtest/gtest.h>

#include <filesystem>

#include "library/backends/library_backend.h"
#include "library/game_mark_map.h"
#include "library/library_query.h"
#include "library/library_store.h"
#include "support/test_support.h"

namespace tessera {
namespace {

using test::ScratchFolder;

class LibraryQueryTest : public test::LibraryBackendTest {
protected:
    void SetUp() override {
        openOnBackend(store);
        if (HasFatalFailure() || IsSkipped())
            return;
        add(1, "2024-01-01", "古力", "O'Neil", 1, "名人战");
        add(2, "2025-01-01", "O'Neil", "古力", 1, "名人战");
        add(3, "2026-12-31", "古力", "常昊", 0, "It's a cup");
        add(4, "", "常昊", "古力", -1, "名人战");
        add(5, "2025-06-30", "常昊", "O'Neil", 2, "");
        add(6, "", "O'Neil", "常昊", 2, "");
        for (auto [id, name, nation, sex] :
             {std::tuple{1, "古力", "China", "Man"}, std::tuple{2, "O'Neil", "Ireland", "Man"},
              std::tuple{3, "常昊", "China", "Man"}, std::tuple{4, "芮乃伟", "China", "Woman"}}) {
            PlayerRecord p;
            p.id = id;
            p.name = name;
            p.nation = nation;
            p.sex = sex;
            ASSERT_TRUE(store.putPlayer(p));
        }
    }
    void add(int id, const std::string& date, const std::string& black, const std::string& white, int result,
             const std::string& event) {
        LibraryRecord r;
        r.id = id;
        r.appType = 1;
        r.date = date;
        r.black = black;
        r.white = white;
        r.resultType = static_cast<int16_t>(result);
        r.event = event;
        ASSERT_TRUE(store.putGame(r));
    }
    std::vector<int32_t> ids(const LibraryQuery& query) {
        std::vector<LibraryRecord> list;
        runLibraryQuery(store, query, list, 2026);
        std::vector<int32_t> out;
        for (const auto& r : list)
            out.push_back(r.id);
        return out;
    }
    LibraryQuery player(const std::string& name, int side, int result) {
        LibraryQuery q;
        q.kind = kQueryByPlayer;
        q.player = name;
        q.side = side;
        q.result = result;
        return q;
    }

    ScratchFolder folder;
    GameMarkMap marks;
    LibraryStore store{folder.path().string(), &marks};
};

TEST_P(LibraryQueryTest, ByDate) {
    LibraryQuery q;
    q.kind = kQueryByDate;
    EXPECT_EQ(ids(q), (std::vector<int32_t>{3, 5, 2}));  // 2025 and 2026, newest first
    q.dateKind = kDateRange;
    q.fromDate = 20240101;
    q.toDate = 20250101;  // both ends included
    EXPECT_EQ(ids(q), (std::vector<int32_t>{2, 1}));
    q.toDate = 0;  // no end
    EXPECT_EQ(ids(q), (std::vector<int32_t>{3, 5, 2, 1}));
    q.dateKind = kUndatedGames;
    EXPECT_EQ(ids(q), (std::vector<int32_t>{6, 4}));
}

TEST_P(LibraryQueryTest, ByPlayerWithQuotesSidesAndResults) {
    EXPECT_EQ(ids(player("O'Neil", kEitherSide, kAnyResult)), (std::vector<int32_t>{1, 2, 5, 6}));
    EXPECT_EQ(ids(player("O'Neil", kEitherSide, kPlayerWins)), (std::vector<int32_t>{2, 5}));
    EXPECT_EQ(ids(player("O'Neil", kEitherSide, kPlayerLoses)), (std::vector<int32_t>{1, 6}));
    EXPECT_EQ(ids(player("古力", kEitherSide, kPlayerDraws)), (std::vector<int32_t>{3}));
    EXPECT_EQ(ids(player("古力", kEitherSide, kResultNotKnown)), (std::vector<int32_t>{4}));
    EXPECT_EQ(ids(player("古力", kBlackSide, kAnyResult)), (std::vector<int32_t>{1, 3}));
    EXPECT_EQ(ids(player("古力", kWhiteSide, kPlayerLoses)), (std::vector<int32_t>{2}));
    EXPECT_EQ(ids(player("常昊", kWhiteSide, kPlayerWins)), (std::vector<int32_t>{6}));
    EXPECT_TRUE(ids(player("nobody", kEitherSide, kAnyResult)).empty());
}

TEST_P(LibraryQueryTest, ByEventIndexAndSql) {
    LibraryQuery q;
    q.kind = kQueryByEvent;
    q.event = "It's a cup";
    EXPECT_EQ(ids(q), std::vector<int32_t>{3});

    const auto block = folder / "block" / "名局";
    ASSERT_TRUE(test::writeBytes(block / "list.txt", "5\n[1,3]\n(99,101)\n4\n"));  // 100 is missing
    ASSERT_TRUE(test::writeBytes(block / "Top.SQL", "SELECT * FROM GoFile WHERE ResultType=2 ORDER BY ID DESC\n"));
    ASSERT_TRUE(test::writeBytes(block / "drop.sql", "DELETE FROM GoFile"));
    q = {};
    q.kind = kQueryByIndex;
    q.group = "名局";
    q.file = "list.txt";
    EXPECT_EQ(ids(q), (std::vector<int32_t>{5, 1, 2, 3, 4}));
    q.file = "Top.SQL";
    EXPECT_EQ(ids(q), (std::vector<int32_t>{6, 5}));
    q.file = "drop.sql";  // not a query: nothing runs
    EXPECT_TRUE(ids(q).empty());
    q.file = "absent.txt";
    EXPECT_TRUE(ids(q).empty());

    q = {};
    q.kind = kQueryBySql;
    q.sql = "SELECT * FROM GoFile WHERE Black='古力' ORDER BY ID";
    EXPECT_EQ(ids(q), (std::vector<int32_t>{1, 3}));
    q.sql = "SELECT * FROM NoSuchTable";
    EXPECT_TRUE(ids(q).empty());
    std::vector<int32_t> all;
    EXPECT_EQ(store.allIds(-1, all), 6);

    marks.set(3, kMarkHot);
    std::vector<LibraryRecord> list;
    q.sql = "SELECT * FROM GoFile WHERE ID=3";
    ASSERT_EQ(runLibraryQuery(store, q, list), 1);
    EXPECT_EQ(list[0].mark, kMarkHot);
}

TEST_P(LibraryQueryTest, PlayersEventsAndNations) {
    std::vector<PlayerRecord> players;
    ASSERT_TRUE(loadPlayers(store, playerListSql("China", ""), 0, players));
    EXPECT_EQ(players.size(), 3u);
    ASSERT_TRUE(loadPlayers(store, playerListSql("China", "Woman"), 0, players));
    ASSERT_EQ(players.size(), 1u);
    EXPECT_EQ(players[0].name, "芮乃伟");
    ASSERT_TRUE(loadPlayers(store, playerListSql("", ""), 'r', players));  // 芮 is R by the exception table
    ASSERT_EQ(players.size(), 1u);
    ASSERT_TRUE(loadPlayers(store, playerListSql("", ""), 'O', players));
    ASSERT_EQ(players.size(), 1u);
    EXPECT_EQ(players[0].name, "O'Neil");

    std::vector<std::string> list;
    ASSERT_TRUE(eventNames(store, list));
    EXPECT_EQ(list, (std::vector<std::string>{"", "It's a cup", "名人战"}));
    ASSERT_TRUE(nationNames(store, list));
    EXPECT_EQ(list, (std::vector<std::string>{"China", "Ireland"}));
}

TESSERA_ON_EVERY_BACKEND(LibraryQueryTest);

}  // namespace
}  // namespace tessera
