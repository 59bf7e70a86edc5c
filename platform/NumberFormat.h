#pragma once
// Locale number formatting in place of the system's number formatter: digits grouped by the
// LC_NUMERIC conventions that the environment names (LC_ALL, else LC_NUMERIC, else LANG). They
// are read apart from the process's own locale, which stays "C", so that printf and the parsers
// of the saved files never follow the user's.
#include <string>
#include <string_view>

// Groups a run of decimal digits from the right. `grouping` is in localeconv's form: each byte
// a group size, the last one repeating, CHAR_MAX or 0 ending the grouping.
std::string GroupDigits(std::string_view digits, const char* grouping, const char* separator);

// The integer with the environment's thousands grouping, in Windows-1252, and a leading minus
// sign. A locale that the environment names but the system lacks groups nothing, as "C" does.
std::string FormatLocaleInteger(long value);
