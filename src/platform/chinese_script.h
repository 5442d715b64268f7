#pragma once
// Simplified <-> Traditional Chinese conversion of UTF-8 texts, through OpenCC.
//
// The data texts of the library and of record files are Simplified Chinese; for the
// Traditional Chinese interface they are converted with the Taiwan phrase set (s2twp), and
// Traditional texts are brought back with t2s. The names keep those of the code-page era
// ("GB" = Simplified, "Big5" = Traditional); real Big5 bytes are met only at file boundaries
// and go through text_codec.h.
//
// When OpenCC or its data files are missing, texts come back unchanged (and it is logged once).
// Safe to call from any thread.

#include <string>

namespace tessera {

// The text with Simplified characters and phrases replaced by Traditional (Taiwan) ones.
// Text that is not valid UTF-8 comes back unchanged; "" gives "".
std::string GbToBig5(const std::string& text);

// The text with Traditional characters replaced by Simplified ones; same rules.
std::string Big5ToGb(const std::string& text);

// True when both OpenCC configurations could be loaded.
bool chineseConversionAvailable();

}  // namespace tessera
