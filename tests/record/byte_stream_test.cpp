// Streams never pass their end: a write or read that would is refused whole, and a chunk
// window restores the wider window when its scope ends.
#include <gtest/gtest.h>

#include "record/byte_stream.h"
#include "support/test_support.h"

namespace tessera {
namespace {

TEST(ByteStream, MemoryAndFileStreamsStopAtTheirEnd) {
    MemoryStream memory(6);
    EXPECT_TRUE(writeU32(memory, 0x04030201));
    EXPECT_FALSE(writeU32(memory, 7));  // 2 bytes left: nothing is written
    EXPECT_EQ(memory.position(), 4u);
    EXPECT_TRUE(writeU16(memory, 0x0605));
    EXPECT_EQ(memory.buffer(), std::string("\1\2\3\4\5\6", 6));
    EXPECT_FALSE(memory.failure().empty());

    test::ScratchFolder folder;
    std::unique_ptr<FileStream> file;
    std::string error;
    ASSERT_TRUE(FileStream::createForWriting(folder / "f.bin", 5, file, error)) << error;
    EXPECT_TRUE(writeU32(*file, 1));
    EXPECT_FALSE(writeU16(*file, 2));
    EXPECT_TRUE(file->close());
    ASSERT_TRUE(FileStream::openForReading(folder / "f.bin", file, error)) << error;
    EXPECT_EQ(file->size(), 4u);
    uint32_t value = 0;
    uint8_t byte = 0;
    EXPECT_TRUE(readU32(*file, value));
    EXPECT_EQ(value, 1u);
    EXPECT_FALSE(readU8(*file, byte));
    EXPECT_FALSE(FileStream::openForReading(folder / "missing.bin", file, error));
}

TEST(ByteStream, WindowsAndCountsBoundReads) {
    const std::string bytes(
        "\xFF\xFF\xFF\x7F"
        "abcdefgh",
        12);
    MemoryStream in(bytes.data(), bytes.size());
    {
        StreamWindow window(in, 6);
        uint32_t count = 0;
        EXPECT_FALSE(readCount(in, count, 1));  // 2^31 - 1 items cannot follow in 2 bytes
        EXPECT_EQ(in.remaining(), 2u);
        uint32_t word = 0;
        EXPECT_FALSE(readU32(in, word));  // would cross the window end
    }
    EXPECT_EQ(in.remaining(), 8u);
    std::string text;
    ASSERT_TRUE(in.seek(4));
    EXPECT_FALSE(readText(in, text));  // length 0x6261 is far beyond the data
}

}  // namespace
}  // namespace tessera
