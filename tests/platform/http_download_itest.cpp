// Downloads from a real HTTP server on 127.0.0.1 (faults, limits, resumption) and unpacking
// of real zip archives (stored, deflated, damaged, wrong CRC).

#include <gtest/gtest.h>
#include <zip.h>

#include <filesystem>

#include "platform/http_download.h"
#include "support/http_test_server.h"
#include "support/test_support.h"

namespace tessera {
namespace {

namespace fs = std::filesystem;

std::string sampleBytes(size_t size) {
    std::string bytes(size, '\0');
    unsigned state = 12345;
    for (auto& c : bytes)
        c = static_cast<char>((state = state * 1103515245 + 12345) >> 16);
    return bytes;
}

bool storedZip(const fs::path& archive, const std::vector<std::pair<std::string, std::string>>& entries) {
    int code = 0;
    zip_t* zip = zip_open(archive.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    for (const auto& [name, bytes] : entries) {
        zip_source_t* source = zip_source_buffer(zip, bytes.data(), bytes.size(), 0);
        const zip_int64_t index = zip_file_add(zip, name.c_str(), source, 0);
        zip_set_file_compression(zip, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
    return zip_close(zip) == 0;
}

TEST(HttpDownload, FailuresLeaveNothingAndAnInterruptedFileResumes) {
    test::ScratchFolder folder;
    const std::string body = sampleBytes(300'000);
    ASSERT_TRUE(test::writeBytes(folder / "www/big.bin", body));
    test::HttpTestServer server(folder / "www");
    ASSERT_TRUE(server.running());
    const std::string target = (folder / "big.bin").string();
    const std::string part = target + ".part";
    std::string error;

    ASSERT_TRUE(downloadFile(server.url() + "big.bin", target, error)) << error;
    EXPECT_EQ(test::readBytes(target), body);
    fs::remove(target);

    EXPECT_FALSE(downloadFile(server.url() + "missing.bin", target, error));
    EXPECT_EQ(error, "download failed: HTTP status 404");
    DownloadLimits small;
    small.maxBytes = 1000;
    small.resume = true;
    EXPECT_FALSE(downloadFile(server.url() + "big.bin", target, error, nullptr, small));
    EXPECT_NE(error.find("larger than 1000 bytes"), std::string::npos);
    EXPECT_FALSE(fs::exists(target));
    EXPECT_FALSE(fs::exists(part));

    // Cut mid-file: the bytes received wait in .part and the next call asks only for the rest;
    // a server that ignores the range sends everything again and the file starts over.
    DownloadLimits resume;
    resume.resume = true;
    for (const char* second : {"", "big.bin norange\n"}) {
        server.setFaults("big.bin cut\n");
        EXPECT_FALSE(downloadFile(server.url() + "big.bin", target, error, nullptr, resume));
        EXPECT_FALSE(fs::exists(target));
        ASSERT_TRUE(fs::exists(part));
        EXPECT_LT(fs::file_size(part), body.size());
        server.setFaults(second);
        ASSERT_TRUE(downloadFile(server.url() + "big.bin", target, error, nullptr, resume)) << error;
        EXPECT_EQ(test::readBytes(target), body);
        EXPECT_FALSE(fs::exists(part));
        fs::remove(target);
    }

    server.setFaults("big.bin slow\n");
    DownloadLimits impatient;
    impatient.stallSeconds = 1;
    EXPECT_FALSE(downloadFile(server.url() + "big.bin", target, error, nullptr, impatient));
    EXPECT_FALSE(fs::exists(target));
    const std::atomic<bool> cancel{true};
    server.setFaults("");
    EXPECT_FALSE(downloadFile(server.url() + "big.bin", target, error, &cancel));
    EXPECT_EQ(error, "download cancelled");
    EXPECT_FALSE(fs::exists(target));
    EXPECT_FALSE(fs::exists(part));
}

TEST(HttpDownload, UnpackingChecksTheEntryAndItsCrc) {
    test::ScratchFolder folder;
    const std::string body = sampleBytes(5000) + std::string(20000, 'x');
    ASSERT_TRUE(test::writeBytes(folder / "source.bin", body));
    const std::string target = (folder / "out/data.bin").string();
    ASSERT_TRUE(test::writeBytes(target, "old contents"));
    const auto crc = fileCrc32((folder / "source.bin").string());
    ASSERT_TRUE(crc);
    std::string error;
    auto unpack = [&](const fs::path& zip, UnzipOptions options = {}) {
        return unpackSingleEntryZip(zip.string(), target, error, options);
    };
    auto untouched = [&] {
        return test::readBytes(target) == "old contents" &&
               std::distance(fs::directory_iterator(folder / "out"), fs::directory_iterator()) == 1;
    };

    ASSERT_TRUE(zipSingleFile((folder / "source.bin").string(), (folder / "deflated.zip").string(), "data.bin", error));
    ASSERT_TRUE(storedZip(folder / "stored.zip", {{"data.bin", body}}));
    ASSERT_TRUE(storedZip(folder / "two.zip", {{"a", "1"}, {"b", "2"}}));
    ASSERT_TRUE(test::writeBytes(folder / "junk.zip", "PK not really"));
    std::string damaged = test::readBytes(folder / "stored.zip");
    damaged[30 + 8 + 100] ^= 0x55;  // a byte of the stored data, after the local header and name
    ASSERT_TRUE(test::writeBytes(folder / "damaged.zip", damaged));

    EXPECT_FALSE(unpack(folder / "two.zip"));
    EXPECT_FALSE(unpack(folder / "junk.zip"));
    EXPECT_EQ(error.rfind("unable to open source file", 0), 0u);
    EXPECT_FALSE(unpack(folder / "damaged.zip"));
    EXPECT_EQ(error.rfind("problem while unzipping file", 0), 0u);
    EXPECT_FALSE(unpack(folder / "stored.zip", {.maxBytes = 100, .expectedCrc = {}}));
    EXPECT_FALSE(unpack(folder / "stored.zip", {.expectedCrc = *crc + 1}));
    EXPECT_TRUE(untouched());
    EXPECT_FALSE(unpackSingleEntryZip(target, target, error));
    EXPECT_EQ(error, "target name must be different than source name");

    for (const char* zip : {"stored.zip", "deflated.zip"}) {
        ASSERT_TRUE(unpack(folder / zip, {.expectedCrc = *crc})) << error;
        EXPECT_EQ(test::readBytes(target), body);
    }
    ASSERT_TRUE(test::writeBytes(folder / "check.txt", "123456789"));
    EXPECT_EQ(fileCrc32((folder / "check.txt").string()), 0xCBF43926u);
    EXPECT_FALSE(fileCrc32((folder / "absent").string()));
}

}  // namespace
}  // namespace tessera
