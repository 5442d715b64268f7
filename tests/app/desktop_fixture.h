#pragma once
// A scratch installation for the desktop program's window tests: the root holds what the test
// ships (lang.ini, rule.ini, ...), bin/ is the program folder the program is started with.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/ui/desktop_application.h"
#include "support/gui_test_support.h"
#include "support/test_support.h"

namespace tessera::test {

// Copies the first `count` professional games of the shared corpus into `folder` as 0.sgf, 1.sgf, ...
inline void copyProGames(const std::filesystem::path& folder, size_t count) {
    std::filesystem::create_directories(folder);
    const auto files = corpusFiles({"pro"});
    for (size_t i = 0; i < count && i < files.size(); ++i)
        std::filesystem::copy_file(files[i], folder / (std::to_string(i) + ".sgf"));
}

class DesktopFixture : public ::testing::Test {
protected:
    DesktopFixture() {
        guiApplication();
        std::filesystem::create_directories(scratch / "bin");
    }

    // The desktop program started on the scratch installation, its window hidden.
    std::unique_ptr<DesktopApplication> start(StartupOptions options = {}) {
        auto desktop = std::make_unique<DesktopApplication>();
        options.showWindow = false;
        EXPECT_TRUE(desktop->startUp(options));
        return desktop;
    }

    ScratchFolder scratch;
    ScopedVariable programFolder{"TESSERA_PROGRAM_FOLDER", (scratch / "bin").c_str()};
};

}  // namespace tessera::test
