#pragma once
// One hook for notes that lower layers leave for the program log (a capped id list, a data file
// that would not open). The application binds it to the program log at start-up; until then
// notes go to standard error. Never shown to the user.

#include <functional>
#include <string>

namespace tessera {

// Hands one line (no trailing newline) to the bound sink. Thread-safe.
void logDiagnostic(const std::string& message);

// Installs the sink; an empty function restores the standard-error default.
void setDiagnosticSink(std::function<void(const std::string&)> sink);

}  // namespace tessera
