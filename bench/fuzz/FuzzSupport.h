#pragma once
// What the fuzz entries share: getting fuzzed records past their CRC trailer, and files for the
// readers that only take a path.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The bytes followed by the trailer a record stream writes after them, with `tail` folded into
// the CRC (a profile's program folder). Fuzzed as they come, records almost never carry a
// matching trailer, and everything that is checked after it would go unexplored.
std::vector<uint8_t> WithRecordTrailer(const uint8_t* data, size_t size, const std::string& tail = {});

// A folder of this process's own below the temporary folder, made on first use and removed at
// exit, with a separator at the end.
const std::string& FuzzScratchFolder();

// Writes the bytes to `path`, replacing the file; false when it could not be written whole.
bool WriteFuzzFile(const std::string& path, const uint8_t* data, size_t size);
