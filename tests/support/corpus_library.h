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

// A library in a scratch folder, removed with it.
class CorpusLibrary {
public:
    LibraryStore& store() { return store_; }

    // Imports the files as one import (the first call opens the library for writing).
    void import(const std::vector<std::string>& files, const ImportOptions& options = ImportOptions()) {
        std::string error;
        if (!store_.isOpen()) {
            ASSERT_TRUE(store_.open(LibraryAccess::readWrite, error)) << error;
        }
        ImportSummary summary;
        ASSERT_TRUE(importRecords(store_, files, options, summary)) << summary.error;
    }

private:
    ScratchFolder folder_;
    LibraryStore store_{folder_.path().string() + "/"};
};

// A suite of tests on one corpus library: its SetUpTestSuite calls makeLibrary() and imports,
// the library goes after the suite's last test, and each test skips when the corpus is absent.
class CorpusLibraryTest : public ::testing::Test {
protected:
    // Makes the suite's library; false (and no library) when the shared corpus is absent.
    static bool makeLibrary() {
        if (sharedDir().empty())
            return false;
        library_ = new CorpusLibrary();
        store_ = &library_->store();
        return true;
    }
    static void TearDownTestSuite() {
        delete library_;
        library_ = nullptr;
        store_ = nullptr;
    }
    void SetUp() override { TESSERA_REQUIRE_SHARED(); }

    static inline CorpusLibrary* library_ = nullptr;
    static inline LibraryStore* store_ = nullptr;
};

}  // namespace tessera::test
