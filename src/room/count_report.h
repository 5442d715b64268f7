#pragma once
// The words of a count: the report the room shows while the board carries the ownership
// marks, the short summary in the title, and the refusal for rules that cannot be counted.
// Translated into the interface language.

#include <string>

#include "go/counting.h"

namespace tessera {

// "黑胜", "白胜" or "平局" and the margin ("0.25 子" for an area count, "1.5目" for a territory
// count; nothing for equal scores), two spaces apart.
std::string countSummary(const CountResult& result);
// The message box text: each side's sum, then the summary.
std::string countReport(const CountResult& result);
// The message for a rule type that cannot be counted.
std::string countRefusal();

}  // namespace tessera
