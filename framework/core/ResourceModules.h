#pragma once
// The two resource modules every reader defaults to: the executable's own resources and the
// asset pack. The application sets them at start-up; tests set in-memory ones. Null until set,
// and readers treat a null module as one that has nothing.
#include "framework/core/ResourceModule.h"

const ResourceModule* ExeModule();
void SetExeModule(const ResourceModule* module);

const ResourceModule* AssetModule();
void SetAssetModule(const ResourceModule* module);
