#include "platform/ini_file.h"

#include <gtest/gtest.h>
#include <random>

#include "support/test_support.h"

namespace tessera {
namespace {

TEST(IniRead, MatchesSectionsAndKeysWithoutRegardToCaseOrBlanks) {
    const auto ini = IniDocument::parse(
        "; comment\n"
        "orphan=before any section\n"
        "  [ Setting ]  \r\n"
        "  stonedelay = 250 \r\n"
        "Quoted=\" spaced \"\n"
        "Empty=\n"
        "NoEquals line\n"
        "=no key\n");
    EXPECT_EQ(ini.readInt("SETTING", "StoneDelay", 500), 250);
    EXPECT_EQ(ini.readString("setting", "QUOTED", "x"), " spaced ");
    EXPECT_EQ(ini.value("SETTING", "Empty"), std::optional<std::string>(""));
    EXPECT_EQ(ini.readString("SETTING", "Missing", "fallback"), "fallback");
    EXPECT_EQ(ini.readString("OTHER", "StoneDelay", "fallback"), "fallback");
    EXPECT_FALSE(ini.value("", "orphan"));
    EXPECT_FALSE(ini.value("SETTING", "NoEquals line"));
}

TEST(IniRead, TheFirstOfDuplicateSectionsAndKeysWins) {
    auto ini = IniDocument::parse("[A]\nk=1\nk=2\n[B]\nk=3\n[a]\nk=4\nonlyInSecond=5\n");
    EXPECT_EQ(ini.readInt("A", "k", 0), 1);
    EXPECT_EQ(ini.readInt("A", "onlyInSecond", -1), -1);
    ini.setValue("A", "K", "9");
    EXPECT_EQ(ini.serialize(), "[A]\nk=9\nk=2\n[B]\nk=3\n[a]\nk=4\nonlyInSecond=5\n");
}

TEST(IniRead, IntegersFollowTheProfileReader) {
    EXPECT_EQ(parseProfileInt("42"), 42);
    EXPECT_EQ(parseProfileInt("  -17 "), -17);
    EXPECT_EQ(parseProfileInt("+7"), 7);
    EXPECT_EQ(parseProfileInt("12abc"), 12);
    EXPECT_EQ(parseProfileInt("abc"), 0);
    EXPECT_EQ(parseProfileInt("99999999999999999999999"), 2147483647);
    EXPECT_EQ(parseProfileInt("-99999999999999999999999"), -2147483647 - 1);
    // An empty value counts as missing; a present garbage value reads as 0.
    const auto ini = IniDocument::parse("[S]\nEmpty=\nJunk=x\n");
    EXPECT_EQ(ini.readInt("S", "Empty", 5), 5);
    EXPECT_EQ(ini.readInt("S", "Junk", 5), 0);
}

TEST(IniRead, RealsConvertLikeAtofInTheCLocale) {
    EXPECT_DOUBLE_EQ(parseProfileDouble("0.98"), 0.98);
    EXPECT_DOUBLE_EQ(parseProfileDouble(" +6.5x"), 6.5);
    EXPECT_DOUBLE_EQ(parseProfileDouble("-.5"), -0.5);
    EXPECT_DOUBLE_EQ(parseProfileDouble("7,5"), 7.0);
    for (const char* noNumber : {"", "abc", "+-1", "nan", "inf", "1e999", "-1e999"})
        EXPECT_EQ(parseProfileDouble(noNumber), 0.0) << noNumber;
}

TEST(IniFormat, FixedDecimalsRoundLikePrintf) {
    EXPECT_EQ(formatFixed(7.75, 2), "7.75");
    EXPECT_EQ(formatFixed(7.75, 1), "7.8");
    EXPECT_EQ(formatFixed(6.25, 1), "6.2");  // exact tie: round half to even, as printf does
    EXPECT_EQ(formatFixed(0.98, 2), "0.98");
    EXPECT_EQ(formatFixed(-0.5, 1), "-0.5");
    EXPECT_EQ(formatFixed(std::nan(""), 2), "0.00");
}

TEST(IniWrite, ChangingOneKeyKeepsEveryOtherLine) {
    const std::string original =
        "\xEF\xBB\xBF; user's notes\r\n"
        "[SETTING]\r\n"
        "StoneSound = 1\r\n"
        "ForeignKey=kept\r\n"
        "\r\n"
        "[OtherProgram]\r\n"
        "Path=C:\\x\r\n"
        "garbage line without equals";
    auto ini = IniDocument::parse(original);
    EXPECT_EQ(ini.serialize(), original);

    ini.setValue("setting", "stonesound", "0");
    ini.setValue("SETTING", "StoneDelay", "300");
    ini.setValue("BOARD", "BoardStyle", "2");
    EXPECT_EQ(ini.serialize(),
              "\xEF\xBB\xBF; user's notes\r\n"
              "[SETTING]\r\n"
              "StoneSound = 0\r\n"
              "ForeignKey=kept\r\n"
              "StoneDelay=300\r\n"
              "\r\n"
              "[OtherProgram]\r\n"
              "Path=C:\\x\r\n"
              "garbage line without equals\r\n"
              "\r\n"
              "[BOARD]\r\n"
              "BoardStyle=2\r\n");
}

TEST(IniWrite, ValuesCannotAddLines) {
    auto ini = IniDocument::parse("[S]\nA=1\n");
    ini.setValue("S", "A", "x\n[EVIL]\r\nB=2");
    const auto reread = IniDocument::parse(ini.serialize());
    EXPECT_EQ(reread.readString("S", "A", ""), "x [EVIL]  B=2");
    EXPECT_FALSE(reread.value("EVIL", "B"));
}

TEST(IniWrite, FileRoundTripKeepsForeignContent) {
    test::ScratchFolder scratch;
    const std::string path = (scratch / "a.ini").string();
    ASSERT_TRUE(test::writeBytes(path, "# mine\n[X]\nkeep=yes\n"));
    EXPECT_TRUE(writeIniInt(path, "x", "Count", -3));
    EXPECT_TRUE(writeIniValues(path, {{"X", "Name", "中文"}, {"Y", "Z", "1"}}));
    EXPECT_EQ(test::readBytes(path), "# mine\n[X]\nkeep=yes\nCount=-3\nName=中文\n\n[Y]\nZ=1\n");
    EXPECT_EQ(readIniInt(path, "X", "count", 0), -3);

    // A missing file is created; a missing folder is a failure, not a crash.
    EXPECT_TRUE(writeIniString((scratch / "new.ini").string(), "S", "K", "v"));
    EXPECT_EQ(test::readBytes(scratch / "new.ini"), "[S]\nK=v\n");
    EXPECT_FALSE(writeIniString((scratch / "no/such/folder.ini").string(), "S", "K", "v"));
}

TEST(IniJunk, BinaryBytesAndOverlongLinesAreSurvived) {
    std::mt19937 random(4);
    for (int round = 0; round < 300; ++round) {
        std::string bytes(random() % 400, '\0');
        for (char& c : bytes) {
            const char alphabet[] = "[]=;#\r\n \tAaKk\0\xFF\xEF\xBB\xBF";
            c = (random() % 3 == 0) ? static_cast<char>(random()) : alphabet[random() % (sizeof alphabet - 1)];
        }
        auto ini = IniDocument::parse(bytes);
        EXPECT_EQ(ini.serialize(), bytes);
        (void)ini.readInt("A", "k", 0);
        ini.setValue("A", "K", "v");
        EXPECT_EQ(IniDocument::parse(ini.serialize()).readString("a", "k", ""), "v");
    }

    std::string longLine = "[S]\nK=" + std::string(300000, '7') + "\n";
    const auto ini = IniDocument::parse(longLine);
    EXPECT_EQ(ini.readInt("S", "K", 0), 2147483647);
    EXPECT_EQ(ini.readString("S", "K", "").size(), 300000u);
}

TEST(IniJunk, AnOversizedFileReadsAsEmptyAndIsNeverOverwritten) {
    test::ScratchFolder scratch;
    const std::string path = (scratch / "huge.ini").string();
    const std::string huge = "[S]\nK=1\n" + std::string(kMaxIniFileBytes, ';');
    ASSERT_TRUE(test::writeBytes(path, huge));
    EXPECT_EQ(readIniInt(path, "S", "K", 5), 5);
    EXPECT_FALSE(writeIniInt(path, "S", "K", 2));
    EXPECT_EQ(test::readBytes(path), huge);
}

}  // namespace
}  // namespace tessera
