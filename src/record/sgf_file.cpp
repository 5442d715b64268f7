#include "record/sgf_file.h"

#include "record/record_bytes.h"
#include "record/sgf_reader.h"
#include "record/sgf_record_conversion.h"
#include "record/sgf_writer.h"

namespace tessera {

bool readSgfRecord(const std::string& bytes, GameRecord& record, std::string& error) {
    record.clear();
    const auto root = SgfReader::ReadFirstTreeFromBytes(bytes, error);
    return root && sgfTreeToRecord(*root, record, error);
}

bool LoadSgfFile(const std::filesystem::path& file, GameRecord& record, std::string& error) {
    record.clear();
    std::string bytes;
    if (!readRecordBytes(file, bytes, error))
        return false;
    return readSgfRecord(bytes, record, error);
}

bool sgfRecordText(const GameRecord& record, std::string& text, std::string& error) {
    const auto root = recordToSgfTree(record, error);
    if (!root)
        return false;
    text = SgfWriter::PrintTrees({root.get()});
    return true;
}

bool SaveSgfFile(const std::filesystem::path& file, const GameRecord& record, std::string& error) {
    std::string text;
    return sgfRecordText(record, text, error) && writeRecordBytes(file, text, error);
}

}  // namespace tessera
