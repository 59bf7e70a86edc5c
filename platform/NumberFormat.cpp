#include "platform/NumberFormat.h"

#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/CodePage.h"

namespace {

constexpr char kNoBreakSpace = '\xA0';

// The separator in the program's code page. A locale stores it in its own codeset; a separator
// the code page lacks (many locales use the narrow no-break space) becomes the no-break space,
// which still keeps the groups apart and on one line.
std::string SeparatorInCp1252(const char* separator, const char* codeset) {
  std::string out;
  if (std::strcmp(codeset, "UTF-8") == 0) {
    Utf8ToCp1252(separator, &out, kNoBreakSpace);
    return out;
  }
  // Every other codeset a locale is built in keeps ASCII as it is.
  out = separator;
  const auto beyondAscii = [](char c) { return static_cast<unsigned char>(c) >= 0x80; };
  if (std::any_of(out.begin(), out.end(), beyondAscii)) out = std::string(1, kNoBreakSpace);
  return out;
}

struct NumericConventions {
  std::string environment;  // the variables they were read for
  std::string grouping;
  std::string separator;    // Windows-1252
};

// The conventions are read again only when the variables that choose them change: the C
// library's newlocale keeps a copy of LOCPATH that it never frees.
const NumericConventions& EnvironmentConventions() {
  static NumericConventions cached{"\n", "", ""};
  std::string environment;
  for (const char* name : {"LOCPATH", "LC_ALL", "LC_NUMERIC", "LANG"}) {
    const char* value = std::getenv(name);
    environment.append(value ? value : "\n").push_back('\0');
  }
  if (environment == cached.environment) return cached;
  cached = NumericConventions{environment, "", ""};
  // A locale object of its own: setlocale or uselocale would change what every later printf
  // and strtod of the process, or of this thread, reads and writes.
  if (locale_t numeric = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr))) {
    cached.grouping = nl_langinfo_l(GROUPING, numeric);
    cached.separator = SeparatorInCp1252(nl_langinfo_l(THOUSEP, numeric),
                                         nl_langinfo_l(_NL_NUMERIC_CODESET, numeric));
    freelocale(numeric);
  }
  return cached;
}

}  // namespace

std::string GroupDigits(std::string_view digits, const char* grouping, const char* separator) {
  if (!grouping || !separator || !*separator) return std::string(digits);
  std::string out;
  size_t end = digits.size();
  size_t size = 0;
  const char* next = grouping;
  while (end > 0) {
    if (*next == CHAR_MAX) {
      size = end;  // no grouping beyond this point
    } else if (*next != 0) {
      size = static_cast<unsigned char>(*next++);
    }  // at the terminating 0 the last size repeats
    if (size == 0 || size > end) size = end;
    out.insert(0, digits.substr(end - size, size));
    end -= size;
    if (end > 0) out.insert(0, separator);
  }
  return out;
}

std::string FormatLocaleInteger(long value) {
  char digits[32];
  const unsigned long magnitude =
      value < 0 ? 0ul - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
  std::snprintf(digits, sizeof digits, "%lu", magnitude);
  const NumericConventions& conventions = EnvironmentConventions();
  std::string text = GroupDigits(digits, conventions.grouping.c_str(), conventions.separator.c_str());
  return value < 0 ? "-" + text : text;
}
