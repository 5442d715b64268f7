// libFuzzer target: GIB bytes through the reader and the import.

#include <cstddef>
#include <cstdint>
#include <string>

#include "record/gib_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    tessera::GibReader reader;
    std::string error;
    if (reader.readBytes(bytes, error)) {
        tessera::GameRecord record;
        tessera::ImportGib(reader, record);
    }
    return 0;
}
