// libFuzzer target: GIB bytes through the reader and the import.

#include <cstddef>
#include <cstdint>
#include <string>

#include "exercise_room.h"
#include "record/gib_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    tessera::GameRecord record;
    std::string error;
    if (tessera::readGibBytes(bytes, record, error))
        tessera::fuzz::exerciseRoom(record);
    return 0;
}
