#include "tools/packer/StringTableSource.h"

#include <set>

#include "platform/CodePage.h"

namespace {

bool ParseId(std::string_view text, uint32_t* id) {
  if (text.empty() || text.size() > 5) return false;
  uint32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<uint32_t>(c - '0');
  }
  if (value > 0xFFFF) return false;
  *id = value;
  return true;
}

bool Unescape(std::string_view text, std::string* out) {
  out->clear();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out->push_back(text[i]);
      continue;
    }
    if (++i == text.size()) return false;
    switch (text[i]) {
      case 'n': out->push_back('\n'); break;
      case 't': out->push_back('\t'); break;
      case '\\': out->push_back('\\'); break;
      default: return false;
    }
  }
  return true;
}

}  // namespace

bool ParseStringTable(std::string_view utf8, std::vector<StringTableEntry>* entries, std::string* error) {
  entries->clear();
  std::set<uint32_t> seen;
  int lineNumber = 0;
  while (!utf8.empty()) {
    ++lineNumber;
    const size_t end = std::min(utf8.find('\n'), utf8.size());
    std::string_view line = utf8.substr(0, end);
    utf8.remove_prefix(std::min(end + 1, utf8.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == '#') continue;
    const std::string where = "line " + std::to_string(lineNumber) + ": ";
    const size_t tab = line.find('\t');
    uint32_t id = 0;
    if (tab == std::string_view::npos || !ParseId(line.substr(0, tab), &id)) {
      *error = where + "expected a numeric id (0..65535), a TAB and the text";
      return false;
    }
    if (!seen.insert(id).second) {
      *error = where + "id " + std::to_string(id) + " appears twice";
      return false;
    }
    std::string text;
    if (!Unescape(line.substr(tab + 1), &text)) {
      *error = where + "unknown escape (only \\n, \\t and \\\\ are known)";
      return false;
    }
    std::string converted;
    if (!Utf8ToCp1252(text, &converted)) {
      *error = where + "invalid UTF-8 or a character outside Windows-1252";
      return false;
    }
    entries->push_back({id, std::move(converted)});
  }
  return true;
}
