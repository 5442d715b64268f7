#include "record/record_bytes.h"

#include <cerrno>
#include <cstring>

#include "platform/atomic_file.h"

namespace tessera {

bool loadFileBytes(const std::filesystem::path& file, std::string& bytes, std::string& error) {
    std::error_code code;
    const auto status = std::filesystem::status(file, code);
    if (code || !std::filesystem::exists(status)) {
        error = "cannot open " + file.string() + ": no such file";
        return false;
    }
    if (!std::filesystem::is_regular_file(status)) {
        error = file.string() + " is not a regular file";
        return false;
    }
    auto read = readFileBounded(file.string(), kMaxRecordFileBytes);
    if (!read) {
        const auto size = std::filesystem::file_size(file, code);
        error = !code && size > kMaxRecordFileBytes ? file.string() + " is larger than 256 MB"
                                                    : "cannot read " + file.string() + ": " + std::strerror(errno);
        return false;
    }
    bytes = std::move(*read);
    return true;
}

bool saveFileBytes(const std::filesystem::path& file, const std::string& bytes, std::string& error) {
    errno = 0;
    if (writeFileAtomically(file.string(), bytes))
        return true;
    error = "cannot write " + file.string() + (errno ? std::string(": ") + std::strerror(errno) : std::string());
    return false;
}

}  // namespace tessera
