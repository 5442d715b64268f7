#include "support/test_support.h"

#include <algorithm>
#include <cctype>
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

std::filesystem::path shippedData(const std::string& name) {
    return std::filesystem::path(TESSERA_TEST_DATA_DIR).parent_path().parent_path() / "data" / name;
}

std::vector<std::filesystem::path> corpusFiles(std::initializer_list<const char*> folders,
                                               std::initializer_list<const char*> extensions) {
    std::vector<std::filesystem::path> files;
    const std::filesystem::path root = sharedDir();
    if (root.empty())
        return files;
    for (const char* folder : folders) {
        std::error_code ec;
        for (auto it = std::filesystem::recursive_directory_iterator(root / "corpus" / folder, ec);
             !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
            std::string extension = it->path().extension().string();
            for (char& c : extension)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            if (it->is_regular_file() && std::find(extensions.begin(), extensions.end(), extension) != extensions.end())
                files.push_back(it->path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

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

ScopedVariable::ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name))
        saved_ = old;
    set(value);
}

ScopedVariable::~ScopedVariable() { set(saved_ ? saved_->c_str() : nullptr); }

void ScopedVariable::set(const char* value) {
    if (value)
        setenv(name_, value, 1);
    else
        unsetenv(name_);
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
