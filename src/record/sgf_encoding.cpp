#include "record/sgf_encoding.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/text_codec.h"

namespace tessera {

namespace {

// The value of the first CA property, found in the raw bytes; empty when there is none.
std::string findCharsetProperty(const std::string& bytes) {
    size_t at = 0;
    while ((at = bytes.find("CA", at)) != std::string::npos) {
        const bool startsIdentifier = at == 0 || !std::isupper(static_cast<unsigned char>(bytes[at - 1]));
        size_t open = at + 2;
        while (open < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[open])))
            ++open;
        if (startsIdentifier && open < bytes.size() && bytes[open] == '[') {
            const size_t close = bytes.find(']', open + 1);
            if (close == std::string::npos || close - open > 64)
                return {};
            return bytes.substr(open + 1, close - open - 1);
        }
        at += 2;
    }
    return {};
}

// True when at least half of the non-ASCII characters are well-formed UTF-8: damaged records
// (names cut mid-character, bytes replaced by "?") are still UTF-8, and reading them under a
// two-byte code page would swallow delimiters. A damaged character counts once.
bool isMostlyUtf8(const std::string& bytes) {
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    size_t good = 0;
    size_t bad = 0;
    for (size_t i = 0; i < n;) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        const size_t length = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        if (length == 0 || c == 0xC0 || c == 0xC1) {
            ++bad;
            ++i;
            continue;
        }
        size_t k = 1;
        while (k < length && i + k < n && (s[i + k] & 0xC0) == 0x80)
            ++k;
        (k == length ? good : bad) += 1;
        i += k;
    }
    return good >= 4 && good >= bad;
}

}  // namespace

std::string encodingForCharset(const std::string& charset) {
    std::string name;
    for (char c : charset)
        if (!std::isspace(static_cast<unsigned char>(c)))
            name += static_cast<char>(std::toupper(static_cast<unsigned char>(c) == '_' ? '-' : c));
    if (name == "UTF8" || name == "UTF-8")
        return "UTF-8";
    if (name == "GB2312" || name == "GBK" || name == "GB18030" || name == "EUC-CN" || name == "CP936" ||
        name == "GB-2312")
        return "GB18030";
    if (name == "BIG5" || name == "BIG-5" || name == "CP950" || name == "BIG5-HKSCS")
        return "BIG5";
    if (name == "SHIFT-JIS" || name == "SJIS" || name == "SHIFTJIS" || name == "CP932" || name == "MS932" ||
        name == "WINDOWS-31J" || name == "MS-KANJI")
        return "CP932";
    if (name == "EUC-KR" || name == "CP949" || name == "UHC" || name == "KS-C-5601-1987" || name == "KSC5601" ||
        name == "EUCKR")
        return "CP949";
    if (name.rfind("ISO8859-", 0) == 0)
        return "ISO-" + name.substr(3);
    if (name == "LATIN1" || name == "LATIN-1")
        return "ISO-8859-1";
    return name;
}

SgfByteGrouping groupingOf(const std::string& encodingName) {
    if (encodingName == "GB18030" || encodingName == "GBK" || encodingName == "GB2312")
        return SgfByteGrouping::kGb18030;
    if (encodingName == "BIG5" || encodingName == "BIG5-HKSCS")
        return SgfByteGrouping::kBig5;
    if (encodingName == "CP932" || encodingName == "SHIFT-JIS" || encodingName == "SHIFT_JIS")
        return SgfByteGrouping::kShiftJis;
    if (encodingName == "CP949" || encodingName == "EUC-KR")
        return SgfByteGrouping::kKorean;
    return SgfByteGrouping::kSingleByte;
}

SgfEncoding decideSgfEncoding(const std::string& bytes) {
    const std::string charset = findCharsetProperty(bytes);
    if (!charset.empty()) {
        const std::string name = encodingForCharset(charset);
        // UTF-16 and UTF-32 cannot hold an ASCII "CA[" we could read: such a claim is false.
        const bool wide = name.rfind("UTF-16", 0) == 0 || name.rfind("UTF-32", 0) == 0 || name == "UCS-2";
        if (name == "UTF-8") {
            if (isValidUtf8(bytes))
                return {"UTF-8", SgfByteGrouping::kSingleByte, "CA property"};
        } else if (!wide && convertEncoding(bytes, name.c_str(), "UTF-8")) {
            return {name, groupingOf(name), "CA property"};
        }
    }
    if (isValidUtf8(bytes))
        return {"UTF-8", SgfByteGrouping::kSingleByte, "valid UTF-8"};
    if (isMostlyUtf8(bytes))
        return {"UTF-8", SgfByteGrouping::kSingleByte, "UTF-8 with damaged characters"};
    const std::string guess = guessCjkCodePage(bytes);
    if (!guess.empty())
        return {guess, groupingOf(guess), "detected"};
    return {"GB18030", SgfByteGrouping::kGb18030, "default"};
}

}  // namespace tessera
