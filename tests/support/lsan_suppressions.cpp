// Leaks inside libraries the program cannot free: the font and desktop-bus libraries that Qt
// loads, and the ODBC driver's own allocations (see tests/lsan.supp); handles our code
// allocates through the driver manager are not suppressed. Compiled into every test program,
// so that the tests pass under plain ctest as well as under scripts/test.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\nleak:libdbus\nleak:libglib\nleak:libgobject\nleak:libsqlite3odbc\nleak:"
           "libodbcinst\nleak:libltdl\n";
}
