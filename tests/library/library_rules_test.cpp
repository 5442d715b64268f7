// The small rules of the library: marks file, browse commands, player initials, dates, SQL guard.

#include <gtest/gtest.h>

#include <cstring>

#include "library/game_mark_map.h"
#include "library/library_browse.h"
#include "library/library_query.h"
#include "library/library_record.h"
#include "support/test_support.h"

namespace tessera {
namespace {

using test::ScratchFolder;

TEST(GameMarkMap, KeepsSortedPairsAndWritesThemOnlyWhenChanged) {
    ScratchFolder folder;
    const std::string path = (folder / "custom/GoCustom.dat").string();
    GameMarkMap marks;
    EXPECT_FALSE(marks.load(path));  // missing: empty, and remembered for the save
    marks.set(5, kMarkUnread);       // removing a mark that is not there changes nothing
    EXPECT_FALSE(marks.changed());
    marks.set(30, kMarkRead);
    marks.set(-2, kMarkHot);
    marks.set(7, kMarkRead);
    marks.set(30, kMarkHot);  // replaces
    EXPECT_EQ(marks.mark(30), kMarkHot);
    EXPECT_EQ(marks.find(8), -1);
    EXPECT_TRUE(marks.changed());
    ASSERT_TRUE(marks.saveIfChanged());  // makes custom/
    EXPECT_FALSE(marks.changed());

    const std::string bytes = test::readBytes(path);
    ASSERT_EQ(bytes.size(), 32u + 3 * 8);
    EXPECT_EQ(std::memcmp(bytes.data(), "GFPCH\0", 6), 0);
    int32_t ids[3];
    for (int k = 0; k < 3; ++k)
        std::memcpy(&ids[k], bytes.data() + 32 + 8 * k, 4);
    EXPECT_EQ(ids[0], -2);
    EXPECT_EQ(ids[1], 7);
    EXPECT_EQ(ids[2], 30);

    GameMarkMap again;
    ASSERT_TRUE(again.load(path));
    EXPECT_EQ(again.pairs(), marks.pairs());
    again.set(7, kMarkUnread);
    EXPECT_EQ(again.mark(7), 0);
    EXPECT_EQ(again.size(), 2u);
}

TEST(GameMarkMap, RefusesDamagedFiles) {
    ScratchFolder folder;
    const auto path = folder / "m.dat";
    std::string header(32, '\0');
    std::memcpy(header.data(), "GFPCH", 5);
    GameMarkMap marks;
    ASSERT_TRUE(test::writeBytes(path, header));  // count 0: empty, fine
    EXPECT_TRUE(marks.load(path.string()));
    EXPECT_EQ(marks.size(), 0u);

    std::string counted = header;
    counted[28] = 2;  // two pairs announced, one present
    ASSERT_TRUE(test::writeBytes(path, counted + std::string("\x01\0\0\0\x01\0\0\0", 8)));
    EXPECT_FALSE(marks.load(path.string()));
    EXPECT_EQ(marks.size(), 0u);

    std::string versioned = header;
    const double one = 1.0;
    std::memcpy(versioned.data() + 20, &one, 8);
    ASSERT_TRUE(test::writeBytes(path, versioned));
    EXPECT_FALSE(marks.load(path.string()));
    ASSERT_TRUE(test::writeBytes(path, "GFPC"));
    EXPECT_FALSE(marks.load(path.string()));
}

TEST(LibraryBrowse, CommandsMoveWithinTheList) {
    using C = BrowseCommand;
    EXPECT_EQ(browseTarget(C::first, 0, -1, 0), -1);
    EXPECT_EQ(browseTarget(C::first, 5, 3, 0), 0);
    EXPECT_EQ(browseTarget(C::last, 5, 0, 0), 4);
    EXPECT_EQ(browseTarget(C::next, 5, 4, 0), -1);  // at the end: nothing
    EXPECT_EQ(browseTarget(C::next, 5, 2, 0), 3);
    EXPECT_EQ(browseTarget(C::next, 5, -1, 0), 0);
    EXPECT_EQ(browseTarget(C::previous, 5, 0, 0), -1);
    EXPECT_EQ(browseTarget(C::previous, 5, 3, 0), 2);
    EXPECT_EQ(browseTarget(C::random, 1, 0, 77), -1);  // one game: nothing
    EXPECT_EQ(browseTarget(C::random, 4, 0, 7), 3);
}

TEST(LibraryRules, PlayerInitials) {
    EXPECT_EQ(playerInitial("王立诚"), 'W');  // 0xCDF5
    EXPECT_EQ(playerInitial("lee Changho"), 'L');
    EXPECT_EQ(playerInitial("古力"), 'G');
    EXPECT_EQ(playerInitial("常昊"), 'C');
    EXPECT_EQ(playerInitial("重野由纪"), 'C');  // exception table
    EXPECT_EQ(playerInitial("婷婷"), 'T');
    EXPECT_EQ(playerInitial("1st"), 0);
    EXPECT_EQ(playerInitial("이세돌"), 0);  // not a GB2312 character
    EXPECT_EQ(playerInitial(""), 0);
}

TEST(LibraryRules, DatesAreNormalisedOnlyWhenComplete) {
    EXPECT_EQ(normaliseGameDate("2004-01-05,06"), "2004-01-05");
    EXPECT_EQ(normaliseGameDate("2004/1/5"), "2004-01-05");
    EXPECT_EQ(normaliseGameDate("2004年1月5日"), "2004-01-05");
    EXPECT_EQ(normaliseGameDate("1939"), "");
    EXPECT_EQ(normaliseGameDate("2004-13-01"), "");
    EXPECT_EQ(normaliseGameDate("Game 12, 1998-11-02"), "1998-11-02");
    EXPECT_EQ(normaliseGameDate(""), "");
}

TEST(LibraryRules, QueriesAreCappedAndFreeSqlMustBeOneSelect) {
    LibraryQuery latest;  // which games the queries find is checked against a real library
    latest.kind = kQueryByDate;
    EXPECT_NE(librarySql(latest, 2026).sql.find("Top 300"), std::string::npos);

    EXPECT_TRUE(isSingleSelect("  select * from GoFile where Black='a;b';  "));
    EXPECT_TRUE(isSingleSelect("WITH x AS (SELECT 1) SELECT * FROM GoFile"));
    EXPECT_FALSE(isSingleSelect("DELETE FROM GoFile"));
    EXPECT_FALSE(isSingleSelect("SELECT 1; DROP TABLE GoFile"));

    EXPECT_EQ(blockIndexPath("/p/", "名局", "top.sql"), "/p/block/名局/top.sql");
    EXPECT_EQ(blockIndexPath("/p/", "..", "x"), "");
    EXPECT_EQ(blockIndexPath("/p/", "a", "../../go.db"), "");
}

}  // namespace
}  // namespace tessera
