#include "record/sgf_file.h"

#include "record/record_bytes.h"
#include "record/sgf_reader.h"
#include "record/sgf_record_conversion.h"
#include "record/sgf_writer.h"

namespace tessera {

bool readSgfBytes(const std::string& bytes, GameRecord& record, std::string& error) {
    record.clear();
    const auto root = SgfReader::ReadFirstTreeFromBytes(bytes, error);
    if (root && sgfTreeToRecord(*root, record, error))
        return true;
    record.clear();
    return false;
}

bool loadSgfFile(const std::filesystem::path& file, GameRecord& record, std::string& error) {
    record.clear();
    std::string bytes;
    return loadFileBytes(file, bytes, error) && readSgfBytes(bytes, record, error);
}

bool writeSgfBytes(const GameRecord& record, std::string& bytes, std::string& error) {
    const auto root = recordToSgfTree(record, error);
    if (!root)
        return false;
    bytes = SgfWriter::PrintTrees({root.get()});
    return true;
}

bool saveSgfFile(const std::filesystem::path& file, const GameRecord& record, std::string& error) {
    std::string bytes;
    return writeSgfBytes(record, bytes, error) && saveFileBytes(file, bytes, error);
}

}  // namespace tessera
