#pragma once
// The string-table source: "id<TAB>text" lines in UTF-8, "#" comment lines and blank lines
// ignored, with \n, \t and \\ escapes in the text. Texts are converted to Windows-1252.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct StringTableEntry {
  uint32_t id;
  std::string text;  // Windows-1252
};

// False with a message naming the line for a malformed line, an id outside 0..65535, a
// repeated id, an unknown escape or a character Windows-1252 cannot hold.
bool ParseStringTable(std::string_view utf8, std::vector<StringTableEntry>* entries, std::string* error);
