#include "platform/chinese_script.h"

#include <opencc.h>

#include <mutex>

#include "platform/diagnostics.h"
#include "platform/text_codec.h"

namespace tessera {
namespace {

// One loaded OpenCC configuration; loading reads its dictionaries, so it happens once, on first use.
class Converter {
public:
    explicit Converter(const char* configName) : configName_(configName) {}
    ~Converter() {
        if (loaded())
            opencc_close(handle_);
    }

    std::string convert(const std::string& text) {
        if (text.empty() || !isValidUtf8(text))
            return text;
        std::lock_guard lock(mutex_);
        if (!ensureLoaded())
            return text;
        char* converted = opencc_convert_utf8(handle_, text.data(), text.size());
        if (converted == nullptr)
            return text;
        std::string result(converted);
        opencc_convert_utf8_free(converted);
        return result;
    }

    bool available() {
        std::lock_guard lock(mutex_);
        return ensureLoaded();
    }

private:
    bool loaded() const { return handle_ != reinterpret_cast<opencc_t>(-1) && handle_ != nullptr; }

    bool ensureLoaded() {
        if (tried_)
            return loaded();
        tried_ = true;
        // OpenCC looks a bare name up in its own data folder; the explicit path covers builds that do not.
        handle_ = opencc_open(configName_);
        if (!loaded())
            handle_ = opencc_open((std::string("/usr/share/opencc/") + configName_).c_str());
        if (!loaded())
            logDiagnostic(std::string("OpenCC configuration ") + configName_ +
                          " not found; Chinese texts stay unconverted");
        return loaded();
    }

    const char* configName_;
    std::mutex mutex_;
    opencc_t handle_ = nullptr;
    bool tried_ = false;
};

Converter& simplifiedToTraditional() {
    static Converter converter("s2twp.json");
    return converter;
}

Converter& traditionalToSimplified() {
    static Converter converter("t2s.json");
    return converter;
}

}  // namespace

std::string GbToBig5(const std::string& text) { return simplifiedToTraditional().convert(text); }

std::string Big5ToGb(const std::string& text) { return traditionalToSimplified().convert(text); }

bool chineseConversionAvailable() {
    return simplifiedToTraditional().available() && traditionalToSimplified().available();
}

}  // namespace tessera
