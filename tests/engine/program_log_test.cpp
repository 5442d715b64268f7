#include "engine/program_log.h"

#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <thread>
#include <vector>

#include "support/test_support.h"

namespace tessera {
namespace {

const std::regex kLinePattern(R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}\(\d+\), (.*))");

// The lines of a log file, each checked for the stamp and the CR LF ending; the texts.
std::vector<std::string> loggedTexts(const std::filesystem::path& file) {
    std::vector<std::string> texts;
    const std::string bytes = test::readBytes(file);
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "unterminated line at " << start;
        if (end == std::string::npos)
            break;
        const std::string line = bytes.substr(start, end - start);
        std::smatch match;
        EXPECT_TRUE(std::regex_match(line, match, kLinePattern)) << line;
        texts.push_back(match.size() > 1 ? match[1].str() : std::string());
        start = end + 2;
    }
    return texts;
}

TEST(ProgramLog, StampsEveryLine) {
    struct tm t {};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 0;
    t.tm_mday = 5;
    t.tm_hour = 7;
    t.tm_min = 8;
    t.tm_sec = 9;
    EXPECT_EQ(formatProgramLogLine(t, 123456, "engine started"), "2026-01-05 07:08:09(123456), engine started\r\n");
    EXPECT_EQ(programLogPath("/opt/tessera/bin/"), "/opt/tessera/bin/log.txt");

    test::ScratchFolder scratch;
    ProgramLog log((scratch / "log.txt").string());
    log.logLine("first");
    log.logf("download %s: %d bytes", "patch3.zip", 4096);
    log.close();
    log.logLine("after close");
    EXPECT_EQ(loggedTexts(scratch / "log.txt"),
              (std::vector<std::string>{"first", "download patch3.zip: 4096 bytes", "after close"}));
}

TEST(ProgramLog, LongTextsAreCutAtACharacterBoundary) {
    test::ScratchFolder scratch;
    ProgramLog log((scratch / "log.txt").string());
    std::string chinese;
    while (chinese.size() < 5000)
        chinese += "黑";  // three bytes each
    log.logLine(chinese);
    log.logf("%s", chinese.c_str());
    const std::string bytes = test::readBytes(scratch / "log.txt");
    const std::size_t firstEnd = bytes.find("\r\n") + 2;
    EXPECT_LE(firstEnd, kProgramLogLineBytes);
    EXPECT_GT(firstEnd, kProgramLogLineBytes - 4);
    const auto texts = loggedTexts(scratch / "log.txt");
    ASSERT_EQ(texts.size(), 2u);
    for (const std::string& text : texts)
        EXPECT_EQ(text.size() % 3, 0u);  // whole characters only
    EXPECT_LE(texts[1].size(), kProgramLogFormatBytes - 1);
    EXPECT_GT(texts[1].size(), kProgramLogFormatBytes - 4);
}

TEST(ProgramLog, ALineBeyondTheCapStartsANewFile) {
    test::ScratchFolder scratch;
    const auto file = scratch / "log.txt";
    ASSERT_TRUE(test::writeBytes(file, std::string(5'120'000, 'x')));
    ProgramLog log(file.string());
    log.logLine("at the cap: appended");
    EXPECT_GT(test::readBytes(file).size(), 5'120'000u);

    ASSERT_TRUE(test::writeBytes(file, std::string(5'120'001, 'x')));
    log.logLine("beyond the cap: alone");
    EXPECT_EQ(loggedTexts(file), std::vector<std::string>{"beyond the cap: alone"});
}

TEST(ProgramLog, AnUnwritablePathDropsLinesQuietly) {
    test::ScratchFolder scratch;
    ProgramLog log((scratch / "missing/folder/log.txt").string());
    log.logLine("lost");
    log.logf("%d", 1);
    EXPECT_FALSE(std::filesystem::exists(scratch / "missing"));
}

TEST(ProgramLog, ConcurrentWritersNeverMixLines) {
    test::ScratchFolder scratch;
    constexpr int kThreads = 6;
    constexpr int kLines = 150;
    for (const std::int64_t cap : {kProgramLogCapBytes, std::int64_t{4000}}) {
        const auto file = scratch / ("log-" + std::to_string(cap) + ".txt");
        ProgramLog log(file.string(), cap);
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t)
            threads.emplace_back([&log, t] {
                for (int i = 0; i < kLines; ++i)
                    log.logf("thread %d line %d %s", t, i, std::string(static_cast<std::size_t>(i % 40), '.').c_str());
            });
        for (auto& thread : threads)
            thread.join();

        const auto texts = loggedTexts(file);
        std::vector<int> next(kThreads, 0);
        for (const std::string& text : texts) {
            int t = -1, i = -1;
            std::istringstream in(text);
            std::string word1, word2;
            in >> word1 >> t >> word2 >> i;
            ASSERT_TRUE(t >= 0 && t < kThreads) << text;
            EXPECT_GE(i, next[static_cast<std::size_t>(t)]) << "lines of one thread out of order";
            next[static_cast<std::size_t>(t)] = i + 1;
        }
        if (cap == kProgramLogCapBytes)
            EXPECT_EQ(texts.size(), static_cast<std::size_t>(kThreads * kLines));
        else
            EXPECT_LE(test::readBytes(file).size(), static_cast<std::size_t>(cap) + 200);
    }
}

}  // namespace
}  // namespace tessera
