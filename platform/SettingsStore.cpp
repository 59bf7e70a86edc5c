#include "platform/SettingsStore.h"

#include <algorithm>

#include "platform/AtomicFile.h"
#include "platform/CodePage.h"

namespace {

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto ca = static_cast<unsigned char>(a[i]);
    const auto cb = static_cast<unsigned char>(b[i]);
    const auto la = ca >= 'A' && ca <= 'Z' ? ca + 32 : ca;
    const auto lb = cb >= 'A' && cb <= 'Z' ? cb + 32 : cb;
    if (la != lb) return false;
  }
  return true;
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
  for (const Section& section : sections_) {
    if (SameName(section.name, name)) return &section;
  }
  return nullptr;
}

SettingsStore::Section* SettingsStore::FindSection(std::string_view name) {
  return const_cast<Section*>(static_cast<const SettingsStore*>(this)->FindSection(name));
}

std::optional<std::string> SettingsStore::Get(std::string_view section, std::string_view name) const {
  if (const Section* found = FindSection(section)) {
    for (const Value& value : found->values) {
      if (SameName(value.name, name)) return value.text;
    }
  }
  return std::nullopt;
}

void SettingsStore::Set(std::string_view section, std::string_view name, std::string_view text) {
  if (!ValidName(name) || (!section.empty() && !ValidName(section))) return;
  Section* target = FindSection(section);
  if (!target) {
    // The program's own key comes first in the file, so its values never fall under a header.
    const auto at = section.empty() ? sections_.begin() : sections_.end();
    target = &*sections_.insert(at, Section{std::string(section), {}});
  }
  for (Value& value : target->values) {
    if (SameName(value.name, name)) {
      value.text = text;
      return;
    }
  }
  target->values.push_back({std::string(name), std::string(text)});
}

bool SettingsStore::Remove(std::string_view section, std::string_view name) {
  Section* found = FindSection(section);
  if (!found) return false;
  const auto before = found->values.size();
  std::erase_if(found->values, [&](const Value& v) { return SameName(v.name, name); });
  return found->values.size() != before;
}

bool SettingsStore::RemoveSection(std::string_view section) {
  const auto before = sections_.size();
  std::erase_if(sections_, [&](const Section& s) { return SameName(s.name, section); });
  return sections_.size() != before;
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
