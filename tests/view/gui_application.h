#pragma once
// The view tests' name for the one QApplication of the GUI test programs.

#include "support/gui_test_support.h"

namespace tessera::test {

inline void ensureApplication() { guiApplication(); }

}  // namespace tessera::test
