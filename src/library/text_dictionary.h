#pragma once
// The dictionary of data texts (player names, events, places) stored in Simplified Chinese:
// translation into English from dic.db, and conversion between Simplified and Traditional
// Chinese with dictionary entries taking precedence over OpenCC.
//
// dic.db holds the table GB2Other (ID, GB_TEXT, English_Text, Big5_Text). Entries keep their
// load order; the index maps each source text to its latest entry, so when a source text
// occurs twice the row read later wins. Texts are UTF-8 and compared byte for byte.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace tessera {

class Database;

class TextDictionary {
public:
    // Lookup modes. Any other value makes every lookup fail.
    static constexpr int kToEnglish = 0;        // Simplified -> English, no fallback
    static constexpr int kToTraditional = 1;    // Simplified -> Traditional, falling back to GbToBig5
    static constexpr int kToSimplified = 1000;  // Traditional -> Simplified, falling back to Big5ToGb

    struct Entry {
        int32_t id = 0;
        std::string source;  // Simplified Chinese
        std::string target;  // English or Traditional Chinese
    };

    explicit TextDictionary(int mode = kToEnglish) : mode_(mode) {}

    int mode() const { return mode_; }
    // Sets the mode and keeps the entries (a dictionary with no entries only converts).
    void setMode(int mode) { mode_ = mode; }

    // Clears the dictionary, sets the mode, and reads GB2Other in ID order: English_Text for
    // kToEnglish, Big5_Text for kToTraditional; rows with an empty target are skipped. False
    // (and empty) for any other mode or when the query fails; true when it ran.
    bool Load(Database& database, int mode);

    // Appends one entry (as Load does for a row); ignored when target is empty.
    void addEntry(int32_t id, std::string source, std::string target);
    // No entries; the mode stays.
    void clear();
    size_t size() const { return index_.size(); }
    const std::vector<Entry>& entries() const { return entries_; }

    // Translates text by mode. Empty text: out becomes "" and the result is false. kToEnglish:
    // out becomes the entry's target, or stays as it was when there is none. kToTraditional /
    // kToSimplified: out becomes the entry's target, else the OpenCC conversion of text.
    // True when out is not empty afterwards (and a lookup in a known mode was made).
    bool Translate(const std::string& text, std::string& out) const;

    // Translate with the field as input and output.
    bool TranslateInPlace(std::string& field) const;

    // Translate for a person's name: the same, except that kToTraditional falls back to the
    // person-name rule (personNameToTraditional), which keeps surnames as surnames.
    bool TranslateName(const std::string& name, std::string& out) const;
    bool TranslateNameInPlace(std::string& field) const;

private:
    const Entry* find(const std::string& text) const;

    int mode_;
    std::vector<Entry> entries_;
    std::unordered_map<std::string, size_t> index_;
};

}  // namespace tessera
