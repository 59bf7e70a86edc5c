// Leaks of system libraries that the platform tests reach, never of our own code; one list for
// the whole program, since LeakSanitizer asks for it once.
//  - The C library's newlocale keeps the search path it builds from LOCPATH, once for every
//    environment the number-format test reads its conventions in.
//  - SDL's D-Bus connection under X keeps a buffer of that library's until the process ends.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:__argz_add_sep\n"
         "leak:libdbus-1.so\n";
}
