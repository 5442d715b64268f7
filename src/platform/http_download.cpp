#include "platform/http_download.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>
#include <zlib.h>
#include <cerrno>

#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace tessera {
namespace {

struct Transfer {
    CURL* curl = nullptr;
    std::FILE* file = nullptr;
    const std::atomic<bool>* cancel = nullptr;
    std::uint64_t resumedFrom = 0;  // bytes already in the file when the transfer began
    std::uint64_t received = 0;
    std::uint64_t maxBytes = 0;
    bool checkedStart = false;
    bool tooLarge = false;
};

size_t writeChunk(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    if (!transfer->checkedStart) {
        transfer->checkedStart = true;
        long status = 0;
        curl_easy_getinfo(transfer->curl, CURLINFO_RESPONSE_CODE, &status);
        // A resumed HTTP request answered with the whole file: start the file again.
        if (transfer->resumedFrom > 0 && status == 200) {
            if (std::fflush(transfer->file) != 0 || ftruncate(fileno(transfer->file), 0) != 0 ||
                std::fseek(transfer->file, 0, SEEK_SET) != 0)
                return 0;
            transfer->resumedFrom = 0;
        }
    }
    if (transfer->resumedFrom + transfer->received + bytes > transfer->maxBytes) {
        transfer->tooLarge = true;
        return 0;
    }
    transfer->received += bytes;
    return std::fwrite(data, 1, bytes, transfer->file);
}

int progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto* transfer = static_cast<Transfer*>(user);
    return transfer->cancel && transfer->cancel->load() ? 1 : 0;
}

void initialiseCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::uint64_t fileSize(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) ? static_cast<std::uint64_t>(info.st_size) : 0;
}

enum class Outcome { done, failed, rangeRefused };

// One transfer of url into partPath, appending to a partial file when resuming.
Outcome transferOnce(const std::string& url, const std::string& partPath, const std::atomic<bool>* cancel,
                     const DownloadLimits& limits, bool resume, std::string& error) {
    const std::uint64_t existing = resume ? fileSize(partPath) : 0;
    std::unique_ptr<CURL, void (*)(CURL*)> curl(curl_easy_init(), curl_easy_cleanup);
    Transfer transfer{curl.get(), std::fopen(partPath.c_str(), existing > 0 ? "ab" : "wb"), cancel, existing};
    transfer.maxBytes = limits.maxBytes;
    if (!transfer.file) {
        error = "cannot create " + partPath;
        return Outcome::failed;
    }
    CURLcode rc = CURLE_FAILED_INIT;
    long status = 0;
    if (curl) {
        CURL* c = curl.get();
        curl_easy_setopt(c, CURLOPT_URL, url.c_str());
        curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, writeChunk);
        curl_easy_setopt(c, CURLOPT_WRITEDATA, &transfer);
        curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, progress);
        curl_easy_setopt(c, CURLOPT_XFERINFODATA, &transfer);
        curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(c, CURLOPT_FAILONERROR, 1L);  // an error page is never taken for the file
        curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(c, CURLOPT_MAXREDIRS, 5L);
        curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, limits.connectSeconds);
        curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, limits.stallSeconds);
        curl_easy_setopt(c, CURLOPT_TIMEOUT, limits.totalSeconds);
        curl_easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBytes));
        curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
        if (existing > 0)
            curl_easy_setopt(c, CURLOPT_RESUME_FROM_LARGE, static_cast<curl_off_t>(existing));
        rc = curl_easy_perform(c);
        curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    }
    const bool closed = std::fclose(transfer.file) == 0;
    if (rc == CURLE_OK && closed)
        return Outcome::done;
    if (existing > 0 && (status == 416 || rc == CURLE_RANGE_ERROR || rc == CURLE_BAD_DOWNLOAD_RESUME))
        return Outcome::rangeRefused;
    if (transfer.tooLarge || rc == CURLE_FILESIZE_EXCEEDED)
        error = "download failed: larger than " + std::to_string(limits.maxBytes) + " bytes";
    else if (rc == CURLE_HTTP_RETURNED_ERROR)
        error = "download failed: HTTP status " + std::to_string(status);
    else if (rc == CURLE_ABORTED_BY_CALLBACK)
        error = "download cancelled";
    else if (rc != CURLE_OK)
        error = std::string("download failed: ") + curl_easy_strerror(rc);
    else
        error = "cannot write " + partPath;
    return Outcome::failed;
}

}  // namespace

bool downloadFile(const std::string& url, const std::string& target, std::string& error,
                  const std::atomic<bool>* cancel, const DownloadLimits& limits) {
    initialiseCurl();
    const std::string part = target + ".part";
    Outcome outcome = transferOnce(url, part, cancel, limits, limits.resume, error);
    if (outcome == Outcome::rangeRefused)  // the kept bytes do not fit the server's file any more
        outcome = transferOnce(url, part, cancel, limits, false, error);
    if (outcome == Outcome::done && std::rename(part.c_str(), target.c_str()) == 0)
        return true;
    if (outcome == Outcome::done)
        error = "cannot write " + target;
    const bool keep = limits.resume && outcome == Outcome::failed && error.rfind("download failed: HTTP", 0) != 0 &&
                      error.rfind("download failed: larger", 0) != 0 && fileSize(part) > 0;
    if (!keep)
        ::unlink(part.c_str());
    return false;
}

namespace {

// A file created beside its target under a unique name, removed unless committed.
class TemporaryBeside {
public:
    explicit TemporaryBeside(const std::string& target) : target_(target), path_(target + ".unzip-XXXXXX") {
        fd_ = ::mkstemp(path_.data());
    }
    ~TemporaryBeside() {
        if (fd_ >= 0)
            ::close(fd_);
        if (!committed_)
            ::unlink(path_.c_str());
    }
    bool ready() const { return fd_ >= 0; }
    bool write(const char* data, size_t size) {
        while (size > 0) {
            const ssize_t n = ::write(fd_, data, size);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            data += n;
            size -= static_cast<size_t>(n);
        }
        return true;
    }
    // Flushes, closes and renames over the target.
    bool commit() {
        const bool ok = ::fchmod(fd_, 0644) == 0 && ::fsync(fd_) == 0;
        const bool closed = ::close(fd_) == 0;
        fd_ = -1;
        committed_ = ok && closed && std::rename(path_.c_str(), target_.c_str()) == 0;
        return committed_;
    }

private:
    std::string target_;
    std::string path_;
    int fd_ = -1;
    bool committed_ = false;
};

std::string hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%08x", value);
    return text;
}

}  // namespace

bool unpackSingleEntryZip(const std::string& archive, const std::string& target, std::string& error,
                          const UnzipOptions& options) {
    if (archive == target) {
        error = "target name must be different than source name";
        return false;
    }
    int code = 0;
    std::unique_ptr<zip_t, void (*)(zip_t*)> zip(zip_open(archive.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code),
                                                 zip_discard);
    if (!zip) {
        error = "unable to open source file " + archive;
        return false;
    }
    zip_int64_t entry = -1;
    int files = 0;
    const zip_int64_t count = zip_get_num_entries(zip.get(), 0);
    for (zip_int64_t k = 0; k < count; ++k) {
        const char* name = zip_get_name(zip.get(), static_cast<zip_uint64_t>(k), 0);
        if (name && *name && name[std::char_traits<char>::length(name) - 1] != '/') {
            entry = entry < 0 ? k : entry;
            ++files;
        }
    }
    zip_stat_t stat;
    zip_stat_init(&stat);
    const bool described = entry >= 0 && zip_stat_index(zip.get(), static_cast<zip_uint64_t>(entry), 0, &stat) == 0;
    const zip_uint64_t needed = ZIP_STAT_SIZE | ZIP_STAT_CRC | ZIP_STAT_COMP_METHOD | ZIP_STAT_ENCRYPTION_METHOD;
    if (files != 1 || !described || (stat.valid & needed) != needed ||
        (stat.comp_method != ZIP_CM_STORE && stat.comp_method != ZIP_CM_DEFLATE) ||
        stat.encryption_method != ZIP_EM_NONE) {
        error = "problem with zipping/unzipping operation : " + std::to_string(files) + " usable entries in " + archive;
        return false;
    }
    if (stat.size > options.maxBytes) {
        error = "problem with zipping/unzipping operation : the entry of " + archive + " is larger than " +
                std::to_string(options.maxBytes) + " bytes";
        return false;
    }
    std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> file(
        zip_fopen_index(zip.get(), static_cast<zip_uint64_t>(entry), 0), zip_fclose);
    TemporaryBeside out(target);
    if (!out.ready()) {
        error = "unable to create target file " + target;
        return false;
    }
    std::vector<char> buffer(1 << 16);
    std::uint64_t total = 0;
    uLong crc = crc32(0L, Z_NULL, 0);
    bool ok = file != nullptr;
    while (ok) {
        const zip_int64_t n = zip_fread(file.get(), buffer.data(), buffer.size());
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        total += static_cast<std::uint64_t>(n);
        ok = total <= stat.size && out.write(buffer.data(), static_cast<size_t>(n));
        crc = crc32(crc, reinterpret_cast<const Bytef*>(buffer.data()), static_cast<uInt>(n));
    }
    if (!ok || total != stat.size || crc != stat.crc) {
        error = "problem while unzipping file " + archive;
        return false;
    }
    if (options.expectedCrc && *options.expectedCrc != crc) {
        error = "problem while unzipping file " + archive + ": CRC " + hex(static_cast<std::uint32_t>(crc)) +
                " where " + hex(*options.expectedCrc) + " was expected";
        return false;
    }
    if (!out.commit()) {
        error = "unable to create target file " + target;
        return false;
    }
    return true;
}

bool zipSingleFile(const std::string& source, const std::string& archive, const std::string& entryName,
                   std::string& error) {
    int code = 0;
    zip_t* zip = zip_open(archive.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!zip) {
        error = "unable to create target file " + archive;
        return false;
    }
    zip_source_t* input = zip_source_file(zip, source.c_str(), 0, 0);
    const zip_int64_t entry =
        input ? zip_file_add(zip, entryName.c_str(), input, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) : -1;
    if (entry < 0) {
        if (input)
            zip_source_free(input);
        zip_discard(zip);
        error = "unable to open source file " + source;
        return false;
    }
    zip_set_file_compression(zip, static_cast<zip_uint64_t>(entry), ZIP_CM_DEFLATE, 9);
    // libzip writes the archive to a temporary file and renames it at close.
    if (zip_close(zip) != 0) {
        error = std::string("problem while zipping file ") + source + ": " + zip_strerror(zip);
        zip_discard(zip);
        return false;
    }
    return true;
}

std::optional<std::uint32_t> fileCrc32(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::vector<unsigned char> buffer(1 << 16);
    uLong crc = crc32(0L, Z_NULL, 0);
    ssize_t n = 0;
    while ((n = ::read(fd, buffer.data(), buffer.size())) != 0) {
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        crc = crc32(crc, buffer.data(), static_cast<uInt>(n));
    }
    ::close(fd);
    return static_cast<std::uint32_t>(crc);
}

}  // namespace tessera
