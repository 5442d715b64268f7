#include "library/text_dictionary.h"

#include <new>

#include "library/database_query.h"
#include "library/database_text.h"
#include "platform/chinese_script.h"
#include "platform/person_name_script.h"

namespace tessera {

bool TextDictionary::Load(Database& database, int mode) {
    clear();
    mode_ = mode;
    const char* sql = nullptr;
    if (mode == kToEnglish)
        sql = "SELECT ID, GB_TEXT, English_Text FROM GB2Other ORDER BY ID ASC";
    else if (mode == kToTraditional)
        sql = "SELECT ID, GB_TEXT, Big5_Text FROM GB2Other ORDER BY ID ASC ";
    else
        return false;
    try {
        Query query(database);
        if (!openQuery(query, sql))
            return !query.failed();  // an empty table loads fine
        do
            addEntry(leadingInteger(query.text(0)), query.text(1), query.text(2));
        while (query.next());
        if (query.failed()) {
            clear();
            return false;
        }
        return true;
    } catch (const std::bad_alloc&) {
        clear();
        return false;
    }
}

void TextDictionary::addEntry(int32_t id, std::string source, std::string target) {
    if (target.empty())
        return;
    entries_.push_back({id, std::move(source), std::move(target)});
    // The later row wins: the index moves on, the earlier entry stays but is no longer reached.
    index_[entries_.back().source] = entries_.size() - 1;
}

void TextDictionary::clear() {
    entries_.clear();
    index_.clear();
}

const TextDictionary::Entry* TextDictionary::find(const std::string& text) const {
    const auto it = index_.find(text);
    return it == index_.end() ? nullptr : &entries_[it->second];
}

bool TextDictionary::Translate(const std::string& text, std::string& out) const {
    if (text.empty()) {
        out.clear();
        return false;
    }
    const Entry* entry = find(text);
    switch (mode_) {
        case kToEnglish:
            if (!entry)
                return false;
            out = entry->target;
            break;
        case kToTraditional:
            out = entry ? entry->target : GbToBig5(text);
            break;
        case kToSimplified:
            out = entry ? entry->target : Big5ToGb(text);
            break;
        default:
            return false;
    }
    return !out.empty();
}

bool TextDictionary::TranslateInPlace(std::string& field) const {
    const std::string source = field;
    return Translate(source, field);
}

bool TextDictionary::TranslateName(const std::string& name, std::string& out) const {
    if (mode_ != kToTraditional || name.empty())
        return Translate(name, out);
    // The dictionary first (the usual forms of known players), then the surname table, and
    // only then plain text conversion.
    const Entry* entry = find(name);
    out = entry ? entry->target : personNameToTraditional(name);
    return !out.empty();
}

bool TextDictionary::TranslateNameInPlace(std::string& field) const {
    const std::string source = field;
    return TranslateName(source, field);
}

}  // namespace tessera
