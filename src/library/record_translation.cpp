#include "library/record_translation.h"

#include "library/database.h"
#include "platform/diagnostics.h"

namespace tessera {
namespace {

// A record's text language uses the interface language's numbers.
constexpr int kSimplified = kLanguageSimplifiedChinese;
constexpr int kTraditional = kLanguageTraditionalChinese;

void translateInfo(GameInfo& info, const TextDictionary& dictionary) {
    for (std::string* field : {&info.event, &info.gameName, &info.date, &info.place, &info.timeLimit, &info.rulesText,
                               &info.blackRank, &info.whiteRank, &info.resultText, &info.writer, &info.source})
        dictionary.TranslateInPlace(*field);
    // The players' names keep their surnames.
    dictionary.TranslateNameInPlace(info.blackName);
    dictionary.TranslateNameInPlace(info.whiteName);
}

void translateNode(GameNode& node, const TextDictionary& dictionary) {
    dictionary.TranslateInPlace(node.name);
    for (Comment& comment : node.comments) {
        dictionary.TranslateInPlace(comment.title);
        dictionary.TranslateInPlace(comment.body);
    }
    for (Label& label : node.labels) {
        std::string text = label.text;
        dictionary.TranslateInPlace(text);
        if (!text.empty() && gbByteLength(text) <= Label::kMaxLabelBytes)
            label.text = std::move(text);
    }
}

}  // namespace

void TranslateRecord(GameRecord& record, const TextDictionary& dictionary) {
    translateInfo(record.info, dictionary);
    for (RecordTag& tag : record.tags)
        dictionary.TranslateInPlace(tag.text);
    for (const auto& node : record.tree.nodes())
        translateNode(*node, dictionary);
}

bool translateRecordForInterface(GameRecord& record, int textLanguage, InterfaceLanguage interfaceLanguage,
                                 const TextDictionary& interfaceDictionary) {
    if (textLanguage == kTraditional && interfaceLanguage == kLanguageSimplifiedChinese) {
        const TextDictionary toSimplified(TextDictionary::kToSimplified);
        TranslateRecord(record, toSimplified);
        return true;
    }
    if (textLanguage == kSimplified &&
        (interfaceLanguage == kLanguageEnglish || interfaceLanguage == kLanguageTraditionalChinese)) {
        TranslateRecord(record, interfaceDictionary);
        return true;
    }
    return false;
}

bool prepareInterfaceDictionary(TextDictionary& dictionary, InterfaceLanguage interfaceLanguage,
                                const std::string& dictionaryPath) {
    dictionary.clear();
    if (interfaceLanguage == kLanguageSimplifiedChinese) {
        dictionary.setMode(TextDictionary::kToTraditional);
        return true;
    }
    // English needs the dictionary. The Traditional interface reads its Traditional entries
    // too: OpenCC alone turns the surnames 朴, 范 and 余 into 樸, 範 and 餘.
    const int mode =
        interfaceLanguage == kLanguageEnglish ? TextDictionary::kToEnglish : TextDictionary::kToTraditional;
    dictionary.setMode(mode);
    Database database;
    database.setConnectionTemplate(localFileConnectionTemplate());
    if (connect(database, dictionaryPath) != 1) {
        logDiagnostic("dictionary " + dictionaryPath + " cannot be opened: " + database.lastError());
        return false;
    }
    if (!dictionary.Load(database, mode)) {
        dictionary.setMode(mode);
        logDiagnostic("dictionary " + dictionaryPath + " cannot be read: " + database.lastError());
        return false;
    }
    return true;
}

}  // namespace tessera
