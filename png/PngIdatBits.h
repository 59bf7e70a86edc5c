#pragma once
// The inflater's bit reader: reads the zlib stream in place from consecutive IDAT chunks of the
// input, least significant bit first. When the IDAT chunks run out every further byte reads as 0.

#include <cstddef>
#include <cstdint>
#include <cstring>

class PngIdatBits {
public:
    // `firstIdat` points at the first IDAT chunk's length field, inside [.., inputEnd).
    PngIdatBits(const uint8_t* firstIdat, const uint8_t* inputEnd) : end_(inputEnd) {
        pos_ = firstIdat;
        OpenChunk();
    }

    unsigned Count() const { return count_; }

    // Tops the buffer up to at least 56 bits.
    void Refill() {
        if (left_ >= 8) {
            // Bytes already buffered above count_ are the same stream bytes, so OR-ing the
            // overlapping load back in changes nothing.
            uint64_t v;
            std::memcpy(&v, pos_, 8);
            bits_ |= v << count_;
            const size_t n = (63 - count_) >> 3;
            pos_ += n;
            left_ -= n;
            count_ |= 56;
            return;
        }
        while (count_ < 56) {
            bits_ |= uint64_t(NextByte()) << count_;
            count_ += 8;
        }
    }

    uint32_t Peek(unsigned n) const { return uint32_t(bits_ & ((uint64_t(1) << n) - 1)); }
    uint64_t PeekAll() const { return bits_; }
    void Drop(unsigned n) {
        bits_ >>= n;
        count_ -= n;
    }
    // Takes n <= 32 bits; the caller has refilled enough.
    uint32_t Take(unsigned n) {
        const uint32_t v = Peek(n);
        Drop(n);
        return v;
    }

    // Drops the unread bits of the current byte.
    void AlignToByte() { Drop(count_ & 7); }

    // Copies n bytes of a stored block (the reader is on a byte boundary); the next read starts
    // on a fresh byte.
    void CopyBytes(uint8_t* out, size_t n) {
        while (n && count_ >= 8) {
            *out++ = uint8_t(bits_);
            Drop(8);
            --n;
        }
        if (!n) return;
        bits_ = 0;
        count_ = 0;
        while (n) {
            if (left_ == 0 && !NextChunk()) {
                std::memset(out, 0, n);
                return;
            }
            const size_t take = n < left_ ? n : left_;
            std::memcpy(out, pos_, take);
            out += take;
            pos_ += take;
            left_ -= take;
            n -= take;
        }
    }

private:
    static uint32_t Load32Be(const uint8_t* p) {
        return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
    }

    // pos_ at a chunk's length field: enters its data if the whole of it lies before the input's
    // end and its type is IDAT (last letter's case ignored); otherwise the source is done.
    void OpenChunk() {
        left_ = 0;
        if (pos_ > end_ || size_t(end_ - pos_) < 8) {
            done_ = true;
            return;
        }
        const uint32_t len = Load32Be(pos_);
        const uint8_t* type = pos_ + 4;
        const uint8_t* data = pos_ + 8;
        if (type[0] != 'I' || type[1] != 'D' || type[2] != 'A' || (type[3] & 0xDF) != 'T' ||
            len > 0x7FFFFFFF || len >= size_t(end_ - data)) {
            done_ = true;
            return;
        }
        pos_ = data;
        left_ = len;
    }

    // Steps over the CRC to the next chunk, and over any empty ones.
    bool NextChunk() {
        while (!done_ && left_ == 0) {
            if (size_t(end_ - pos_) < 4) {
                done_ = true;
                break;
            }
            pos_ += 4;
            OpenChunk();
        }
        return left_ != 0;
    }

    uint8_t NextByte() {
        if (left_ == 0 && !NextChunk()) return 0;
        --left_;
        return *pos_++;
    }

    uint64_t bits_ = 0;
    unsigned count_ = 0;
    const uint8_t* pos_ = nullptr;
    size_t left_ = 0;
    const uint8_t* end_;
    bool done_ = false;
};
