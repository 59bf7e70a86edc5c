#pragma once
// The asset module: the pack named by text 74 of the executable's string table, in the
// program folder (or, installed, in the game's data folder), opened once and kept for the whole run as the default resource module.
#include "framework/core/PackFile.h"

// Opens the pack and makes it the asset module; false (the asset module unset) when it is
// missing or damaged.
bool LoadAssetPack();

// The pack LoadAssetPack opened.
const PackFile& AssetPack();
