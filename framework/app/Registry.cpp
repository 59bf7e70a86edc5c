#include "framework/app/Registry.h"

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>

#include "framework/app/AppGlobals.h"
#include "framework/app/Paths.h"
#include "framework/app/WinApp.h"
#include "platform/SettingsStore.h"
#include "platform/XdgFolders.h"

namespace {

// The values of one settings file as read, and for the user's file whether it may be replaced.
struct KeptFile {
  std::string path;
  bool read = false;
  // A file that exists but cannot be read is left alone rather than replaced by a store
  // missing its other values.
  bool writable = false;
  SettingsStore store;
};

struct Kept {
  KeptFile user;
  KeptFile machine;
  int batchDepth = 0;
  bool unsaved = false;
  bool refused = false;  // a write inside the open batches was not taken
};

Kept& State() {
  static Kept kept;
  return kept;
}

KeptFile& FileOf(Hive hive) {
  KeptFile& file = hive == Hive::kCurrentUser ? State().user : State().machine;
  const std::string path = Registry::FilePath(hive).CStr();
  if (!file.read || file.path != path) {
    file.path = path;
    file.read = true;
    file.writable = file.store.Load(path) != FileRead::kRefused;
  }
  return file;
}

bool ReadsDefaults() {
  const WinApp* app = WinApp::Current();
  return (app && app->UseRegistryDefaults()) || Globals().companyKey.IsEmpty();
}

std::optional<std::string> ReadValue(const char* subkey, const char* name, Hive hive) {
  if (ReadsDefaults() || !name) return std::nullopt;
  return FileOf(hive).store.Get(subkey ? subkey : "", name);
}

std::optional<int32_t> ParseInt(const std::string& text) {
  if (text.empty()) return std::nullopt;
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const char* start = text.c_str() + (hex ? 2 : 0);
  char* end = nullptr;
  errno = 0;
  const long long value = std::strtoll(start, &end, hex ? 16 : 10);
  if (errno != 0 || end == start || *end != '\0') return std::nullopt;
  // A stored value is 32 bits wide: both signed and unsigned spellings are accepted.
  if (value < INT32_MIN || value > static_cast<long long>(UINT32_MAX)) return std::nullopt;
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

bool SaveUserFile() {
  KeptFile& user = State().user;
  const String folder = FolderOfPath(String(user.path.c_str()));
  if (!CreateUserFolder(folder.Left(folder.Length() - 1).CStr())) return false;
  return user.store.Save(user.path);
}

// Applies one change to the user's kept values, then to the file unless a batch is open.
template <typename Change>
bool Modify(Change change) {
  bool taken = false;
  if (!Globals().companyKey.IsEmpty()) {
    KeptFile& user = FileOf(Hive::kCurrentUser);
    taken = user.writable && change(&user.store);
  }
  Kept& kept = State();
  if (kept.batchDepth == 0) return taken && SaveUserFile();
  kept.unsaved = kept.unsaved || taken;
  kept.refused = kept.refused || !taken;
  return taken;
}

}  // namespace

String Registry::FilePath(Hive hive) {
  const std::string base = hive == Hive::kCurrentUser ? XdgConfigHome() : XdgMachineConfig();
  return String(base.c_str()) + "/" + Globals().companyKey + "/" + Globals().title + "/settings.ini";
}

int32_t Registry::ReadInt(const char* subkey, const char* name, int32_t defaultValue, Hive hive) {
  const std::optional<std::string> text = ReadValue(subkey, name, hive);
  if (!text) return defaultValue;
  return ParseInt(*text).value_or(defaultValue);
}

bool Registry::ReadBool(const char* subkey, const char* name, bool defaultValue, Hive hive) {
  return ReadInt(subkey, name, defaultValue ? 1 : 0, hive) == 1;
}

String Registry::ReadString(const char* subkey, const char* name, const char* defaultText, Hive hive) {
  const std::optional<std::string> text = ReadValue(subkey, name, hive);
  if (!text) return String(defaultText);
  String result;
  result.Assign(text->data(), static_cast<int>(text->size()));
  return result;
}

bool Registry::WriteInt(const char* subkey, const char* name, int32_t value) {
  if (!name) return false;
  return Modify([&](SettingsStore* store) {
    store->Set(subkey ? subkey : "", name, std::to_string(value));
    return store->Get(subkey ? subkey : "", name).has_value();
  });
}

bool Registry::WriteBool(const char* subkey, const char* name, bool value) {
  return WriteInt(subkey, name, value ? 1 : 0);
}

bool Registry::WriteString(const char* subkey, const char* name, const char* text) {
  const std::string section = subkey ? subkey : "";
  if (!name) {
    if (section.empty()) return false;  // the program's own key is never deleted this way
    return Modify([&](SettingsStore* store) { return store->RemoveSection(section); });
  }
  if (!text) return Modify([&](SettingsStore* store) { return store->Remove(section, name); });
  return Modify([&](SettingsStore* store) {
    store->Set(section, name, text);
    return store->Get(section, name).has_value();
  });
}

void Registry::Reload() {
  State().user.read = false;
  State().machine.read = false;
}

Registry::Batch::Batch() { ++State().batchDepth; }

Registry::Batch::~Batch() { static_cast<void>(End()); }

bool Registry::Batch::End() {
  if (ended_) return outcome_;
  ended_ = true;
  Kept& kept = State();
  outcome_ = !kept.refused;
  if (--kept.batchDepth > 0) return outcome_;
  if (kept.unsaved) outcome_ = SaveUserFile() && outcome_;
  kept.unsaved = false;
  kept.refused = false;
  return outcome_;
}
