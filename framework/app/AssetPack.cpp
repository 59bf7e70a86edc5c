#include "framework/app/AssetPack.h"

#include "framework/app/AppGlobals.h"
#include "framework/core/ResourceModules.h"

namespace {

// The name the executable's string table gives the pack.
constexpr int kPackFileNameId = 74;

PackFile& Pack() {
  static PackFile pack;
  return pack;
}

}  // namespace

bool LoadAssetPack() {
  SetAssetModule(nullptr);
  String name;
  if (!name.LoadExeString(kPackFileNameId)) return false;
  // Beside the executable in a build folder; in the data folder of an installed copy.
  const String& folder = Globals().programFolder;
  if (!Pack().Open((folder + name).CStr()) &&
      !Pack().Open((folder + QM_INSTALLED_PACK_FOLDER + name).CStr()))
    return false;
  SetAssetModule(&Pack());
  return true;
}

const PackFile& AssetPack() { return Pack(); }
