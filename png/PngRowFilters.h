#pragma once
// Reconstruction of one PNG row from its filtered bytes (filter types 1 to 4; type 0 needs none).

#include <cstddef>
#include <cstdint>

// Reconstructs `length` bytes into `out` from the filtered bytes `raw` and the previous
// reconstructed row `prev` (all zeros for the first row). `step` is the byte distance to the
// pixel to the left. False for a filter type other than 1 to 4.
bool PngUnfilterRow(uint32_t filterType, const uint8_t* raw, const uint8_t* prev, uint8_t* out,
                    size_t length, size_t step);
