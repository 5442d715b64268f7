#pragma once
// The translator a room uses for records it opens: the record's langType says in which
// language its texts are (2 Traditional Chinese, 0 English, anything else Simplified
// Chinese), and translateRecordForInterface converts them for the interface language.

#include "library/text_dictionary.h"
#include "platform/interface_language.h"
#include "room/room_settings.h"

namespace tessera {

// The text language (0, 1 or 2) of a record by its langType.
int recordTextLanguage(const GameRecord& record);

// A translator for the interface language (0 English, 1 Simplified, 2 Traditional) that uses
// the process-wide dictionary; the dictionary must outlive every room that holds the translator.
RecordTranslator interfaceRecordTranslator(InterfaceLanguage interfaceLanguage, const TextDictionary& dictionary);

}  // namespace tessera
