#include "platform/SettingsStore.h"

#include <algorithm>

#include "platform/AtomicFile.h"
#include "platform/CodePage.h"

namespace {

// Names compare without regard to ASCII case only.
std::string Key(std::string_view name) {
  std::string key(name);
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return key;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// Leading and trailing blanks are escaped too, since lines are trimmed when read.
std::string Escape(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if ((c == ' ' || c == '\t') && (i == 0 || i + 1 == text.size())) {
      out += c == ' ' ? "\\s" : "\\t";
      continue;
    }
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default: out.push_back(c);
    }
  }
  return out;
}

std::string Unescape(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out.push_back(text[i]);
      continue;
    }
    const char next = text[++i];
    out.push_back(next == 'n' ? '\n' : next == 'r' ? '\r' : next == 't' ? '\t' : next == 's' ? ' ' : next);
  }
  return out;
}

// Names are written as they are; a name that could not be read back is not stored.
bool ValidName(std::string_view name) {
  return !name.empty() && name == Trim(name) &&
         name.find_first_of("=[]\n\r#;") == std::string_view::npos;
}

}  // namespace

const SettingsStore::Section* SettingsStore::FindSection(std::string_view name) const {
  const auto found = sectionIndex_.find(Key(name));
  return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

SettingsStore::Section* SettingsStore::FindSection(std::string_view name) {
  return const_cast<Section*>(static_cast<const SettingsStore*>(this)->FindSection(name));
}

void SettingsStore::IndexSections() {
  sectionIndex_.clear();
  for (size_t i = 0; i < sections_.size(); ++i) sectionIndex_[Key(sections_[i].name)] = i;
}

std::optional<std::string> SettingsStore::Get(std::string_view section, std::string_view name) const {
  if (const Section* found = FindSection(section)) {
    const auto value = found->index.find(Key(name));
    if (value != found->index.end()) return found->values[value->second].text;
  }
  return std::nullopt;
}

void SettingsStore::Set(std::string_view section, std::string_view name, std::string_view text) {
  if (!ValidName(name) || (!section.empty() && !ValidName(section))) return;
  Section* target = FindSection(section);
  if (!target) {
    // The program's own key comes first in the file, so its values never fall under a header;
    // that one insertion moves the others and is indexed afresh. Any other section is appended,
    // so a file of many sections loads in time in proportion to its length.
    if (section.empty()) {
      target = &*sections_.insert(sections_.begin(), Section{std::string(section), {}, {}});
      IndexSections();
    } else {
      sectionIndex_.emplace(Key(section), sections_.size());
      target = &sections_.emplace_back(Section{std::string(section), {}, {}});
    }
  }
  const auto [found, added] = target->index.try_emplace(Key(name), target->values.size());
  if (added) {
    target->values.push_back({std::string(name), std::string(text)});
  } else {
    target->values[found->second].text = text;
  }
}

bool SettingsStore::Remove(std::string_view section, std::string_view name) {
  Section* found = FindSection(section);
  if (!found) return false;
  const auto value = found->index.find(Key(name));
  if (value == found->index.end()) return false;
  const size_t at = value->second;
  found->values.erase(found->values.begin() + static_cast<std::ptrdiff_t>(at));
  found->index.erase(value);
  for (auto& entry : found->index) {
    if (entry.second > at) --entry.second;
  }
  return true;
}

bool SettingsStore::RemoveSection(std::string_view section) {
  const auto found = sectionIndex_.find(Key(section));
  if (found == sectionIndex_.end()) return false;
  sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(found->second));
  IndexSections();
  return true;
}

std::string SettingsStore::ToText() const {
  std::string text;
  for (const Section& section : sections_) {
    if (!section.name.empty()) text += (text.empty() ? "[" : "\n[") + section.name + "]\n";
    for (const Value& value : section.values) {
      text += value.name + "=" + Cp1252ToUtf8(Escape(value.text)) + "\n";
    }
  }
  return text;
}

void SettingsStore::FromText(std::string_view text) {
  sections_.clear();
  sectionIndex_.clear();
  std::string section;
  while (!text.empty()) {
    const size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    if (line.empty() || line[0] == '#' || line[0] == ';') continue;
    if (line.front() == '[') {
      section = line.back() == ']' ? std::string(Trim(line.substr(1, line.size() - 2))) : std::string();
      // A broken header must not let its values land in the program's own key.
      if (line.back() != ']' || !ValidName(section)) section = "\n";
      continue;
    }
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos || section == "\n") continue;
    std::string value;
    Utf8ToCp1252(Unescape(Trim(line.substr(equals + 1))), &value);
    Set(section, Trim(line.substr(0, equals)), value);
  }
}

FileRead SettingsStore::Load(const std::string& path) {
  sections_.clear();
  sectionIndex_.clear();
  std::string text;
  const FileRead read = ReadRegularFile(path, kMaxFileSize, FileLinks::kFollow, &text);
  if (read == FileRead::kRead) FromText(text);
  return read;
}

bool SettingsStore::Save(const std::string& path) const {
  AtomicFile file;
  if (!file.Open(path)) return false;
  const std::string text = ToText();
  return file.Write(text.data(), text.size()) && file.Commit();
}
