#include "platform/http_download.h"

#include <curl/curl.h>
#include <unistd.h>
#include <zip.h>

#include <cstdio>
#include <string>
#include <memory>
#include <mutex>

#include "platform/atomic_file.h"

namespace tessera {
namespace {

struct Transfer {
    std::FILE* file = nullptr;
    const std::atomic<bool>* cancel = nullptr;
};

size_t writeChunk(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    return std::fwrite(data, size, count, transfer->file) * size;
}

int progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto* transfer = static_cast<Transfer*>(user);
    return transfer->cancel && transfer->cancel->load() ? 1 : 0;
}

void initialiseCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

bool downloadFile(const std::string& url, const std::string& target, std::string& error,
                  const std::atomic<bool>* cancel, long timeoutSeconds) {
    initialiseCurl();
    const std::string temporary = target + ".part";
    Transfer transfer{std::fopen(temporary.c_str(), "wb"), cancel};
    if (!transfer.file) {
        error = "cannot create " + temporary;
        return false;
    }
    std::unique_ptr<CURL, void (*)(CURL*)> curl(curl_easy_init(), curl_easy_cleanup);
    CURLcode rc = CURLE_FAILED_INIT;
    long status = 0;
    if (curl) {
        curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
        curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, writeChunk);
        curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &transfer);
        curl_easy_setopt(curl.get(), CURLOPT_XFERINFOFUNCTION, progress);
        curl_easy_setopt(curl.get(), CURLOPT_XFERINFODATA, &transfer);
        curl_easy_setopt(curl.get(), CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(curl.get(), CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(curl.get(), CURLOPT_MAXREDIRS, 5L);
        curl_easy_setopt(curl.get(), CURLOPT_CONNECTTIMEOUT, 15L);
        curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT, timeoutSeconds);
        curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);
        rc = curl_easy_perform(curl.get());
        curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status);
    }
    const bool closed = std::fclose(transfer.file) == 0;
    if (rc != CURLE_OK || status >= 400 || !closed || std::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        if (rc != CURLE_OK)
            error = std::string("download failed: ") + curl_easy_strerror(rc);
        else if (status >= 400)
            error = "download failed: HTTP status " + std::to_string(status);
        else
            error = "cannot write " + target;
        return false;
    }
    return true;
}

bool unpackSingleEntryZip(const std::string& archive, const std::string& target, std::string& error, size_t maxBytes) {
    int code = 0;
    std::unique_ptr<zip_t, void (*)(zip_t*)> zip(zip_open(archive.c_str(), ZIP_RDONLY, &code), zip_discard);
    if (!zip) {
        error = "not a zip archive: " + archive;
        return false;
    }
    zip_stat_t stat;
    zip_stat_init(&stat);
    zip_int64_t entry = -1;
    for (zip_int64_t k = 0; k < zip_get_num_entries(zip.get(), 0); ++k) {
        const char* name = zip_get_name(zip.get(), static_cast<zip_uint64_t>(k), 0);
        if (name && *name && name[std::char_traits<char>::length(name) - 1] != '/') {
            entry = k;
            break;
        }
    }
    if (entry < 0 || zip_stat_index(zip.get(), static_cast<zip_uint64_t>(entry), 0, &stat) != 0 ||
        !(stat.valid & ZIP_STAT_SIZE) || stat.size > maxBytes) {
        error = "the archive holds no usable file: " + archive;
        return false;
    }
    std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> file(zip_fopen_index(zip.get(), static_cast<zip_uint64_t>(entry), 0),
                                                            zip_fclose);
    std::string bytes(stat.size, '\0');
    if (!file || zip_fread(file.get(), bytes.data(), stat.size) != static_cast<zip_int64_t>(stat.size)) {
        error = "the archive is damaged: " + archive;
        return false;
    }
    if (!writeFileAtomically(target, bytes)) {
        error = "cannot write " + target;
        return false;
    }
    return true;
}

}  // namespace tessera
