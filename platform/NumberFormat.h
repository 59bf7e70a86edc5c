#pragma once
// Locale number formatting in place of the system's number formatter: digits grouped by the
// C library's LC_NUMERIC conventions (none in the "C" locale).
#include <string>
#include <string_view>

// Groups a run of decimal digits from the right. `grouping` is in localeconv's form: each byte
// a group size, the last one repeating, CHAR_MAX or 0 ending the grouping.
std::string GroupDigits(std::string_view digits, const char* grouping, const char* separator);

// The integer with the current locale's thousands grouping and a leading minus sign.
std::string FormatLocaleInteger(long value);
