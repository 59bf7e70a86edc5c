#include "tools/packer/AssetTree.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "framework/core/PackFormat.h"
#include "framework/core/ResourceModule.h"
#include "tools/packer/StringTableSource.h"

namespace fs = std::filesystem;

namespace {

bool ReadWholeFile(const fs::path& path, std::vector<uint8_t>* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

// "<digits>" then the end, "-" or "." in the file name.
bool IdFromFileName(const std::string& name, uint32_t* id) {
  size_t digits = 0;
  while (digits < name.size() && name[digits] >= '0' && name[digits] <= '9') ++digits;
  if (digits == 0 || digits > 5) return false;
  if (digits < name.size() && name[digits] != '-' && name[digits] != '.') return false;
  const unsigned long value = std::stoul(name.substr(0, digits));
  if (value > 0xFFFF) return false;
  *id = static_cast<uint32_t>(value);
  return true;
}

std::vector<fs::path> SortedEntries(const fs::path& folder, std::error_code* ec) {
  std::vector<fs::path> paths;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, *ec)) {
    if (entry.path().filename().string().rfind('.', 0) != 0) paths.push_back(entry.path());
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

}  // namespace

bool AddAssetTree(const std::string& folder, PackWriter* pack, std::string* error) {
  std::error_code ec;
  const std::vector<fs::path> top = SortedEntries(folder, &ec);
  if (ec) {
    *error = folder + ": cannot read the folder";
    return false;
  }
  for (const fs::path& path : top) {
    const std::string name = path.filename().string();
    if (fs::is_regular_file(path) && name == "strings.txt") {
      std::vector<uint8_t> bytes;
      std::vector<StringTableEntry> strings;
      std::string why;
      if (!ReadWholeFile(path, &bytes)) {
        *error = path.string() + ": cannot read";
        return false;
      }
      if (!ParseStringTable(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), &strings,
                            &why)) {
        *error = path.string() + ": " + why;
        return false;
      }
      for (StringTableEntry& entry : strings) {
        if (!pack->Add(std::string(kStringTableType), entry.id,
                       std::vector<uint8_t>(entry.text.begin(), entry.text.end()))) {
          *error = path.string() + ": string " + std::to_string(entry.id) + " is already in the pack";
          return false;
        }
      }
      continue;
    }
    if (!fs::is_directory(path) || !IsValidPackType(name)) {
      *error = path.string() + ": expected a type folder (1-8 upper-case letters or digits) or strings.txt";
      return false;
    }
    const std::vector<fs::path> files = SortedEntries(path, &ec);
    if (ec) {
      *error = path.string() + ": cannot read the folder";
      return false;
    }
    for (const fs::path& file : files) {
      uint32_t id = 0;
      std::vector<uint8_t> bytes;
      if (!fs::is_regular_file(file) || !IdFromFileName(file.filename().string(), &id)) {
        *error = file.string() + ": expected a file named <id>[-name].<ext> with an id of 0..65535";
        return false;
      }
      if (pack->Contains(name, id)) {
        *error = file.string() + ": " + name + " " + std::to_string(id) + " is already in the pack";
        return false;
      }
      if (!ReadWholeFile(file, &bytes) || !pack->Add(name, id, std::move(bytes))) {
        *error = file.string() + ": cannot read or store";
        return false;
      }
    }
  }
  return true;
}
