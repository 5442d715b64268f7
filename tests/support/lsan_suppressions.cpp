// Leaks inside the font and desktop-bus libraries that Qt loads, which the program cannot
// free. Compiled into every test program, so that the tests pass under plain ctest as well as
// under scripts/test (which also names tests/lsan.supp).
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\nleak:libdbus\nleak:libglib\nleak:libgobject\nleak:libodbc\nleak:libsqlite3odbc\n";
}
