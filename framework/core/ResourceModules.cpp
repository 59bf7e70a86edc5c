#include "framework/core/ResourceModules.h"

namespace {
const ResourceModule* g_exe = nullptr;
const ResourceModule* g_asset = nullptr;
}  // namespace

const ResourceModule* ExeModule() { return g_exe; }
void SetExeModule(const ResourceModule* module) { g_exe = module; }

const ResourceModule* AssetModule() { return g_asset; }
void SetAssetModule(const ResourceModule* module) { g_asset = module; }
