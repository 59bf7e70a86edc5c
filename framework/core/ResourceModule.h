#pragma once
// A source of resources keyed by (type, numeric id): the asset pack, the executable's embedded
// resources, or an in-memory set in tests. The bytes stay valid for the module's lifetime and
// are read where they lie.
#include <cstdint>
#include <span>
#include <string_view>

// Type names of the resources the framework and the game read.
inline constexpr std::string_view kStringTableType = "STRING";  // one entry per string id
inline constexpr std::string_view kBitmapType = "BITMAP";
inline constexpr std::string_view kJpgType = "JPG";
inline constexpr std::string_view kTgaType = "TGA";
inline constexpr std::string_view kPngType = "PNG";
inline constexpr std::string_view kTextType = "TXT";
inline constexpr std::string_view kWaveType = "WAVE";
inline constexpr std::string_view kLayoutsType = "LAYOUTS";
inline constexpr std::string_view kIconType = "ICON";
inline constexpr std::string_view kCursorType = "CURSOR";
inline constexpr std::string_view kVersionType = "VERSION";

class ResourceModule {
 public:
  using Bytes = std::span<const uint8_t>;

  virtual ~ResourceModule() = default;

  // The resource's bytes; empty when the module has no such resource. Type names compare
  // exactly (they are upper case by convention).
  virtual Bytes Find(std::string_view type, uint32_t id) const = 0;
};
