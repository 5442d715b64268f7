#pragma once
// A scratch library of records sampled from the shared corpus and brought in through the real
// import, for the corpus tests of the pattern search and the statistics.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "library/library_import.h"
#include "library/library_store.h"
#include "support/test_support.h"

namespace tessera::test {

// Every step-th record file under corpus/<folder> of the shared corpus, from the first.
inline std::vector<std::string> sampledCorpusRecords(const std::string& folder, size_t step) {
    std::vector<RefusedFile> refused;
    const auto files = collectRecordFiles({(sharedDir() / "corpus" / folder).string()}, refused);
    std::vector<std::string> picked;
    for (size_t k = 0; k < files.size(); k += step)
        picked.push_back(files[k]);
    return picked;
}

// A suite of tests on one scratch library of corpus records: its SetUpTestSuite calls
// makeLibrary() and importCorpus(), the library goes after the suite's last test, and each test
// skips when the shared corpus is absent.
class CorpusLibraryTest : public ::testing::Test {
protected:
    // Makes the suite's library, open for writing; false when the shared corpus is absent.
    static bool makeLibrary() {
        if (sharedDir().empty())
            return false;
        folder_ = new ScratchFolder();
        store_ = new LibraryStore(folder_->path().string() + "/");
        std::string error;
        EXPECT_TRUE(store_->open(LibraryAccess::readWrite, error)) << error;
        return store_->isOpen();
    }
    // Imports the files as one import (one segment of the search index).
    static void importCorpus(const std::vector<std::string>& files, const ImportOptions& options = ImportOptions()) {
        ImportSummary summary;
        ASSERT_TRUE(importRecords(*store_, files, options, summary)) << summary.error;
    }
    static void TearDownTestSuite() {
        delete store_;
        delete folder_;
        store_ = nullptr;
        folder_ = nullptr;
    }
    void SetUp() override { TESSERA_REQUIRE_SHARED(); }

    static inline ScratchFolder* folder_ = nullptr;
    static inline LibraryStore* store_ = nullptr;
};

}  // namespace tessera::test
