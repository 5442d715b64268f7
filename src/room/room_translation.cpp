#include "room/room_translation.h"

#include "library/record_translation.h"

namespace tessera {

int recordTextLanguage(const GameRecord& record) {
    if (record.info.langType == 2)
        return 2;
    if (record.info.langType == 0)
        return 0;
    return 1;  // unknown (-1) or Simplified: the library's and most Chinese records' language
}

RecordTranslator interfaceRecordTranslator(InterfaceLanguage interfaceLanguage, const TextDictionary& dictionary) {
    const TextDictionary* shared = &dictionary;
    return [interfaceLanguage, shared](GameRecord& record) {
        translateRecordForInterface(record, recordTextLanguage(record), interfaceLanguage, *shared);
    };
}

}  // namespace tessera
