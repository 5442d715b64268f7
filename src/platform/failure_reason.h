#pragma once
// Reasons of failures as the user reads them. The lower layers state reasons in English, for the
// program log and for scripts; a Chinese interface gets a reason in its own language instead, so
// that no English phrase sits inside a Chinese sentence. The English reason then goes to the log.

#include <string>

namespace tessera {

// The reason in the interface language: the English reason itself for an English interface,
// else a translated sentence for the kind of failure it names (a missing file, no permission,
// a full disk, a damaged record, an unreachable server, ...), with the log named for the rest.
std::string userFailureReason(const std::string& englishReason);

}  // namespace tessera
