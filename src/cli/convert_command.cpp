// tessera-cli convert: any readable record file to SGF or SGG, by the output's extension.

#include <iostream>
#include <string>
#include <vector>

#include "cli/command_table.h"
#include "record/game_record.h"
#include "record/occupied_point_check.h"
#include "record/record_file.h"

namespace tessera::cli {
namespace {

const char* kConvertHelp =
    "Usage: tessera-cli convert IN OUT\n"
    "Reads the record IN (.sgf, .gib or .sgg) and writes it to OUT in the format OUT's\n"
    "extension names (.sgf or .sgg). OUT is replaced atomically. A record whose moves land\n"
    "on occupied points is converted with a warning on standard error.\n";

int runConvert(const std::vector<std::string>& args) {
    if (wantsHelp(args)) {
        std::cout << kConvertHelp;
        return 0;
    }
    if (args.size() != 2)
        return failWith("convert: needs exactly two files, IN and OUT (see convert --help)");
    GameRecord record;
    std::string error;
    if (!loadRecordFile(args[0], record, error))
        return failWith("convert: " + args[0] + ": " + error);
    // Written all the same (the file holds what it holds), but never silently.
    if (const std::string warning = occupiedPointWarning(record); !warning.empty())
        std::cerr << "tessera-cli: convert: warning: " << args[0] << ": " << warning << "\n";
    if (!saveRecordFile(args[1], record, error))
        return failWith("convert: " + args[1] + ": " + error);
    return 0;
}

const CliCommandRegistration registration("convert", "convert a record file to SGF or SGG", runConvert);

}  // namespace
}  // namespace tessera::cli
