#pragma once
// The resource pack that the build made, opened once for every content check. The checks read
// what the game will read, so they run against the packed bytes, never the source tree.
#include <cstdint>
#include <string>

#include "framework/core/PackFile.h"

// Null when the pack is missing or damaged; every check then fails on that.
const PackFile* BuiltPack();

// A string-table entry as packed (Windows-1252); empty when missing.
std::string PackedString(uint32_t id);
