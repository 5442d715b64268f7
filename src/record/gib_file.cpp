#include "record/gib_file.h"

#include "record/gib_reader.h"
#include "record/record_bytes.h"

namespace tessera {

bool readGibBytes(const std::string& bytes, GameRecord& record, std::string& error) {
    record.clear();
    GibReader reader;
    if (!reader.readBytes(bytes, error))
        return false;
    gibToRecord(reader, record);
    return true;
}

bool loadGibFile(const std::filesystem::path& file, GameRecord& record, std::string& error) {
    record.clear();
    std::string bytes;
    return loadFileBytes(file, bytes, error) && readGibBytes(bytes, record, error);
}

}  // namespace tessera
