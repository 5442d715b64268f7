// The SGF tokeniser: grammar, escapes, encodings and hostile input.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "record/sgf_file.h"
#include "record/sgf_reader.h"

namespace tessera {
namespace {

std::unique_ptr<SgfNode> parse(const std::string& text, std::string* encodingName = nullptr) {
    std::string error;
    SgfEncoding encoding;
    auto root = SgfReader::ReadFirstTreeFromBytes(text, error, &encoding);
    if (encodingName)
        *encodingName = encoding.name;
    EXPECT_TRUE(root != nullptr || !error.empty()) << "a failure must carry a reason";
    return root;
}

std::string valueOf(const SgfNode& node, const std::string& identifier) {
    const std::string* value = node.findValue(identifier);
    return value ? *value : std::string("<none>");
}

TEST(SgfReader, ReadsSequencesVariationsAndMultipleValues) {
    auto root = parse("junk before (;GM[1]SZ[9] AB[aa][bb]\n ;B[ee](;W[cc])(;W[gg]C[x]))(;B[aa])");
    ASSERT_TRUE(root);
    ASSERT_NE(root->find("AB"), nullptr);
    EXPECT_EQ(root->find("AB")->values, (std::vector<std::string>{"aa", "bb"}));
    ASSERT_EQ(root->children().size(), 1u);
    const SgfNode& move = *root->children()[0];
    EXPECT_EQ(valueOf(move, "B"), "ee");
    ASSERT_EQ(move.children().size(), 2u);
    EXPECT_EQ(valueOf(*move.children()[1], "C"), "x");
    EXPECT_EQ(move.children()[1]->parent(), &move);
}

TEST(SgfReader, AcceptsTheLooseFormsRealFilesUse) {
    // No ";" before the first node; lower-case letters in old identifiers; an empty variation.
    auto root = parse("(B[aa]CoPyright[me]()(;W[bb]))");
    ASSERT_TRUE(root);
    EXPECT_EQ(valueOf(*root, "B"), "aa");
    EXPECT_EQ(valueOf(*root, "CP"), "me");
    ASSERT_EQ(root->children().size(), 1u);
    // A "(" in prose before the record is skipped: the tree starts at "(" followed by ";".
    EXPECT_TRUE(parse("Notes (see below)\n(;B[aa])"));
    // A file that lost its "(" or its end still shows its moves.
    auto headless = parse(";PB[x];B[aa]");
    ASSERT_TRUE(headless);
    EXPECT_EQ(valueOf(*headless, "PB"), "x");
    auto cut = parse("(;PB[x];B[aa];W[b");
    ASSERT_TRUE(cut);
    ASSERT_EQ(cut->children().size(), 1u);
    EXPECT_TRUE(cut->children()[0]->children().at(0)->properties().empty());
}

TEST(SgfReader, RefusesWhatIsNotARecordWithAReason) {
    for (const char* text : {"", "no tree here", "()", "(;B[aa]W)", "(;B[aa] % )", "(;[aa])"}) {
        std::string error;
        EXPECT_EQ(SgfReader::ReadFirstTreeFromBytes(text, error), nullptr) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

TEST(SgfReader, UnescapesValues) {
    auto root = parse("(;C[a\\]b\\\\c\\:d]GN[soft\\\nbreak]PC[line\r\nend\rx])");
    ASSERT_TRUE(root);
    EXPECT_EQ(valueOf(*root, "C"), "a]b\\c:d");
    EXPECT_EQ(valueOf(*root, "GN"), "softbreak");
    EXPECT_EQ(valueOf(*root, "PC"), "line\nend\nx");
}

TEST(SgfReader, DecidesTheEncodingBeforeTokenising) {
    std::string encoding;
    // UTF-8 whose bytes a GBK pairing would split: E6 B5 | 8B 5D swallows the "]".
    auto utf8 = parse("(;PB[\xE6\xB5\x8B]PW[x])", &encoding);
    ASSERT_TRUE(utf8);
    EXPECT_EQ(valueOf(*utf8, "PB"), "测");
    EXPECT_EQ(valueOf(*utf8, "PW"), "x");
    EXPECT_EQ(encoding, "UTF-8");
    // Two-byte characters whose trail byte is "]" or "\" stay whole under their CA.
    auto gbk = parse("(;CA[GBK]C[\x81\x5D]PB[\xB9\xC5\xC1\xA6])", &encoding);
    ASSERT_TRUE(gbk);
    EXPECT_EQ(encoding, "GB18030");
    EXPECT_EQ(valueOf(*gbk, "C").size(), 3u);
    EXPECT_EQ(valueOf(*gbk, "PB"), "古力");
    auto big5 = parse("(;CA[Big5]PB[\xB3\x5C]PW[\xA5\x5C])");
    ASSERT_TRUE(big5);
    EXPECT_EQ(valueOf(*big5, "PB"), "許");
    EXPECT_EQ(valueOf(*big5, "PW"), "功");
    auto sjis = parse("(;CA[Shift_JIS]PB[\x95\x5C])");
    ASSERT_TRUE(sjis);
    EXPECT_EQ(valueOf(*sjis, "PB"), "表");
    // CA[UTF-8] over GBK bytes: the claim fails, the bytes are read as what they are.
    auto lying = parse("(;CA[UTF-8]PB[\xB9\xC5\xC1\xA6]PW[\xBF\xC2\xBD\xE0])", &encoding);
    ASSERT_TRUE(lying);
    EXPECT_EQ(encoding, "GB18030");
    EXPECT_EQ(valueOf(*lying, "PB"), "古力");
    EXPECT_EQ(valueOf(*lying, "PW"), "柯洁");
    // UTF-16 with a byte order mark.
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("(;PB[Go])")) {
        utf16 += c;
        utf16 += '\0';
    }
    auto wide = parse(utf16);
    ASSERT_TRUE(wide);
    EXPECT_EQ(valueOf(*wide, "PB"), "Go");
}

TEST(SgfReader, ReadsDamagedUtf8AsUtf8) {
    // Names cut mid-character ("东方明" + half of "珠") must not swallow the following "]".
    std::string text = "(;CA[UTF-8]PB[\xE4\xB8\x9C\xE6\x96\xB9\xE6\x98\x8E\xE7\x8F]PW[\xE5\xB7\xA7\xE8\x8A\xB1];B[aa])";
    auto root = parse(text);
    ASSERT_TRUE(root);
    EXPECT_EQ(valueOf(*root, "PB"), "东方明\xEF\xBF\xBD");
    EXPECT_EQ(valueOf(*root, "PW"), "巧花");
    EXPECT_EQ(root->children().size(), 1u);
}

TEST(SgfReader, NestsDeepAndLongWithoutRecursion) {
    const int depth = 100000;
    std::string nested = "(;GM[1]";
    for (int i = 0; i < depth; ++i)
        nested += i % 2 ? "(;W[aa]" : "(;B[bb]";
    nested += std::string(depth + 1, ')');
    GameRecord record;
    std::string error;
    ASSERT_TRUE(readSgfBytes(nested, record, error)) << error;
    EXPECT_EQ(record.tree.size(), size_t(depth + 1));
    std::string text;
    ASSERT_TRUE(writeSgfBytes(record, text, error)) << error;
    GameRecord again;
    ASSERT_TRUE(readSgfBytes(text, again, error)) << error;
    EXPECT_EQ(again.tree.size(), record.tree.size());
}

TEST(SgfReader, KeepsAHugeComment) {
    const std::string comment(10 * 1024 * 1024, 'c');
    auto root = parse("(;C[" + comment + "])");
    ASSERT_TRUE(root);
    EXPECT_EQ(valueOf(*root, "C").size(), comment.size());
}

TEST(SgfReader, SurvivesArbitraryBytesAndEveryTruncation) {
    const std::string valid = "(;GM[1]CA[GBK]SZ[9]PB[\xB9\xC5]C[a\\]b];B[ee](;W[cc]LB[aa:x])(;W[gg]AB[aa:cc]))";
    for (size_t length = 0; length <= valid.size(); ++length) {
        std::string error;
        GameRecord record;
        readSgfBytes(valid.substr(0, length), record, error);
    }
    std::mt19937 random(12345);
    const std::string alphabet = "();[]\\:ABCWabc \n\x81\x5D\xE6\xFF";
    for (int round = 0; round < 3000; ++round) {
        std::string bytes;
        const size_t length = random() % 200;
        for (size_t i = 0; i < length; ++i)
            bytes += round % 2 ? static_cast<char>(random() & 0xFF) : alphabet[random() % alphabet.size()];
        std::string error;
        GameRecord record;
        if (!readSgfBytes(bytes, record, error)) {
            EXPECT_FALSE(error.empty());
        }
    }
}

}  // namespace
}  // namespace tessera
