#include "record/sgf_reader.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/text_codec.h"
#include "record/record_bytes.h"

namespace tessera {

namespace {

bool isWhitespace(unsigned char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool isUpper(unsigned char c) { return c >= 'A' && c <= 'Z'; }
bool isLetter(unsigned char c) { return isUpper(c) || (c >= 'a' && c <= 'z'); }

bool isAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The tokeniser over the raw bytes of one file in one decided encoding.
class SgfParser {
public:
    SgfParser(const std::string& bytes, const SgfEncoding& encoding)
        : data_(reinterpret_cast<const unsigned char*>(bytes.data())),
          size_(bytes.size()),
          encoding_(encoding),
          isUtf8_(encoding.name == "UTF-8") {}

    std::unique_ptr<SgfNode> parseFirstTree(std::string& error);
    // Parses one game tree whose "(" ends just before start.
    std::unique_ptr<SgfNode> parseTreeAt(size_t start, std::string& error);
    // Number of values read so far.
    size_t valueCount() const { return valueCount_; }

private:
    struct Frame {
        SgfNode* parent = nullptr;  // the node this tree hangs from (nullptr at the top)
        SgfNode* last = nullptr;    // the last node of the tree's sequence so far
    };

    size_t charLength() const { return characterLength(encoding_.grouping, data_ + pos_, size_ - pos_); }
    void skipWhitespace() {
        while (pos_ < size_ && isWhitespace(data_[pos_]))
            ++pos_;
    }
    bool fail(const std::string& what) {
        error_ = what + " at line " + std::to_string(lineAt(pos_));
        return false;
    }
    size_t lineAt(size_t at) const {
        return 1 + static_cast<size_t>(std::count(data_, data_ + std::min(at, size_), '\n'));
    }

    SgfNode* newNode(std::unique_ptr<SgfNode>& root, Frame& frame);
    bool readProperties(SgfNode& node);
    bool readValue(std::string& value);
    std::string unescape(size_t begin, size_t end) const;
    std::string toUtf8(std::string raw) const;

    const unsigned char* data_;
    size_t size_;
    size_t pos_ = 0;
    SgfEncoding encoding_;
    bool isUtf8_;
    size_t nodeCount_ = 0;
    bool truncated_ = false;  // the input ended inside a value
    size_t valueCount_ = 0;
    std::string error_;
};

std::unique_ptr<SgfNode> SgfParser::parseFirstTree(std::string& error) {
    // Everything before the game tree is ignored. It starts at the first "(", or when that
    // does not parse (a "(" in prose before the record) at the first "(" followed by ";".
    // A file that starts with ";" lost its "(" but is read all the same.
    size_t firstParenthesis = size_;
    size_t firstTree = size_;
    for (size_t at = 0; at < size_; at += characterLength(encoding_.grouping, data_ + at, size_ - at)) {
        if (data_[at] != '(')
            continue;
        firstParenthesis = std::min(firstParenthesis, at);
        size_t next = at + 1;
        while (next < size_ && isWhitespace(data_[next]))
            ++next;
        if (next < size_ && data_[next] == ';') {
            firstTree = at;
            break;
        }
    }
    if (firstParenthesis == size_) {
        skipWhitespace();
        if (pos_ >= size_ || data_[pos_] != ';') {
            error = "no game tree: the file holds no \"(\"";
            return nullptr;
        }
        return parseTreeAt(pos_, error);
    }
    auto root = parseTreeAt(firstParenthesis + 1, error);
    if (!root && firstTree != size_ && firstTree != firstParenthesis) {
        nodeCount_ = valueCount_ = 0;
        truncated_ = false;
        root = parseTreeAt(firstTree + 1, error);
    }
    return root;
}

std::unique_ptr<SgfNode> SgfParser::parseTreeAt(size_t start, std::string& error) {
    pos_ = start;
    std::unique_ptr<SgfNode> root;
    std::vector<Frame> frames(1);
    while (!frames.empty()) {
        skipWhitespace();
        if (pos_ >= size_) {
            // A file cut off after its nodes keeps what it has, as other editors do.
            if (root)
                break;
            error = "the file ends inside the game tree";
            return nullptr;
        }
        const unsigned char c = data_[pos_];
        if (c == ';' || (isLetter(c) && !frames.back().last)) {
            if (c == ';')
                ++pos_;
            SgfNode* node = newNode(root, frames.back());
            if (!node || !readProperties(*node)) {
                // A file cut off inside a value keeps the nodes before it, as other editors do.
                if (truncated_ && root)
                    break;
                error = error_;
                return nullptr;
            }
        } else if (c == '(') {
            // A variation directly after "(" hangs from an empty node, as in "((;B[aa]))".
            if (!frames.back().last && !newNode(root, frames.back())) {
                error = error_;
                return nullptr;
            }
            ++pos_;
            frames.push_back({frames.back().last, nullptr});
        } else if (c == ')') {
            ++pos_;
            frames.pop_back();
        } else {
            // A byte that prints is quoted; any other (NUL, a control, part of a multi-byte
            // character) is named by its value, so the message stays readable.
            char what[32];
            if (c > 0x20 && c < 0x7F)
                std::snprintf(what, sizeof what, "'%c'", static_cast<char>(c));
            else
                std::snprintf(what, sizeof what, "byte 0x%02X", static_cast<unsigned>(c));
            fail(std::string("unexpected character ") + what);
            error = error_;
            return nullptr;
        }
    }
    if (!root)
        error = "the game tree is empty";
    return root;
}

SgfNode* SgfParser::newNode(std::unique_ptr<SgfNode>& root, Frame& frame) {
    if (++nodeCount_ > SgfReader::kMaxNodes) {
        fail("more than " + std::to_string(SgfReader::kMaxNodes) + " nodes");
        return nullptr;
    }
    auto node = std::make_unique<SgfNode>();
    SgfNode* stored = node.get();
    if (frame.last)
        frame.last->addChild(std::move(node));
    else if (frame.parent)
        frame.parent->addChild(std::move(node));
    else if (!root)
        root = std::move(node);
    else
        frame.parent = root.get(), root->addChild(std::move(node));
    frame.last = stored;
    return stored;
}

bool SgfParser::readProperties(SgfNode& node) {
    for (;;) {
        skipWhitespace();
        if (pos_ >= size_ || !isLetter(data_[pos_]))
            return true;
        // Old files spell identifiers with lower-case letters ("CoPyright"): the capitals name it.
        std::string identifier;
        while (pos_ < size_ && isLetter(data_[pos_])) {
            if (isUpper(data_[pos_]))
                identifier += static_cast<char>(data_[pos_]);
            ++pos_;
        }
        skipWhitespace();
        if (pos_ >= size_ || data_[pos_] != '[')
            return fail("property " + (identifier.empty() ? std::string("without a name") : identifier) +
                        " has no value");
        SgfProperty property;
        property.identifier = std::move(identifier);
        do {
            std::string value;
            if (!readValue(value))
                return false;
            property.values.push_back(std::move(value));
            skipWhitespace();
        } while (pos_ < size_ && data_[pos_] == '[');
        if (!property.identifier.empty())
            node.properties().push_back(std::move(property));
    }
}

bool SgfParser::readValue(std::string& value) {
    const size_t open = pos_;
    ++pos_;  // "["
    const size_t begin = pos_;
    bool escaped = false;
    if (encoding_.grouping == SgfByteGrouping::kSingleByte) {
        for (; pos_ < size_; ++pos_) {
            const unsigned char c = data_[pos_];
            if (c == '\\') {
                escaped = true;
                ++pos_;
            } else if (c == ']') {
                break;
            }
        }
    } else {
        while (pos_ < size_ && data_[pos_] != ']') {
            if (data_[pos_] == '\\') {
                escaped = true;
                ++pos_;
                if (pos_ >= size_)
                    break;
            }
            pos_ += charLength();
        }
    }
    if (pos_ >= size_) {
        truncated_ = true;
        pos_ = open;
        return fail("a value is not closed with \"]\"");
    }
    const size_t end = pos_;
    ++pos_;  // "]"
    ++valueCount_;
    bool hasReturn = std::find(data_ + begin, data_ + end, '\r') != data_ + end;
    if (escaped || hasReturn)
        value = toUtf8(unescape(begin, end));
    else
        value = toUtf8(std::string(reinterpret_cast<const char*>(data_ + begin), end - begin));
    return true;
}

// Removes escape backslashes ("\]" is "]"), soft line breaks (a backslash before a line end)
// and turns CR LF and lone CR into LF.
std::string SgfParser::unescape(size_t begin, size_t end) const {
    std::string out;
    out.reserve(end - begin);
    size_t at = begin;
    while (at < end) {
        const unsigned char c = data_[at];
        if (c == '\\' && at + 1 < end) {
            ++at;
            const unsigned char next = data_[at];
            if (next == '\n' || next == '\r') {
                ++at;
                if (at < end && (data_[at] == '\n' || data_[at] == '\r') && data_[at] != next)
                    ++at;
                continue;
            }
        } else if (c == '\\') {
            ++at;
            continue;
        } else if (c == '\r') {
            out += '\n';
            ++at;
            if (at < end && data_[at] == '\n')
                ++at;
            continue;
        }
        const size_t length = std::min(characterLength(encoding_.grouping, data_ + at, end - at), end - at);
        out.append(reinterpret_cast<const char*>(data_ + at), length);
        at += length;
    }
    return out;
}

std::string SgfParser::toUtf8(std::string raw) const {
    if (isAscii(raw))
        return raw;
    if (isUtf8_)
        return isValidUtf8(raw) ? raw : repairUtf8(raw);
    return toUtf8Lossy(raw, encoding_.name.c_str());
}

}  // namespace

std::unique_ptr<SgfNode> SgfReader::ReadFirstTree(const std::filesystem::path& file, std::string& error) {
    std::string bytes;
    if (!loadFileBytes(file, bytes, error))
        return nullptr;
    return ReadFirstTreeFromBytes(bytes, error);
}

std::unique_ptr<SgfNode> SgfReader::ReadFirstTreeFromBytes(const std::string& bytes, std::string& error,
                                                           SgfEncoding* encoding) {
    SgfEncoding decided;
    std::string converted;
    const std::string* text = &bytes;
    // A byte order mark decides the encoding outright; UTF-16 is turned into UTF-8 first.
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        converted = bytes.substr(3);
        text = &converted;
        decided = {"UTF-8", SgfByteGrouping::kSingleByte, "byte order mark"};
    } else if (bytes.size() >= 2 && (bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0)) {
        converted = toUtf8Lossy(bytes.substr(2), bytes[0] == '\xFF' ? "UTF-16LE" : "UTF-16BE");
        text = &converted;
        decided = {"UTF-8", SgfByteGrouping::kSingleByte, "byte order mark"};
    } else {
        decided = decideSgfEncoding(bytes);
    }
    SgfParser parser(*text, decided);
    auto root = parser.parseFirstTree(error);
    const bool guessed = decided.reason != "CA property" && decided.reason != "byte order mark";
    if (decided.grouping != SgfByteGrouping::kSingleByte && (!root || guessed)) {
        // A wrong two-byte guess swallows delimiters: damaged UTF-8 read as GBK loses "]"s and
        // so values. Reading byte by byte finds more values in such a file, and fails on real
        // two-byte text whose trail bytes look like delimiters.
        const SgfEncoding utf8{"UTF-8", SgfByteGrouping::kSingleByte, "UTF-8 (" + decided.name + " misreads it)"};
        std::string retryError;
        SgfParser retry(*text, utf8);
        auto retried = retry.parseFirstTree(retryError);
        if (retried && (!root || retry.valueCount() > parser.valueCount())) {
            root = std::move(retried);
            decided = utf8;
        }
    }
    if (encoding)
        *encoding = decided;
    return root;
}

}  // namespace tessera
