#pragma once
// Simplified -> Traditional Chinese conversion of a person's name. General text conversion
// reads a surname as an ordinary word (余 becomes 餘, 游 becomes 遊, 钟 becomes 鐘 in some
// phrases): here a leading surname from a table of the surnames whose conversion differs keeps
// its surname form, and only the given name goes through GbToBig5, on its own.

#include <string>

namespace tessera {

// The name (UTF-8) in Traditional Chinese. Several names in one text, separated by spaces,
// "、", "/", "&" or commas, are each converted so. Text that is not valid UTF-8 comes back
// unchanged; "" gives "".
std::string personNameToTraditional(const std::string& name);

}  // namespace tessera
