// The inflater against zlib on real streams, against the plain reference inflater on damaged and
// random ones, and on hand-made streams for each rule of the format.

#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <queue>
#include <random>

#include "PngReferenceInflate.h"
#include "PngTestFiles.h"
#include "png/PngInflate.h"

namespace {

constexpr size_t kIdatAt = 33;  // first IDAT of a file with IHDR only before it

// Runs both inflaters over the IDAT chunks of `file` into `size` bytes. They must agree on the
// result and on every byte, also on the bytes a refused stream wrote before it failed: that shows
// the table lookup decodes every symbol as the bit-by-bit walk does. (Past that point a refused
// stream's output is not defined: the fast copies may run ahead.)
struct Outcome {
    bool ok;
    Bytes out;
};

Outcome InflateBoth(const Bytes& file, size_t size) {
    Outcome fast{false, Bytes(size)};
    Bytes slow(size);
    const uint8_t* end = file.data() + file.size();
    fast.ok = PngInflate(file.data() + kIdatAt, end, fast.out.data(), size);
    size_t written = 0;
    const bool slowOk = ReferenceInflate(file.data() + kIdatAt, end, slow.data(), size, &written);
    EXPECT_EQ(fast.ok, slowOk);
    if (slowOk) {
        EXPECT_EQ(fast.out, slow);
    } else {
        EXPECT_TRUE(std::equal(slow.begin(), slow.begin() + ptrdiff_t(written), fast.out.begin()));
    }
    return fast;
}

Bytes StreamFile(const Bytes& stream, const std::vector<size_t>& cuts = {}) {
    return MakePng(IhdrData(1, 1, 8, 0), stream, cuts);
}

// Writes a DEFLATE bit stream: fields least significant bit first, Huffman codes most
// significant bit first.
class BitWriter {
public:
    void Bits(uint32_t value, int n) {
        for (int i = 0; i < n; ++i) Bit((value >> i) & 1);
    }
    void Code(uint32_t code, int n) {
        for (int i = n - 1; i >= 0; --i) Bit((code >> i) & 1);
    }
    void FixedLiteral(int symbol) {
        if (symbol < 144) Code(0x30 + symbol, 8);
        else if (symbol < 256) Code(0x190 + symbol - 144, 9);
        else if (symbol < 280) Code(symbol - 256, 7);
        else Code(0xC0 + symbol - 280, 8);
    }
    void AlignByte() {
        while (used_) Bit(0);
    }
    void Byte(uint8_t b) { Bits(b, 8); }
    Bytes Finish() {
        AlignByte();
        return bytes_;
    }

private:
    void Bit(uint32_t b) {
        if (used_ == 0) bytes_.push_back(0);
        bytes_.back() |= uint8_t(b << used_);
        used_ = (used_ + 1) & 7;
    }
    Bytes bytes_;
    int used_ = 0;
};

void AppendAdler(Bytes& stream, const Bytes& data) {
    AppendBe32(stream, uint32_t(adler32(1, data.data(), uInt(data.size()))));
}

// zlib header 78 9C, then one fixed block built by `body`, then the Adler-32 of `expected`.
template <typename Body>
Bytes FixedStream(const Bytes& expected, Body body) {
    BitWriter w;
    w.Byte(0x78);
    w.Byte(0x9C);
    w.Bits(1, 1);
    w.Bits(1, 2);
    body(w);
    w.FixedLiteral(256);
    Bytes s = w.Finish();
    AppendAdler(s, expected);
    return s;
}

Bytes Sample(int kind, size_t n, std::mt19937& rng) {
    Bytes d(n);
    for (size_t i = 0; i < n; ++i) {
        switch (kind) {
            case 0: d[i] = uint8_t(rng()); break;
            case 1: d[i] = uint8_t("the quick brown fox "[rng() % 20]); break;
            case 2: d[i] = uint8_t(i % 7 == 0 ? rng() : (i > 0 ? d[i - 1] : 0)); break;
            case 3: d[i] = i >= 300 && rng() % 16 ? d[i - 300 + rng() % 3] : uint8_t(rng() % 5);
                break;
            default: d[i] = 0; break;
        }
    }
    return d;
}

TEST(PngInflateZlib, EveryLevelAndStrategyWithIdatSplitAnywhere) {
    std::mt19937 rng(1234);
    const int strategies[] = {Z_DEFAULT_STRATEGY, Z_FILTERED, Z_HUFFMAN_ONLY, Z_RLE, Z_FIXED};
    int cases = 0;
    for (size_t n : {size_t(1), size_t(100), size_t(5000), size_t(70000)}) {
        for (int kind = 0; kind < 5; ++kind) {
            const Bytes data = Sample(kind, n, rng);
            for (int level = 0; level <= 9; ++level) {
                for (int strategy : strategies) {
                    const Bytes stream = ZlibCompress(data, level, strategy);
                    std::vector<size_t> cuts;
                    for (int c = int(rng() % 4); c > 0; --c) {
                        cuts.push_back(rng() % 3 == 0 ? 0 : rng() % (stream.size() + 1));
                    }
                    const Outcome r = InflateBoth(StreamFile(stream, cuts), n);
                    ASSERT_TRUE(r.ok) << n << " " << kind << " " << level << " " << strategy;
                    ASSERT_EQ(r.out, data);
                    ++cases;
                }
            }
        }
    }
    EXPECT_EQ(cases, 4 * 5 * 10 * 5);
}

TEST(PngInflateZlib, OneByteChunksAndEmptyChunksBetweenThem) {
    std::mt19937 rng(7);
    const Bytes data = Sample(3, 3000, rng);
    const Bytes stream = ZlibCompress(data, 9);
    std::vector<size_t> cuts;
    for (size_t i = 0; i < stream.size(); ++i) {
        cuts.push_back(1);
        if (i % 5 == 0) cuts.push_back(0);
    }
    const Outcome r = InflateBoth(StreamFile(stream, cuts), data.size());
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.out, data);
}

TEST(PngInflateRules, ALaterIdatIsKnownWithOnlyItsLastLettersCaseIgnored) {
    std::mt19937 rng(3);
    const Bytes data = Sample(1, 500, rng);
    const Bytes stream = ZlibCompress(data);
    const size_t second = kIdatAt + 12 + stream.size() / 2 + 4;  // the second chunk's type
    for (const char* name : {"IDAt", "iDAT", "IDaT"}) {
        Bytes file = StreamFile(stream, {stream.size() / 2});
        std::copy(name, name + 4, file.begin() + ptrdiff_t(second));
        FixChunkCrcs(file);
        EXPECT_EQ(InflateBoth(file, data.size()).ok, std::string(name) == "IDAt") << name;
    }
}

TEST(PngInflateRules, ZlibHeader) {
    const Bytes data = {1, 2, 3};
    Bytes stream = ZlibCompress(data);
    EXPECT_TRUE(InflateBoth(StreamFile(stream), 3).ok);
    Bytes badCheck = stream;
    badCheck[1] ^= 0x01;  // check bits are not tested
    EXPECT_TRUE(InflateBoth(StreamFile(badCheck), 3).ok);
    Bytes dictionary = stream;
    dictionary[1] |= 0x20;
    EXPECT_FALSE(InflateBoth(StreamFile(dictionary), 3).ok);
    Bytes method = stream;
    method[0] = 0x79;
    EXPECT_FALSE(InflateBoth(StreamFile(method), 3).ok);
    Bytes window = stream;
    window[0] = 0x88;
    EXPECT_FALSE(InflateBoth(StreamFile(window), 3).ok);
    Bytes smallWindow = stream;
    smallWindow[0] = 0x08;
    EXPECT_TRUE(InflateBoth(StreamFile(smallWindow), 3).ok);
}

TEST(PngInflateRules, StoredBlocks) {
    const Bytes data = {9, 8, 7};
    BitWriter w;
    w.Byte(0x78);
    w.Byte(0x01);
    w.Bits(0, 1);  // stored, length 0
    w.Bits(0, 2);
    w.AlignByte();
    w.Bits(0, 16);
    w.Bits(0xFFFF, 16);
    w.Bits(1, 1);  // final stored, 3 bytes
    w.Bits(0, 2);
    w.AlignByte();
    w.Bits(3, 16);
    w.Bits(0xFFFC, 16);
    for (uint8_t b : data) w.Byte(b);
    Bytes good = w.Finish();
    AppendAdler(good, data);
    const Outcome r = InflateBoth(StreamFile(good, {5, 0, 3}), 3);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.out, data);

    Bytes badComplement = good;
    badComplement[9] ^= 1;
    EXPECT_FALSE(InflateBoth(StreamFile(badComplement), 3).ok);
    EXPECT_FALSE(InflateBoth(StreamFile(good), 2).ok);  // does not fit
}

TEST(PngInflateRules, FixedBlockCopies) {
    // One literal, then length 10 at distance 1: eleven equal bytes.
    const Bytes run(11, 'a');
    const Bytes stream = FixedStream(run, [](BitWriter& w) {
        w.FixedLiteral('a');
        w.FixedLiteral(264);  // length 10
        w.Code(0, 5);         // distance 1
    });
    const Outcome r = InflateBoth(StreamFile(stream), 11);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.out, run);

    // Overlapping copy at distance 3 repeats the pattern.
    const Bytes pattern = {'x', 'y', 'z', 'x', 'y', 'z', 'x', 'y'};
    const Bytes repeat = FixedStream(pattern, [](BitWriter& w) {
        for (char c : {'x', 'y', 'z'}) w.FixedLiteral(c);
        w.FixedLiteral(259);  // length 5
        w.Code(2, 5);         // distance 3
    });
    const Outcome p = InflateBoth(StreamFile(repeat), pattern.size());
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.out, pattern);
}

TEST(PngInflateRules, RefusesBadSymbolsDistancesAndSizes) {
    const Bytes two = {'a', 'a'};
    auto fixedWith = [&](auto body) { return StreamFile(FixedStream(two, body)); };
    // Distance beyond what has been written.
    EXPECT_FALSE(InflateBoth(fixedWith([](BitWriter& w) {
                                 w.FixedLiteral('a');
                                 w.FixedLiteral(257);
                                 w.Code(1, 5);  // distance 2, one byte written
                             }),
                             4)
                     .ok);
    // Literal/length symbols 286 and 287 and distance symbols 30 and 31 do not exist.
    for (int symbol : {286, 287}) {
        EXPECT_FALSE(InflateBoth(fixedWith([&](BitWriter& w) { w.FixedLiteral(symbol); }), 2).ok);
    }
    for (int d : {30, 31}) {
        EXPECT_FALSE(InflateBoth(fixedWith([&](BitWriter& w) {
                                     w.FixedLiteral('a');
                                     w.FixedLiteral(257);
                                     w.Code(uint32_t(d), 5);
                                 }),
                                 40000)
                         .ok);
    }
    // A copy longer than the space left.
    EXPECT_FALSE(InflateBoth(fixedWith([](BitWriter& w) {
                                 w.FixedLiteral('a');
                                 w.FixedLiteral(264);
                                 w.Code(0, 5);
                             }),
                             5)
                     .ok);
    // A literal past the end, a stream that ends short, and a wrong Adler-32.
    const Bytes good = FixedStream(two, [](BitWriter& w) {
        w.FixedLiteral('a');
        w.FixedLiteral('a');
    });
    EXPECT_TRUE(InflateBoth(StreamFile(good), 2).ok);
    EXPECT_FALSE(InflateBoth(StreamFile(good), 1).ok);
    EXPECT_FALSE(InflateBoth(StreamFile(good), 3).ok);
    Bytes badAdler = good;
    badAdler.back() ^= 0x10;
    EXPECT_FALSE(InflateBoth(StreamFile(badAdler), 2).ok);

    // Block type 3.
    BitWriter w;
    w.Byte(0x78);
    w.Byte(0x9C);
    w.Bits(1, 1);
    w.Bits(3, 2);
    EXPECT_FALSE(InflateBoth(StreamFile(w.Finish()), 1).ok);
}

// A dynamic block header whose code-length code gives every symbol of 0 to 18 length 5 (so
// each is the 5-bit code equal to its index, read most significant bit first).
BitWriter DynamicHeader(int hlit, int hdist) {
    BitWriter w;
    w.Byte(0x78);
    w.Byte(0x9C);
    w.Bits(1, 1);
    w.Bits(2, 2);
    w.Bits(uint32_t(hlit - 257), 5);
    w.Bits(uint32_t(hdist - 1), 5);
    w.Bits(19 - 4, 4);
    for (int i = 0; i < 19; ++i) w.Bits(5, 3);
    return w;
}

TEST(PngInflateRules, CodeLengthRepeats) {
    // A repeat of the previous length with no previous length.
    BitWriter first = DynamicHeader(257, 1);
    first.Code(16, 5);
    first.Bits(0, 2);
    EXPECT_FALSE(InflateBoth(StreamFile(first.Finish()), 4).ok);

    // Zeros running past HLIT + HDIST entries.
    BitWriter past = DynamicHeader(257, 1);
    for (int i = 0; i < 2; ++i) {
        past.Code(18, 5);
        past.Bits(127, 7);  // 138 zeros each: 276 > 258
    }
    EXPECT_FALSE(InflateBoth(StreamFile(past.Finish()), 4).ok);
}

TEST(PngInflateRules, ZerosPastTheLastIdatAreReadAsZeroBits) {
    std::mt19937 rng(5);
    const Bytes data = Sample(1, 2000, rng);
    const Bytes stream = ZlibCompress(data, 6);
    // Dropping the Adler-32's last zero bytes still succeeds when those bytes were zero.
    Bytes zeroTail = data;
    uint32_t adler = 0;
    for (int tries = 0; tries < 2000; ++tries) {
        zeroTail.back() = uint8_t(tries);
        adler = uint32_t(adler32(1, zeroTail.data(), uInt(zeroTail.size())));
        if ((adler & 0xFF) == 0) break;
    }
    ASSERT_EQ(adler & 0xFF, 0u);
    Bytes s = ZlibCompress(zeroTail, 6);
    s.pop_back();
    EXPECT_TRUE(InflateBoth(StreamFile(s), zeroTail.size()).ok);
    Bytes cut = stream;
    cut.resize(stream.size() / 2);
    EXPECT_FALSE(InflateBoth(StreamFile(cut), data.size()).ok);
}

// Damaged real streams and random dynamic headers: the fast inflater must accept, refuse and
// write exactly as the plain one does.
TEST(PngInflateEquivalence, DamagedStreams) {
    std::mt19937 rng(99);
    const int strategies[] = {Z_DEFAULT_STRATEGY, Z_FIXED, Z_HUFFMAN_ONLY, Z_RLE};
    int accepted = 0;
    for (int round = 0; round < 1500; ++round) {
        const Bytes data = Sample(int(rng() % 4), 50 + rng() % 600, rng);
        Bytes stream = ZlibCompress(data, int(rng() % 10), strategies[rng() % 4]);
        const int flips = 1 + int(rng() % 3);
        for (int f = 0; f < flips; ++f) {
            const size_t at = 2 + rng() % (stream.size() - 2);
            stream[at] ^= uint8_t(1u << (rng() % 8));
        }
        if (rng() % 4 == 0) stream.resize(2 + rng() % (stream.size() - 2));
        const size_t size = rng() % 3 == 0 ? data.size() + rng() % 40 : data.size();
        accepted += InflateBoth(StreamFile(stream, {rng() % 64}), size).ok;
    }
    EXPECT_LT(accepted, 1500);
}

// Long damaged streams: most symbols go through the word-wide loop and its literal pairs, which
// must refuse on the same symbol as the plain inflater and write the same bytes before it.
TEST(PngInflateEquivalence, DamagedLongStreams) {
    std::mt19937 rng(515);
    const int strategies[] = {Z_DEFAULT_STRATEGY, Z_FILTERED, Z_HUFFMAN_ONLY, Z_RLE};
    int accepted = 0;
    for (int round = 0; round < 150; ++round) {
        const Bytes data = Sample(int(rng() % 4), 5000 + rng() % 15000, rng);
        Bytes stream = ZlibCompress(data, 1 + int(rng() % 9), strategies[rng() % 4]);
        if (round % 3 != 0) {
            const size_t at = 2 + rng() % (stream.size() - 2);
            stream[at] ^= uint8_t(1u << (rng() % 8));
        }
        const size_t size = round % 5 == 0 ? data.size() - rng() % 300 : data.size();
        const Outcome r = InflateBoth(StreamFile(stream, {rng() % stream.size()}), size);
        if (r.ok) {
            ++accepted;
            EXPECT_EQ(r.out, data);
        }
    }
    // Undamaged streams into the right size (a third of the rounds, less a fifth) decode.
    EXPECT_GE(accepted, 40);
    EXPECT_LT(accepted, 150);
}

// Code lengths of a Huffman code over random weights (0 = symbol absent); empty when some
// code would be longer than 15 bits.
std::vector<int> HuffmanLengths(const std::vector<uint32_t>& weights) {
    std::vector<int> lengths(weights.size(), 0);
    using Node = std::pair<uint64_t, std::vector<size_t>>;
    auto cmp = [](const Node& a, const Node& b) { return a.first > b.first; };
    std::priority_queue<Node, std::vector<Node>, decltype(cmp)> queue(cmp);
    for (size_t i = 0; i < weights.size(); ++i) {
        if (weights[i]) queue.push({weights[i], {i}});
    }
    if (queue.size() == 1) lengths[queue.top().second[0]] = 1;
    while (queue.size() > 1) {
        Node a = queue.top();
        queue.pop();
        Node b = queue.top();
        queue.pop();
        for (size_t i : a.second) ++lengths[i];
        for (size_t i : b.second) ++lengths[i];
        a.second.insert(a.second.end(), b.second.begin(), b.second.end());
        queue.push({a.first + b.first, a.second});
    }
    for (int l : lengths) {
        if (l > 15) return {};
    }
    return lengths;
}

// Dynamic blocks whose tables are complete, incomplete or over-full, followed by random bits.
TEST(PngInflateEquivalence, RandomDynamicBlocks) {
    std::mt19937 rng(2024);
    int decoded = 0;
    for (int round = 0; round < 3000; ++round) {
        const int hlit = 257 + int(rng() % 30);
        const int hdist = 1 + int(rng() % 30);
        std::vector<int> lengths;
        const int mode = int(rng() % 3);
        if (mode == 0) {
            // Complete codes, skewed so that some codes exceed the lookup's width.
            std::vector<uint32_t> weights(size_t(hlit + hdist));
            for (auto& w : weights) w = rng() % 3 ? 1u << (rng() % 14) : 0;
            weights[256] = 1;
            std::vector<uint32_t> lit(weights.begin(), weights.begin() + hlit);
            std::vector<uint32_t> dist(weights.begin() + hlit, weights.end());
            lengths = HuffmanLengths(lit);
            const std::vector<int> d = HuffmanLengths(dist);
            if (lengths.empty() || (d.empty() && !dist.empty())) continue;
            lengths.insert(lengths.end(), d.begin(), d.end());
        } else {
            // Random lengths: mostly incomplete (mode 1) or over-full (mode 2) codes.
            for (int i = 0; i < hlit + hdist; ++i) {
                lengths.push_back(mode == 1 ? (rng() % 8 ? 0 : int(rng() % 16))
                                            : int(rng() % 16));
            }
        }
        BitWriter w = DynamicHeader(hlit, hdist);
        for (int l : lengths) w.Code(uint32_t(l), 5);
        for (int i = 0; i < 400; ++i) w.Bits(rng(), 32);
        decoded += InflateBoth(StreamFile(w.Finish()), 1 + rng() % 2000).ok;
    }
    // Random bits end in a checksum match only by chance.
    EXPECT_EQ(decoded, 0);
}

}  // namespace
