// Fetching a missing library game through the download root: real zip files through libcurl
// (file:// URLs) and libzip; nothing is ever left in temp/.

#include <gtest/gtest.h>
#include <zip.h>

#include <filesystem>

#include "library/library_game_file.h"
#include "library/library_store.h"
#include "support/test_support.h"

namespace tessera {
namespace {

bool writeZip(const std::filesystem::path& archive, const std::string& entry, const std::string& bytes) {
    std::filesystem::create_directories(archive.parent_path());
    int code = 0;
    zip_t* zip = zip_open(archive.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!zip)
        return false;
    zip_source_t* source = zip_source_buffer(zip, bytes.data(), bytes.size(), 0);
    const bool added = source && zip_file_add(zip, entry.c_str(), source, ZIP_FL_OVERWRITE) >= 0;
    return zip_close(zip) == 0 && added;
}

TEST(LibraryGameFile, MissingFilesAreFetchedOrFailCleanly) {
    test::ScratchFolder folder;
    LibraryStore store((folder / "bin").string());
    const std::string temp = (folder / "bin/temp").string();
    auto tempEmpty = [&] { return !std::filesystem::exists(temp) || std::filesystem::is_empty(temp); };
    std::string error;

    EXPECT_FALSE(ensureLibraryGameFile(store, 1234, "", error));
    EXPECT_EQ(error, "can't download sgg file(" + temp + "/00001234.sgg.zip)!");
    EXPECT_TRUE(tempEmpty());

    const auto server = folder / "server";
    const std::string root = "file://" + server.string() + "/";
    ASSERT_TRUE(writeZip(server / "1/00001234.sgg.zip", "00001234.sgg", "SGG bytes"));
    ASSERT_TRUE(ensureLibraryGameFile(store, 1234, root, error)) << error;
    EXPECT_EQ(test::readBytes(store.gamePath(1234)), "SGG bytes");
    EXPECT_TRUE(tempEmpty());
    EXPECT_TRUE(ensureLibraryGameFile(store, 1234, "", error));  // present: nothing to fetch

    EXPECT_FALSE(ensureLibraryGameFile(store, 77, root, error));  // not on the server
    ASSERT_TRUE(test::writeBytes(server / "0/00000078.sgg.zip", "not a zip archive"));
    EXPECT_FALSE(ensureLibraryGameFile(store, 78, root, error));
    EXPECT_FALSE(std::filesystem::exists(store.gamePath(78)));
    EXPECT_FALSE(ensureLibraryGameFile(store, 79, "http://127.0.0.1:9/", error));  // nobody listens
    EXPECT_TRUE(tempEmpty());
}

TEST(LibraryGameFile, DownloadRootComesFromTheSettings) {
    test::ScratchFolder folder;
    const auto ini = folder / "vantor.ini";
    ASSERT_TRUE(test::writeBytes(ini, "[SETTING]\nOnLineUpdateURL=http://example.org/users/go/Tessera3Update\n"));
    EXPECT_EQ(libraryDownloadRoot(ini.string()), "http://example.org/users/go/Tessera3Update/GoFile/");
    ASSERT_TRUE(test::writeBytes(ini, "[SETTING]\nLibraryDownloadRoot=\n"));
    EXPECT_EQ(libraryDownloadRoot(ini.string()), "");
}

}  // namespace
}  // namespace tessera
