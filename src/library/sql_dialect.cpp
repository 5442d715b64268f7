#include "library/sql_dialect.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <utility>
#include <vector>

namespace tessera {
namespace {

bool isWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

size_t skipSpace(const std::string& s, size_t i) {
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i])))
        ++i;
    return i;
}

// End (one past) of the quoted run starting at s[i] with the given closing character; a doubled
// closing character is an escaped one. Unterminated runs end at the end of the text.
size_t quotedEnd(const std::string& s, size_t i, char close) {
    for (size_t j = i + 1; j < s.size(); ++j) {
        if (s[j] != close)
            continue;
        if (close != ']' && j + 1 < s.size() && s[j + 1] == close) {
            ++j;
            continue;
        }
        return j + 1;
    }
    return s.size();
}

// End of a comment starting at s[i], or i when none starts there.
size_t commentEnd(const std::string& s, size_t i) {
    if (s.compare(i, 2, "--") == 0) {
        const size_t end = s.find('\n', i);
        return end == std::string::npos ? s.size() : end;
    }
    if (s.compare(i, 2, "/*") == 0) {
        const size_t end = s.find("*/", i + 2);
        return end == std::string::npos ? s.size() : end + 2;
    }
    return i;
}

// An Access LIKE pattern literal ('...') rewritten with standard wildcards.
std::string convertLikePattern(const std::string& literal) {
    if (literal.find('%') != std::string::npos || literal.find('_') != std::string::npos)
        return literal;
    std::string out = literal;
    for (size_t k = 1; k + 1 < out.size(); ++k) {
        if (out[k] == '*')
            out[k] = '%';
        else if (out[k] == '?')
            out[k] = '_';
    }
    return out;
}

// True when s[i..] is "#digits-digits-digits#" (optionally with a time); sets end.
bool isDateLiteral(const std::string& s, size_t i, size_t& end) {
    size_t j = i + 1;
    bool sawDigit = false;
    while (
        j < s.size() && j - i < 32 &&
        (std::isdigit(static_cast<unsigned char>(s[j])) || s[j] == '-' || s[j] == '/' || s[j] == ':' || s[j] == ' ')) {
        sawDigit |= std::isdigit(static_cast<unsigned char>(s[j])) != 0;
        ++j;
    }
    if (j < s.size() && s[j] == '#' && sawDigit) {
        end = j + 1;
        return true;
    }
    return false;
}

// Where " LIMIT n" goes for a statement part ending just before `end`: before trailing
// white space and semicolons.
size_t limitInsertPoint(const std::string& out, size_t end) {
    while (end > 0 && (std::isspace(static_cast<unsigned char>(out[end - 1])) || out[end - 1] == ';'))
        --end;
    return end;
}

// An Access "string" as a standard 'string'.
std::string singleQuoted(const std::string& doubleQuoted) {
    std::string out = "'";
    const size_t end =
        doubleQuoted.size() >= 2 && doubleQuoted.back() == '"' ? doubleQuoted.size() - 1 : doubleQuoted.size();
    for (size_t k = 1; k < end; ++k) {
        const char c = doubleQuoted[k];
        if (c == '"' && k + 1 < end && doubleQuoted[k + 1] == '"')
            ++k;
        if (c == '\'')
            out += '\'';
        out += c;
    }
    return out + "'";
}

// An Access [identifier]: a plain word stays unquoted (and folds like every other name);
// anything else becomes a quoted identifier in the case the engine folds names to.
std::string bracketIdentifier(const std::string& bracketed) {
    const size_t end = bracketed.size() >= 2 && bracketed.back() == ']' ? bracketed.size() - 1 : bracketed.size();
    const std::string name = bracketed.substr(1, end - 1);
    const bool plain = !name.empty() && !std::isdigit(static_cast<unsigned char>(name[0])) &&
                       std::all_of(name.begin(), name.end(), isWordChar);
    if (plain)
        return name;
    std::string out = "\"";
    for (char c : name) {
        if (c == '"')
            out += '"';
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out + "\"";
}

// The PostgreSQL spelling of an Access word, or the word itself.
std::string postgresWord(const std::string& word, bool inDefinition) {
    if (equalsIgnoringCase(word, "LIKE"))
        return "ILIKE";
    if (equalsIgnoringCase(word, "TRUE"))
        return "-1";
    if (equalsIgnoringCase(word, "FALSE"))
        return "0";
    if (inDefinition && (equalsIgnoringCase(word, "BLOB") || equalsIgnoringCase(word, "LONGBINARY")))
        return "BYTEA";
    if (inDefinition && equalsIgnoringCase(word, "COUNTER"))
        return "SERIAL";
    return word;
}

}  // namespace

std::string adaptAccessSql(const std::string& sql, SqlDialect dialect) {
    const bool postgres = dialect == SqlDialect::postgresql;
    bool inDefinition = false;  // a CREATE or ALTER statement: column types may be renamed
    bool sawWord = false;
    std::string out;
    out.reserve(sql.size() + 16);
    // Pending LIMIT clauses: (parenthesis depth, count text).
    std::vector<std::pair<int, std::string>> pendingLimits;
    int depth = 0;
    std::string previousWord, wordBeforePrevious;

    auto flushLimitsAtDepth = [&](int level) {
        while (!pendingLimits.empty() && pendingLimits.back().first == level) {
            const size_t at = limitInsertPoint(out, out.size());
            out.insert(at, " LIMIT " + pendingLimits.back().second);
            pendingLimits.pop_back();
        }
    };

    size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        if (const size_t end = commentEnd(sql, i); end != i) {
            out.append(sql, i, end - i);
            i = end;
            continue;
        }
        if (c == '\'' || c == '"' || c == '[' || c == '`') {
            const size_t end = quotedEnd(sql, i, c == '[' ? ']' : c);
            std::string literal = sql.substr(i, end - i);
            const bool text = c == '\'' || (c == '"' && postgres);
            if (c == '"' && postgres)
                literal = singleQuoted(literal);
            else if (c == '[' && postgres)
                literal = bracketIdentifier(literal);
            if (text && equalsIgnoringCase(previousWord, "LIKE"))
                literal = convertLikePattern(literal);
            out += literal;
            previousWord = text ? "'" : "identifier";
            i = end;
            continue;
        }
        if (c == '#') {
            size_t end = 0;
            if (isDateLiteral(sql, i, end)) {
                out += '\'';
                out.append(sql, i + 1, end - i - 2);
                out += '\'';
                i = end;
                previousWord = "'";
                continue;
            }
        }
        if (c == '(') {
            ++depth;
            out += c;
            ++i;
            previousWord = "(";
            continue;
        }
        if (c == ')') {
            flushLimitsAtDepth(depth);
            if (depth > 0)
                --depth;
            out += c;
            ++i;
            previousWord = ")";
            continue;
        }
        if (isWordChar(c)) {
            size_t end = i;
            while (end < sql.size() && isWordChar(sql[end]))
                ++end;
            const std::string word = sql.substr(i, end - i);
            if (!sawWord) {
                sawWord = true;
                inDefinition = equalsIgnoringCase(word, "CREATE") || equalsIgnoringCase(word, "ALTER");
            }
            // SELECT [DISTINCT|ALL] TOP n: drop "TOP n" here, add LIMIT n at the end of this level.
            const bool afterSelect =
                equalsIgnoringCase(previousWord, "SELECT") ||
                ((equalsIgnoringCase(previousWord, "DISTINCT") || equalsIgnoringCase(previousWord, "ALL")) &&
                 equalsIgnoringCase(wordBeforePrevious, "SELECT"));
            if (equalsIgnoringCase(word, "TOP") && afterSelect) {
                size_t numberStart = skipSpace(sql, end);
                size_t numberEnd = numberStart;
                while (numberEnd < sql.size() && std::isdigit(static_cast<unsigned char>(sql[numberEnd])))
                    ++numberEnd;
                const size_t after = skipSpace(sql, numberEnd);
                size_t nextWordEnd = after;
                while (nextWordEnd < sql.size() && isWordChar(sql[nextWordEnd]))
                    ++nextWordEnd;
                const bool percent =
                    equalsIgnoringCase(std::string_view(sql).substr(after, nextWordEnd - after), "PERCENT");
                if (numberEnd > numberStart && numberEnd - numberStart <= 18 && !percent &&
                    (numberEnd == sql.size() || !isWordChar(sql[numberEnd]))) {
                    pendingLimits.emplace_back(depth, sql.substr(numberStart, numberEnd - numberStart));
                    // Keep one space between SELECT [DISTINCT] and what follows.
                    i = after;
                    continue;
                }
            }
            // DELETE * FROM -> DELETE FROM.
            if (equalsIgnoringCase(word, "DELETE")) {
                const size_t star = skipSpace(sql, end);
                if (star < sql.size() && sql[star] == '*') {
                    const size_t from = skipSpace(sql, star + 1);
                    if (from + 4 <= sql.size() && equalsIgnoringCase(std::string_view(sql).substr(from, 4), "FROM") &&
                        (from + 4 == sql.size() || !isWordChar(sql[from + 4]))) {
                        out += word;
                        out += ' ';
                        i = from;
                        wordBeforePrevious = previousWord;
                        previousWord = word;
                        continue;
                    }
                }
            }
            // A column type follows its column's name.
            const bool typePosition = inDefinition && !previousWord.empty() && isWordChar(previousWord[0]);
            out += postgres ? postgresWord(word, typePosition) : word;
            wordBeforePrevious = previousWord;
            previousWord = word;
            i = end;
            continue;
        }
        if (!std::isspace(static_cast<unsigned char>(c)) && c != ';')
            previousWord = std::string(1, c);
        out += c;
        ++i;
    }
    // Limits of unclosed levels (and of the top level) go at the end.
    while (!pendingLimits.empty())
        flushLimitsAtDepth(pendingLimits.back().first);
    return out;
}

}  // namespace tessera
