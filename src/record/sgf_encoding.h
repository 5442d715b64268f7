#pragma once
// Deciding the text encoding of an SGF file before it is tokenised, and the character
// boundaries of that encoding (so a trail byte equal to "]" or "\" never ends or escapes a
// value).

#include <cstddef>
#include <string>

namespace tessera {

// How the bytes of one character are grouped while tokenising.
enum class SgfByteGrouping {
    kSingleByte,  // UTF-8 and one-byte code pages: every delimiter byte is a delimiter
    kGb18030,     // lead 81-FE with a trail byte, or the four-byte form
    kBig5,
    kShiftJis,
    kKorean,  // CP949 / EUC-KR
};

struct SgfEncoding {
    std::string name;  // iconv name of the encoding, "UTF-8" for UTF-8
    SgfByteGrouping grouping = SgfByteGrouping::kSingleByte;
    std::string reason;  // how it was decided ("CA property", "valid UTF-8", ...)
};

// Decides the encoding of the bytes of an SGF file (byte order marks already handled): the
// CA property when the bytes decode cleanly under it; else UTF-8 when the bytes are valid
// UTF-8 or nearly so (a few damaged characters among many good ones); else uchardet's guess
// among GB18030, Big5, Shift_JIS and CP949; else GB18030.
SgfEncoding decideSgfEncoding(const std::string& bytes);

// The grouping of an iconv encoding name.
SgfByteGrouping groupingOf(const std::string& encodingName);

// The iconv name for an SGF CA value ("GB2312" -> "GB18030", "Shift_JIS" -> "CP932"), or the
// value itself upper-cased when it has no known alias.
std::string encodingForCharset(const std::string& charset);

// Number of bytes (1 to 4, never past end) of the character that starts at data[0].
inline size_t characterLength(SgfByteGrouping grouping, const unsigned char* data, size_t left) {
    const unsigned char lead = data[0];
    if (lead < 0x81 || grouping == SgfByteGrouping::kSingleByte || left < 2)
        return 1;
    const unsigned char trail = data[1];
    switch (grouping) {
        case SgfByteGrouping::kGb18030:
            if (lead == 0xFF)
                return 1;
            if (trail >= 0x30 && trail <= 0x39)
                return left >= 4 && data[2] >= 0x81 && data[2] <= 0xFE && data[3] >= 0x30 && data[3] <= 0x39 ? 4 : 1;
            return (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFE) ? 2 : 1;
        case SgfByteGrouping::kBig5:
            if (lead == 0xFF)
                return 1;
            return (trail >= 0x40 && trail <= 0x7E) || (trail >= 0xA1 && trail <= 0xFE) ? 2 : 1;
        case SgfByteGrouping::kShiftJis:
            if (!((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC)))
                return 1;
            return (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC) ? 2 : 1;
        case SgfByteGrouping::kKorean:
            if (lead == 0xFF)
                return 1;
            return (trail >= 0x41 && trail <= 0x5A) || (trail >= 0x61 && trail <= 0x7A) ||
                           (trail >= 0x81 && trail <= 0xFE)
                       ? 2
                       : 1;
        case SgfByteGrouping::kSingleByte:
            break;
    }
    return 1;
}

}  // namespace tessera
