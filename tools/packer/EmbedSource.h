#pragma once
// The C++ source that embeds a pack in the executable and serves it as ExeResources().
#include <cstdint>
#include <string>
#include <vector>

std::string MakeEmbedSource(const std::vector<uint8_t>& pack);
