#pragma once
// A deliberately plain inflater written straight from the decoder's contract: one byte at a time
// from the IDAT chunks, Huffman codes walked one bit at a time. The tests hold the fast inflater
// to it: the same streams accepted, the same streams refused, the same bytes out. `written`, when
// given, receives the number of bytes written, also for a refused stream.

#include <cstddef>
#include <cstdint>

bool ReferenceInflate(const uint8_t* firstIdat, const uint8_t* inputEnd, uint8_t* out,
                      size_t size, size_t* written = nullptr);
