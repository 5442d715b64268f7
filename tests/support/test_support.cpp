#include "support/test_support.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace tessera::test {

std::filesystem::path sharedDir() {
    std::filesystem::path dir;
    if (const char* env = std::getenv("TESSERA_SHARED_DIR"); env && *env)
        dir = env;
    else
        dir = TESSERA_DEFAULT_SHARED_DIR;
    std::error_code ec;
    if (!std::filesystem::is_directory(dir / "corpus", ec))
        return {};
    return dir;
}

bool runningInCi() {
    const char* ci = std::getenv("CI");
    return ci && std::string(ci) == "true";
}

std::filesystem::path testData(const std::string& name) { return std::filesystem::path(TESSERA_TEST_DATA_DIR) / name; }

std::string readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool writeBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::error_code ec;
    if (file.has_parent_path())
        std::filesystem::create_directories(file.parent_path(), ec);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

ScratchFolder::ScratchFolder() {
    std::random_device random;
    for (;;) {
        path_ = std::filesystem::temp_directory_path() / ("tessera-test-" + std::to_string(random()));
        std::error_code ec;
        if (std::filesystem::create_directory(path_, ec))
            break;
    }
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

}  // namespace tessera::test
