#pragma once
// Translating the texts of a whole game record for the interface language, and the
// preparation of the process-wide dictionary at start-up.
//
// Languages are the interface indexes: 0 English, 1 Simplified Chinese, 2 Traditional Chinese.

#include <string>

#include "library/text_dictionary.h"
#include "platform/interface_language.h"
#include "record/game_record.h"

namespace tessera {

// Applies dictionary.TranslateInPlace to every text of the record: the text fields of the
// game information (the players' names through TranslateNameInPlace), the tag texts, and each
// node's name, comment titles and bodies, and label texts. A label whose translation would no longer fit a label (4
// bytes as stored) keeps its text. Fields the dictionary does not translate stay as they are.
void TranslateRecord(GameRecord& record, const TextDictionary& dictionary);

// Translates a record just opened whose texts are in textLanguage (1 Simplified, 2
// Traditional) for the interface language: Traditional texts under the Simplified interface go
// through Big5ToGb; Simplified texts under the English or Traditional interface go through
// interfaceDictionary; every other combination leaves the record unchanged. True when the
// record was translated.
bool translateRecordForInterface(GameRecord& record, int textLanguage, InterfaceLanguage interfaceLanguage,
                                 const TextDictionary& interfaceDictionary);

// Sets up the process-wide dictionary for the interface language: English loads the English
// texts of the dictionary file; Traditional Chinese loads its Traditional texts (the usual
// forms of names that OpenCC gets wrong) and converts everything else with GbToBig5;
// Simplified Chinese gets the Traditional mode with no entries. A file that cannot be opened
// or read leaves the dictionary empty in its mode (English texts then stay Chinese) and
// gives false.
bool prepareInterfaceDictionary(TextDictionary& dictionary, InterfaceLanguage interfaceLanguage,
                                const std::string& dictionaryPath);

}  // namespace tessera
