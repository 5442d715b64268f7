#include "platform/person_name_script.h"

#include <array>
#include <string_view>
#include <utility>

#include "platform/chinese_script.h"
#include "platform/text_codec.h"

namespace tessera {
namespace {

// Surnames (Simplified, Traditional) that general conversion turns into another word. Double
// surnames come first, so the longest match wins.
constexpr std::array<std::pair<std::string_view, std::string_view>, 26> kSurnames = {{
    {"淳于", "淳于"}, {"单于", "單于"}, {"鲜于", "鮮于"}, {"钟离", "鍾離"}, {"万俟", "万俟"}, {"余", "余"},
    {"于", "于"},     {"范", "范"},     {"郁", "郁"},     {"游", "游"},     {"朴", "朴"},     {"钟", "鍾"},
    {"后", "后"},     {"干", "干"},     {"种", "种"},     {"涂", "涂"},     {"咸", "咸"},     {"岳", "岳"},
    {"党", "党"},     {"丑", "丑"},     {"适", "适"},     {"占", "占"},     {"台", "台"},     {"征", "征"},
    {"里", "里"},     {"筑", "筑"},
}};

constexpr std::array<std::string_view, 7> kSeparators = {" ", "\t", "、", "/", "&", ",", "，"};

size_t separatorAt(const std::string& text, size_t at) {
    for (const std::string_view separator : kSeparators)
        if (text.compare(at, separator.size(), separator) == 0)
            return separator.size();
    return 0;
}

std::string convertOneName(const std::string& name) {
    for (const auto& [simplified, traditional] : kSurnames)
        if (name.compare(0, simplified.size(), simplified) == 0)
            return std::string(traditional) + GbToBig5(name.substr(simplified.size()));
    return GbToBig5(name);
}

}  // namespace

std::string personNameToTraditional(const std::string& name) {
    if (!isValidUtf8(name))
        return name;
    std::string out;
    std::string current;
    for (size_t at = 0; at < name.size();) {
        if (const size_t length = separatorAt(name, at)) {
            out += convertOneName(current);
            current.clear();
            out.append(name, at, length);
            at += length;
        } else {
            current += name[at++];
        }
    }
    out += convertOneName(current);
    return out;
}

}  // namespace tessera
