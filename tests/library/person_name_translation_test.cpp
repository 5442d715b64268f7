// Players' names in Traditional Chinese: surnames stay surnames.

#include <gtest/gtest.h>

#include "library/record_translation.h"
#include "platform/chinese_script.h"
#include "platform/person_name_script.h"

namespace tessera {
namespace {

TEST(PersonNameScript, SurnamesKeepTheirFormGivenNamesAreConvertedOtherTextStays) {
    ASSERT_TRUE(chineseConversionAvailable());
    EXPECT_EQ(personNameToTraditional("余炳葟"), "余炳葟");
    EXPECT_EQ(personNameToTraditional("游家宁"), "游家寧");
    EXPECT_EQ(personNameToTraditional("于之莹"), "于之瑩");
    EXPECT_EQ(personNameToTraditional("范廷钰"), "范廷鈺");
    EXPECT_EQ(personNameToTraditional("郁仁"), "郁仁");
    EXPECT_EQ(personNameToTraditional("钟文靖"), "鍾文靖");
    EXPECT_EQ(personNameToTraditional("淳于琼"), "淳于瓊");
    // A surname outside the table converts as before.
    EXPECT_EQ(personNameToTraditional("聂卫平"), "聶衛平");
    // Two players in one field; a rank after a space.
    EXPECT_EQ(personNameToTraditional("余炳葟、游家宁"), "余炳葟、游家寧");
    EXPECT_EQ(personNameToTraditional("于之莹 (5段)"), "于之瑩 (5段)");
    // Other text is left alone.
    EXPECT_EQ(personNameToTraditional(""), "");
    EXPECT_EQ(personNameToTraditional("Lee Sedol"), "Lee Sedol");
    const std::string gbk = "\xd3\xe0\xb1\xfc";  // 余炳 in GBK: not UTF-8, left as it is
    EXPECT_EQ(personNameToTraditional(gbk), gbk);
}

TEST(PersonNameScript, RecordsShowNamesByTheRuleAfterTheDictionary) {
    ASSERT_TRUE(chineseConversionAvailable());
    TextDictionary traditional(TextDictionary::kToTraditional);
    traditional.addEntry(1, "游家宁", "遊家寧 (entry)");  // an entry wins over the rule
    GameRecord record;
    record.info.blackName = "余炳葟";
    record.info.whiteName = "游家宁";
    record.info.event = "余杭杯";  // not a name: converted as any text
    TranslateRecord(record, traditional);
    EXPECT_EQ(record.info.blackName, "余炳葟");
    EXPECT_EQ(record.info.whiteName, "遊家寧 (entry)");
    EXPECT_EQ(record.info.event, GbToBig5("余杭杯"));
    std::string out;
    EXPECT_TRUE(traditional.TranslateName("范蕴若", out));
    EXPECT_EQ(out, "范蘊若");
    // English and Simplified modes are unchanged by the rule.
    const TextDictionary english(TextDictionary::kToEnglish);
    out = "kept";
    EXPECT_FALSE(english.TranslateName("余炳葟", out));
    EXPECT_EQ(out, "kept");
}

}  // namespace
}  // namespace tessera
