#pragma once
// The rules a record is counted under: what its header states (RU, KM), and the room's own
// rules for whatever it leaves unsaid.

#include "record/game_info.h"
#include "room/room_settings.h"

namespace tessera {

// The rule type the header states: its ruleType when 1-4, else the rule named in the RU text
// in English ("Chinese", "Japanese", "Korean", "Ing"/"Goe"); kRulesUnknown when none.
RuleType statedRuleType(const GameInfo& info);

// The rules to count info's game under. The rule type is the stated one, else fallback's. The
// komi is the stated one (KM is in points; a quarter value such as 3.75 is in stones), turned
// into stones under Chinese rules; a komi of 0 counts as stated only in a handicap game or a
// header that states its rules, since the formats cannot tell KM[0] from no KM at all. A game
// with a computer player is one played in a room, whose header holds the komi as it was played:
// in stones under Chinese rules, quarter value or not (record readers mark their players human).
RuleSettings recordRules(const GameInfo& info, const RuleSettings& fallback);

}  // namespace tessera
