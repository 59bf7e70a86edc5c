#pragma once
// The inflater's bit reader: reads the zlib stream in place from consecutive IDAT chunks of the
// input, least significant bit first. When the IDAT chunks run out every further byte reads as 0.

#include <cstddef>
#include <cstdint>
#include <cstring>

// The reader's hot state: the bit buffer and the unread part of the current chunk. A caller's
// inner loop may copy it into a local, refill it in place while the chunk holds 8 more bytes, and
// hand it back before anything else touches the reader.
struct PngBitWindow {
    uint64_t bits = 0;
    unsigned count = 0;
    const uint8_t* pos = nullptr;
    size_t left = 0;

    // Tops the buffer up to at least 56 bits straight from the chunk; false when fewer than 8
    // bytes are left in it.
    bool FastRefill() {
        if (left < 8) return false;
        // Bytes already buffered above `count` are the same stream bytes, so OR-ing the
        // overlapping load back in changes nothing.
        uint64_t v;
        std::memcpy(&v, pos, 8);
        bits |= v << count;
        const size_t n = (63 - count) >> 3;
        pos += n;
        left -= n;
        count |= 56;
        return true;
    }
    uint32_t Peek(unsigned n) const { return uint32_t(bits & ((uint64_t(1) << n) - 1)); }
    void Drop(unsigned n) {
        bits >>= n;
        count -= n;
    }
    uint32_t Take(unsigned n) {
        const uint32_t v = Peek(n);
        Drop(n);
        return v;
    }
};

class PngIdatBits {
public:
    // `firstIdat` points at the first IDAT chunk's length field, inside [.., inputEnd). The chunk
    // walk has already named it IDAT by its own rule (first letter's case ignored), so its type
    // is not tested again; the chunks after it must be IDAT by the rule below.
    PngIdatBits(const uint8_t* firstIdat, const uint8_t* inputEnd) : end_(inputEnd) {
        w_.pos = firstIdat;
        OpenChunk(false);
    }

    unsigned Count() const { return w_.count; }
    PngBitWindow Window() const { return w_; }
    void SetWindow(const PngBitWindow& w) { w_ = w; }

    // Tops the buffer up to at least 56 bits.
    void Refill() {
        if (w_.FastRefill()) return;
        while (w_.count < 56) {
            w_.bits |= uint64_t(NextByte()) << w_.count;
            w_.count += 8;
        }
    }

    uint32_t Peek(unsigned n) const { return w_.Peek(n); }
    uint64_t PeekAll() const { return w_.bits; }
    void Drop(unsigned n) { w_.Drop(n); }
    // Takes n <= 32 bits; the caller has refilled enough.
    uint32_t Take(unsigned n) { return w_.Take(n); }

    // Drops the unread bits of the current byte.
    void AlignToByte() { Drop(w_.count & 7); }

    // Copies n bytes of a stored block (the reader is on a byte boundary); the next read starts
    // on a fresh byte.
    void CopyBytes(uint8_t* out, size_t n) {
        while (n && w_.count >= 8) {
            *out++ = uint8_t(w_.bits);
            Drop(8);
            --n;
        }
        if (!n) return;
        w_.bits = 0;
        w_.count = 0;
        while (n) {
            if (w_.left == 0 && !NextChunk()) {
                std::memset(out, 0, n);
                return;
            }
            const size_t take = n < w_.left ? n : w_.left;
            std::memcpy(out, w_.pos, take);
            out += take;
            w_.pos += take;
            w_.left -= take;
            n -= take;
        }
    }

private:
    static uint32_t Load32Be(const uint8_t* p) {
        return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
    }

    // w_.pos at a chunk's length field: enters its data if the whole of it lies before the input's
    // end and, when checkType is set, its type is IDAT (last letter's case ignored); otherwise
    // the source is done.
    void OpenChunk(bool checkType = true) {
        w_.left = 0;
        if (w_.pos > end_ || size_t(end_ - w_.pos) < 8) {
            done_ = true;
            return;
        }
        const uint32_t len = Load32Be(w_.pos);
        const uint8_t* type = w_.pos + 4;
        const uint8_t* data = w_.pos + 8;
        const bool idat = type[0] == 'I' && type[1] == 'D' && type[2] == 'A' && (type[3] & 0xDF) == 'T';
        if ((checkType && !idat) || len > 0x7FFFFFFF || len >= size_t(end_ - data)) {
            done_ = true;
            return;
        }
        w_.pos = data;
        w_.left = len;
    }

    // Steps over the CRC to the next chunk, and over any empty ones.
    bool NextChunk() {
        while (!done_ && w_.left == 0) {
            if (size_t(end_ - w_.pos) < 4) {
                done_ = true;
                break;
            }
            w_.pos += 4;
            OpenChunk();
        }
        return w_.left != 0;
    }

    uint8_t NextByte() {
        if (w_.left == 0 && !NextChunk()) return 0;
        --w_.left;
        return *w_.pos++;
    }

    PngBitWindow w_;
    const uint8_t* end_;
    bool done_ = false;
};
