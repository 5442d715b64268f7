#pragma once
// Helpers shared by the test programs: the shared corpus, small fixtures and scratch folders.

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace tessera::test {

// The shared corpus folder (TESSERA_SHARED_DIR, else ../shared beside the checkout),
// or an empty path when it is absent. Tests that need it call GTEST_SKIP() on empty.
std::filesystem::path sharedDir();

// True when the environment variable CI is "true" (continuous integration).
bool runningInCi();

// tests/data/<name>: small fixtures the tests own.
std::filesystem::path testData(const std::string& name);

// data/<name> of the source tree: what the program ships.
std::filesystem::path shippedData(const std::string& name);

// The files under corpus/<folders> of the shared corpus whose lower-case extension is one of
// `extensions`, sorted by path; folders that are absent add nothing.
std::vector<std::filesystem::path> corpusFiles(std::initializer_list<const char*> folders,
                                               std::initializer_list<const char*> extensions = {".sgf"});

// Whole contents of a file as bytes; empty when it cannot be read.
std::string readBytes(const std::filesystem::path& file);

// Writes bytes to a file, creating its folder; false on failure.
bool writeBytes(const std::filesystem::path& file, const std::string& bytes);

// Sets an environment variable (nullptr: unsets it) for one scope and puts the old value back.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;
    void set(const char* value);

private:
    const char* name_;
    std::optional<std::string> saved_;
};

// A fresh folder under the system's temporary folder, removed with everything in it
// when the object goes out of scope.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

}  // namespace tessera::test

// Skips the current test when the shared corpus is not beside the checkout; in CI (CI=true),
// which always has it, its absence is a failure.
#define TESSERA_REQUIRE_SHARED()                                                      \
    do {                                                                              \
        if (::tessera::test::sharedDir().empty()) {                                   \
            if (::tessera::test::runningInCi())                                       \
                FAIL() << "the shared corpus folder is absent, and CI always has it"; \
            GTEST_SKIP() << "the shared corpus folder is absent";                     \
        }                                                                             \
    } while (0)
