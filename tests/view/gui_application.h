#pragma once
// The one QApplication of the view's gui test program, made on first use.

#include <QApplication>

namespace tessera::test {

inline void ensureApplication() {
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "view_gui_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);  // lives for the whole test program
}

}  // namespace tessera::test
