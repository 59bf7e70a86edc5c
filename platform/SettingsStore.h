#pragma once
// The settings file that stands in for the registry: an ini text of sections (a key below the
// program's key, "" for the program's key itself) holding name=value lines. Section and value
// names compare without regard to ASCII case. Values are kept as the program's 8-bit text
// (Windows-1252) in memory and as UTF-8 in the file, with \n, \r, \t and \\ escaped.
//
// Anything unreadable in the file (an over-long file, a line without "=", a stray header) is
// skipped, never fatal; the rest still loads.
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/RegularFile.h"

class SettingsStore {
 public:
  // Largest file read; a longer one is taken as damaged and loads nothing.
  static constexpr size_t kMaxFileSize = 1 << 20;

  // Replaces the contents by the file's; empty unless the answer is FileRead::kRead. A link is
  // followed: a settings file kept elsewhere and linked into place is the user's choice.
  FileRead Load(const std::string& path);
  // Writes the whole store through a temporary file renamed over `path`; the folder must exist.
  bool Save(const std::string& path) const;

  std::optional<std::string> Get(std::string_view section, std::string_view name) const;
  void Set(std::string_view section, std::string_view name, std::string_view value);
  // True when the value existed.
  bool Remove(std::string_view section, std::string_view name);
  // Removes a section with its values; true when it existed.
  bool RemoveSection(std::string_view section);

  // The file's text for the current contents.
  std::string ToText() const;
  void FromText(std::string_view text);

 private:
  struct Value {
    std::string name;
    std::string text;
  };
  // Kept in file order; the index (by lower-case name) makes a lookup constant time, so loading
  // a long file costs time in proportion to its length.
  struct Section {
    std::string name;
    std::vector<Value> values;
    std::unordered_map<std::string, size_t> index;
  };

  const Section* FindSection(std::string_view name) const;
  Section* FindSection(std::string_view name);
  void IndexSections();

  std::vector<Section> sections_;
  std::unordered_map<std::string, size_t> sectionIndex_;
};
