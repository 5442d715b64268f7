#include "platform/text_codec.h"

#include <iconv.h>
#include <cerrno>

namespace tessera {

namespace {

// Runs iconv over the whole input. With `lossy`, undecodable input bytes are skipped one at
// a time and replaced by `replacement` (already in the target encoding).
std::optional<std::string> runIconv(const std::string& bytes, const char* from, const char* to, bool lossy,
                                    const std::string& replacement) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string out;
    out.reserve(bytes.size() * 2 + 16);
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char buffer[4096];
    bool ok = true;
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (rc != static_cast<size_t>(-1))
            continue;
        if (errno == E2BIG)
            continue;
        if (!lossy) {
            ok = false;
            break;
        }
        // EILSEQ or EINVAL (truncated sequence at the end): skip one byte.
        out += replacement;
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    if (ok) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
    }
    iconv_close(cd);
    if (!ok)
        return std::nullopt;
    return out;
}

}  // namespace

std::optional<std::string> convertEncoding(const std::string& bytes, const char* from, const char* to) {
    return runIconv(bytes, from, to, false, {});
}

bool isValidUtf8(const std::string& bytes) {
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        size_t length = 0;
        unsigned min = 0;
        unsigned code = 0;
        if ((c & 0xE0) == 0xC0) {
            length = 2;
            min = 0x80;
            code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            length = 3;
            min = 0x800;
            code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            length = 4;
            min = 0x10000;
            code = c & 0x07;
        } else {
            return false;
        }
        if (i + length > n)
            return false;
        for (size_t k = 1; k < length; ++k) {
            if ((s[i + k] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (s[i + k] & 0x3F);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

std::string utf8ToGb18030(const std::string& utf8) {
    auto converted = convertEncoding(utf8, "UTF-8", "GB18030");
    return converted ? *converted : utf8;
}

std::string gb18030ToUtf8(const std::string& gb) { return toUtf8Lossy(gb, "GB18030"); }

std::string toUtf8Lossy(const std::string& bytes, const char* from) {
    auto converted = runIconv(bytes, from, "UTF-8", true, "\xEF\xBF\xBD");
    return converted ? *converted : bytes;
}

}  // namespace tessera

#include <uchardet/uchardet.h>

#include <algorithm>
#include <cctype>

namespace tessera {

std::string guessCjkCodePage(const std::string& bytes) {
    uchardet_t detector = uchardet_new();
    if (!detector)
        return {};
    // uchardet decides from the first few kilobytes of non-ASCII text; more only costs time.
    const size_t length = std::min<size_t>(bytes.size(), 256 * 1024);
    uchardet_handle_data(detector, bytes.data(), length);
    uchardet_data_end(detector);
    std::string charset = uchardet_get_charset(detector);
    uchardet_delete(detector);
    std::transform(charset.begin(), charset.end(), charset.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (charset == "GB18030" || charset == "GBK" || charset == "GB2312" || charset == "EUC-CN" ||
        charset == "HZ-GB-2312")
        return "GB18030";
    if (charset == "BIG5" || charset == "BIG5-HKSCS" || charset == "EUC-TW")
        return "BIG5";
    if (charset == "SHIFT_JIS" || charset == "CP932" || charset == "WINDOWS-31J")
        return "CP932";
    if (charset == "EUC-KR" || charset == "UHC" || charset == "CP949" || charset == "ISO-2022-KR")
        return "CP949";
    // uchardet misses short Japanese texts; Shift_JIS bytes that decode cleanly into several
    // kana are Japanese (GBK would read them as rare Chinese characters).
    if (const auto japanese = convertEncoding(bytes, "CP932", "UTF-8")) {
        int kana = 0;
        for (size_t i = 0; i + 2 < japanese->size(); ++i) {
            const auto b0 = static_cast<unsigned char>((*japanese)[i]);
            const auto b1 = static_cast<unsigned char>((*japanese)[i + 1]);
            // U+3041-U+30FF are E3 81 81 .. E3 83 BF in UTF-8.
            if (b0 == 0xE3 && (b1 == 0x81 || b1 == 0x82 || b1 == 0x83))
                ++kana;
        }
        if (kana >= 2)
            return "CP932";
    }
    return {};
}

}  // namespace tessera

namespace tessera {

std::string repairUtf8(const std::string& bytes) {
    static const std::string replacement = "\xEF\xBF\xBD";
    std::string out;
    out.reserve(bytes.size() + 8);
    size_t i = 0;
    const size_t n = bytes.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        const size_t length = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        size_t k = 1;
        while (length && k < length && i + k < n && (static_cast<unsigned char>(bytes[i + k]) & 0xC0) == 0x80)
            ++k;
        const std::string piece = bytes.substr(i, k);
        out += length && k == length && isValidUtf8(piece) ? piece : replacement;
        i += k;
    }
    return out;
}

}  // namespace tessera
