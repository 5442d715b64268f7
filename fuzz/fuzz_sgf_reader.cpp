// libFuzzer target: SGF bytes through the reader, the record converter and back out.

#include <cstddef>
#include <cstdint>
#include <string>

#include "exercise_room.h"
#include "record/sgf_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    tessera::GameRecord record;
    std::string error;
    if (tessera::readSgfBytes(bytes, record, error)) {
        tessera::fuzz::exerciseRoom(record);
        std::string text;
        if (tessera::writeSgfBytes(record, text, error)) {
            tessera::GameRecord again;
            tessera::readSgfBytes(text, again, error);
        }
    }
    return 0;
}
