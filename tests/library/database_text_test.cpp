// Text helpers of the database layer and the adaptation of Access-dialect statements.

#include <gtest/gtest.h>

#include <cstring>

#include "library/database_text.h"
#include "library/sql_dialect.h"

namespace tessera {
namespace {

TEST(DatabaseText, QuoteSqlDoublesQuotesAtAnyLength) {
    std::string text = "O'Neil's";
    quoteSql(text);
    EXPECT_EQ(text, "O''Neil''s");
    std::string plain = "古力";
    quoteSql(plain);
    EXPECT_EQ(plain, "古力");
    std::string huge(10000, 'a');
    huge += "'";
    quoteSql(huge);  // longer than the old 9216-byte buffer, still quoted
    EXPECT_EQ(huge.substr(10000), "''");
}

TEST(DatabaseText, HasHighBytes) {
    EXPECT_FALSE(hasHighBytes(""));
    EXPECT_FALSE(hasHighBytes("Lee Sedol 9p"));
    EXPECT_TRUE(hasHighBytes("이세돌"));
    EXPECT_TRUE(hasHighBytes(std::string("a\x80", 2)));
}

TEST(DatabaseText, CopyBounded) {
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(copyBounded(buffer, sizeof buffer, "0123456789"), 0u);
    EXPECT_STREQ(buffer, "0123456");
    EXPECT_EQ(copyBounded(buffer, sizeof buffer, "0123456"), 8u);  // exactly fits
    EXPECT_STREQ(buffer, "0123456");
    EXPECT_EQ(copyBounded(buffer, sizeof buffer, ""), 1u);
    EXPECT_STREQ(buffer, "");
    buffer[0] = 'q';
    EXPECT_EQ(copyBounded(buffer, 0, "abc"), 0u);
    EXPECT_EQ(buffer[0], 'q');
}

TEST(DatabaseText, LeadingInteger) {
    EXPECT_EQ(leadingInteger("0"), 0);
    EXPECT_EQ(leadingInteger("12abc"), 12);
    EXPECT_EQ(leadingInteger("  -7"), -7);
    EXPECT_EQ(leadingInteger("+3"), 3);
    EXPECT_EQ(leadingInteger("abc"), 0);
    EXPECT_EQ(leadingInteger(""), 0);
    EXPECT_EQ(leadingInteger("-"), 0);
    EXPECT_EQ(leadingInteger("99999999999999999999"), 2147483647);
    EXPECT_EQ(leadingInteger("-99999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(leadingInteger("2024-05-01"), 2024);
}

TEST(SqlDialect, TopBecomesLimitAtTheEndOfItsLevel) {
    EXPECT_EQ(adaptAccessSql("SELECT Top 300 * FROM GoFile WHERE GameDate>='2023-01-01' ORDER BY GameDate DESC"),
              "SELECT * FROM GoFile WHERE GameDate>='2023-01-01' ORDER BY GameDate DESC LIMIT 300");
    EXPECT_EQ(adaptAccessSql("select distinct top 5 Event from GoFile;  "),
              "select distinct Event from GoFile LIMIT 5;  ");
    EXPECT_EQ(adaptAccessSql("SELECT * FROM T WHERE ID IN (SELECT TOP 3 ID FROM T ORDER BY ID) ORDER BY ID"),
              "SELECT * FROM T WHERE ID IN (SELECT ID FROM T ORDER BY ID LIMIT 3) ORDER BY ID");
    // Not the TOP of a SELECT: a column, a literal, a percentage.
    EXPECT_EQ(adaptAccessSql("SELECT Top FROM T"), "SELECT Top FROM T");
    EXPECT_EQ(adaptAccessSql("SELECT 'SELECT Top 3' FROM T"), "SELECT 'SELECT Top 3' FROM T");
    EXPECT_EQ(adaptAccessSql("SELECT TOP 10 PERCENT * FROM T"), "SELECT TOP 10 PERCENT * FROM T");
}

TEST(SqlDialect, DeleteStarLikeWildcardsAndDates) {
    EXPECT_EQ(adaptAccessSql("DELETE * FROM GoFile WHERE ID=3"), "DELETE FROM GoFile WHERE ID=3");
    EXPECT_EQ(adaptAccessSql("delete *from Player"), "delete from Player");
    EXPECT_EQ(adaptAccessSql("SELECT * FROM T WHERE Black LIKE '*Lee?'"), "SELECT * FROM T WHERE Black LIKE '%Lee_'");
    // Already standard patterns and other literals stay as they are.
    EXPECT_EQ(adaptAccessSql("SELECT * FROM T WHERE B LIKE '%a*'"), "SELECT * FROM T WHERE B LIKE '%a*'");
    EXPECT_EQ(adaptAccessSql("SELECT '*' FROM T WHERE B = '?'"), "SELECT '*' FROM T WHERE B = '?'");
    EXPECT_EQ(adaptAccessSql("SELECT * FROM T WHERE D >= #2020-01-31#"), "SELECT * FROM T WHERE D >= '2020-01-31'");
    EXPECT_EQ(adaptAccessSql("SELECT * FROM T WHERE N = 'it''s #1#' -- DELETE * FROM x"),
              "SELECT * FROM T WHERE N = 'it''s #1#' -- DELETE * FROM x");
    EXPECT_EQ(adaptAccessSql("INSERT INTO T VALUES (?, '古力')"), "INSERT INTO T VALUES (?, '古力')");
}

TEST(SqlDialect, PostgresComparesWithoutCaseAndTakesAccessStringsBracketsAndBooleans) {
    auto pg = [](const std::string& sql) { return adaptAccessSql(sql, SqlDialect::postgresql); };
    EXPECT_EQ(pg("SELECT Top 2 * FROM GoFile WHERE Black LIKE \"*lee*\" AND [Event]='x' AND [Game Date]<>#2020-01-31#"),
              "SELECT * FROM GoFile WHERE Black ILIKE '%lee%' AND Event='x' AND \"game date\"<>'2020-01-31' LIMIT 2");
    EXPECT_EQ(pg("SELECT * FROM T WHERE A = \"it's \"\"x\"\"\" AND B = True OR C = false"),
              "SELECT * FROM T WHERE A = 'it''s \"x\"' AND B = -1 OR C = 0");
    EXPECT_EQ(pg("CREATE TABLE T (ID COUNTER, Bytes BLOB, Counter INTEGER)"),
              "CREATE TABLE T (ID SERIAL, Bytes BYTEA, Counter INTEGER)");
    EXPECT_EQ(pg("SELECT Counter, 'LIKE true' FROM T"), "SELECT Counter, 'LIKE true' FROM T");
    // SQLite keeps its own reading of double quotes and brackets.
    EXPECT_EQ(adaptAccessSql("SELECT \"Name\", [Event] FROM T"), "SELECT \"Name\", [Event] FROM T");
}

TEST(SqlDialect, SurvivesBrokenText) {
    for (const char* text : {"SELECT TOP", "SELECT TOP 3", "'unterminated", "((((", "))) SELECT TOP 2 x", "#", "[a",
                             "/* open", "DELETE *", "SELECT TOP 99999999999999999999999 x", "\"", "[", "[]", "\"a"})
        for (SqlDialect dialect : {SqlDialect::sqlite, SqlDialect::postgresql})
            EXPECT_FALSE(adaptAccessSql(text, dialect).empty());
}

}  // namespace
}  // namespace tessera
