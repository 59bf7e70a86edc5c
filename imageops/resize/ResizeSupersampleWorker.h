#pragma once

#include "imageops/resize/ResizeArithmetic.h"
#include "imageops/resize/ResizeSupersampleBuild.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

// Area-averaging workers: each destination sample is the mean of the source area its pixel
// covers, border pixels and rows counted with the covered fraction. For every destination row
// the worker clears rowBuffer, adds the covered source rows into it (vertical pass), then sums
// the buffer's pixels of each destination pixel (horizontal pass) and stores value * area.
//
// src is the region's first sample, steps are bytes, srcSpan the source pixels summed per row
// (never more than the region's width), srcRows the region's height. A footprint that reaches
// past them (a region narrower or lower than one footprint, or the last pixel or row by a
// hair) averages the part inside: its sum divided by the weight inside, nothing outside read.
// xScale and yScale are source pixels per destination pixel (at least 1), area =
// 1 / (xScale * yScale). fractionCase: bit 1 when xScale has a fractional part, bit 0 when
// yScale has one; any value outside 0-3 does nothing.
//
// rowBuffer holds srcSpan pixels of S 32-bit slots (S = 1, pixelStride or 4): unsigned sums
// when fractionCase is 0 and the samples are integers, floats otherwise. Where the integer
// case adds more rows than a 32-bit sum holds exactly (SupersampleWideRows), the rows go in
// runs that do, gathered in as many 64-bit sums behind the slots (SupersampleWideOffset);
// pixel sums of that case are 64-bit, so no footprint a region can hold wraps.
//
// Integer results are trunc(value * area + 0.5) clamped to the sample range; float results
// value * area. Suffix 1: one sample per pixel (also each plane of a planar image); 4: four
// samples; 3: samples 0-2 of pixels pixelStride samples apart, further samples untouched.
//
// The worker is shared by every build. Pieces names the build's block pieces: Zero(block,
// bytes) clears the row buffer and Rows(src, step, width, rows, sums, stride, channels), one
// overload per sample type, leaves the sums of whole source rows in the cleared buffer in the
// whole-number case. Every build's pieces give the same sums, so every build gives the same
// bytes.

// A weight at or below this counts as none.
inline constexpr double kSupersampleNegligible = 1e-7;
// Counts stay exact in double.
inline constexpr std::int64_t kSupersampleMaxCount = std::int64_t{1} << 53;

inline std::int64_t SupersampleFloorCount(double value) {
    return ClampedTrunc(std::floor(value), 0, kSupersampleMaxCount);
}

// Rows of samples up to `largest` that a 32-bit sum holds exactly.
inline constexpr std::int64_t SupersampleExactRows(std::uint32_t largest) {
    return std::numeric_limits<std::uint32_t>::max() / largest;
}

// Whether the whole-number case of an integer sample type up to `largest` adds more rows into
// one destination row (yScale's whole part, as far as the region's srcRows reach) than a
// 32-bit sum holds, and so needs the 64-bit sums.
inline bool SupersampleWideRows(std::uint32_t largest, double yScale, std::int32_t srcRows) {
    const std::int64_t rows = std::min<std::int64_t>(
        std::max<std::int64_t>(1, SupersampleFloorCount(yScale)), srcRows);
    return rows > SupersampleExactRows(largest);
}

// Byte offset of the 64-bit sums behind `slotCount` 32-bit slots, 32-byte aligned.
inline std::int64_t SupersampleWideOffset(std::int64_t slotCount) {
    return (slotCount * 4 + 31) / 32 * 32;
}

template <typename T, int kChannels, typename Pieces>
class SupersampleWorker {
public:
    SupersampleWorker(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
           std::int32_t srcSpan, std::int32_t dstWidth, std::int32_t dstHeight, double xScale,
           double yScale, double area, std::int32_t pixelStride, std::int32_t fractionCase,
           std::int32_t srcRows, void* rowBuffer)
        : src_(src), dst_(dst), srcStep_(srcStep), dstStep_(dstStep), srcSpan_(srcSpan),
          dstWidth_(dstWidth), dstHeight_(dstHeight), xScale_(xScale), yScale_(yScale),
          area_(area), stride_(kChannels == 3 ? pixelStride : kChannels), srcRows_(srcRows),
          integerSums_(fractionCase == 0 && std::numeric_limits<T>::is_integer),
          xWhole_((fractionCase & 2) == 0), yWhole_((fractionCase & 1) == 0),
          buffer_(rowBuffer), sums_(static_cast<std::uint32_t*>(rowBuffer)),
          slots_(static_cast<float*>(rowBuffer)),
          nx_(std::max<std::int64_t>(1, SupersampleFloorCount(xScale))),
          ny_(std::max<std::int64_t>(1, SupersampleFloorCount(yScale))) {}

    void Run(std::int32_t fractionCase) {
        if (fractionCase == 0) {
            WholeRowsOnly(true);
        } else if (yWhole_) {
            WholeRowsOnly(false);
        } else {
            FractionalRows();
        }
    }

private:
    std::int64_t SlotCount() const { return static_cast<std::int64_t>(srcSpan_) * stride_; }

    std::ptrdiff_t Slot(std::int64_t pixel, int c) const {
        return static_cast<std::ptrdiff_t>(pixel * stride_ + c);
    }

    const T* Row(std::int64_t r) const {
        return reinterpret_cast<const T*>(reinterpret_cast<const unsigned char*>(src_) +
                                          r * srcStep_);
    }

    void Clear() { Pieces::Zero(sums_, SlotCount() * 4); }

    // slot = float(slot + sample * weight), formed in double; weight 1 is a plain add.
    void AddWeighted(std::int64_t r, double weight) {
        const T* row = Row(r);
        for (std::int64_t p = 0; p < srcSpan_; ++p) {
            for (int c = 0; c < kChannels; ++c) {
                float& slot = slots_[Slot(p, c)];
                slot = static_cast<float>(static_cast<double>(slot) +
                                          static_cast<double>(row[Slot(p, c)]) * weight);
            }
        }
    }

    // Row r of the walk with its weight; a row past the region is left out of the footprint.
    void AddRow(std::int64_t r, double weight) {
        if (r >= srcRows_) {
            rowWhole_ = false;
            return;
        }
        AddWeighted(r, weight);
        rowWeight_ += weight;
    }

    // `count` whole rows from row `first`, as far as the region reaches: through the build's
    // row adders in the whole-number case, else one by one.
    void AddWholeRows(std::int64_t first, std::int64_t count, bool rowAdder) {
        const std::int64_t inside = std::clamp<std::int64_t>(srcRows_ - first, 0, count);
        if (rowAdder && inside > 0) {
            AddRowRun(first, inside);
        } else {
            for (std::int64_t r = first; r < first + inside; ++r) {
                AddWeighted(r, 1.0);
            }
        }
        rowWeight_ += static_cast<double>(inside);
        rowWhole_ = rowWhole_ && inside == count;
    }

    // `count` whole rows from row `first`, all inside the region, through the build's row
    // adders, in runs whose 32-bit sums stay exact.
    void AddRowRun(std::int64_t first, std::int64_t count) {
        if constexpr (std::numeric_limits<T>::is_integer) {
            constexpr std::int64_t kRun = SupersampleExactRows(std::numeric_limits<T>::max());
            wide_ = count > kRun ? reinterpret_cast<std::uint64_t*>(
                                       static_cast<unsigned char*>(buffer_) +
                                       SupersampleWideOffset(SlotCount()))
                                 : nullptr;
            for (std::int64_t done = 0; done < count; done += kRun) {
                const std::int64_t rows = std::min(kRun, count - done);
                if (done > 0) {
                    Clear();
                }
                Pieces::Rows(Row(first + done), srcStep_, srcSpan_,
                             static_cast<std::int32_t>(rows), sums_, stride_, kChannels);
                if (wide_ != nullptr) {
                    for (std::int64_t i = 0; i < SlotCount(); ++i) {
                        wide_[i] = (done > 0 ? wide_[i] : 0) + sums_[i];
                    }
                }
            }
        } else {
            Pieces::Rows(Row(first), srcStep_, srcSpan_, static_cast<std::int32_t>(count),
                         slots_, stride_, kChannels);
        }
    }

    void WholeRowsOnly(bool rowAdder) {
        for (std::int32_t y = 0; y < dstHeight_; ++y) {
            Clear();
            rowWeight_ = 0.0;
            rowWhole_ = true;
            AddWholeRows(static_cast<std::int64_t>(y) * ny_, ny_, rowAdder);
            Emit(y);
        }
    }

    // The row walk: a row cut by the border between two destination rows is read by both,
    // with weights f and 1 - f; a weight of at most 1e-7 is dropped and the row passed. The
    // first footprint's trailing weight is tested like every later one, not added whatever its
    // size: a hair of weight adds nothing to the mean, and skipping it keeps the first pixel from
    // reading a row or column the region's footprints otherwise never touch.
    void FractionalRows() {
        std::int64_t current = 0;
        double tail = 0.0;
        for (std::int32_t y = 0; y < dstHeight_; ++y) {
            Clear();
            rowWeight_ = 0.0;
            rowWhole_ = true;
            std::int64_t whole = ny_;
            if (y == 0) {
                tail = yScale_ - static_cast<double>(ny_);
            } else {
                const double head = 1.0 - tail;
                whole = SupersampleFloorCount(yScale_ - head + kSupersampleNegligible);
                tail = (yScale_ - head) - static_cast<double>(whole);
                if (head > kSupersampleNegligible) {
                    AddRow(current, head);
                }
                ++current;
            }
            AddWholeRows(current, whole, false);
            current += whole;
            if (tail > kSupersampleNegligible) {
                AddRow(current, tail);
            }
            Emit(y);
        }
    }

    // Sum of `count` whole float pixels from `first`, added to acc in double: in blocks while
    // enough remain, rounded to single precision after the blocks and again at the end.
    double WholeRun(double acc, std::int64_t first, std::int64_t count, int c) const {
        constexpr std::int64_t kBlock = kChannels == 1 ? 5 : 3;
        std::int64_t remaining = count;
        std::int64_t p = first;
        if (remaining >= kBlock + 2) {
            while (remaining >= kBlock + 2) {
                for (std::int64_t j = 0; j < kBlock; ++j) {
                    acc += slots_[Slot(p++, c)];
                }
                remaining -= kBlock;
            }
            acc = static_cast<float>(acc);
        }
        for (; remaining > 0; --remaining) {
            acc += slots_[Slot(p++, c)];
        }
        return static_cast<float>(acc);
    }

    // Integer column sum of the whole-number case: 64-bit where the rows went in runs.
    std::uint64_t ColumnSum(std::int64_t p, int c) const {
        return wide_ != nullptr ? wide_[Slot(p, c)] : sums_[Slot(p, c)];
    }

    // Horizontal pass and store of destination row y: each pixel's value goes to Put with
    // whether its columns all lie inside the span and what those inside weigh (only the last
    // pixel can reach past the span).
    void Emit(std::int32_t y) {
        T* out = reinterpret_cast<T*>(reinterpret_cast<unsigned char*>(dst_) +
                                      static_cast<std::ptrdiff_t>(y) * dstStep_);
        if (xWhole_) {
            for (std::int64_t x = 0; x < dstWidth_; ++x) {
                const std::int64_t first = x * nx_;
                const std::int64_t inside = std::clamp<std::int64_t>(srcSpan_ - first, 0, nx_);
                for (int c = 0; c < kChannels; ++c) {
                    double value = 0.0;
                    if (integerSums_) {
                        std::uint64_t sum = 0;
                        for (std::int64_t j = 0; j < inside; ++j) {
                            sum += ColumnSum(first + j, c);
                        }
                        value = static_cast<double>(sum);
                    } else {
                        double sum = 0.0;
                        for (std::int64_t j = 0; j < inside; ++j) {
                            sum += slots_[Slot(first + j, c)];
                        }
                        value = static_cast<float>(sum);
                    }
                    Put(out, x, c, value, inside == nx_, static_cast<double>(inside));
                }
            }
            return;
        }
        const double firstTail = xScale_ - static_cast<double>(nx_);
        const std::int64_t firstInside = std::min<std::int64_t>(nx_, srcSpan_);
        const bool firstTailUsed = firstTail > kSupersampleNegligible && nx_ < srcSpan_;
        const bool firstWhole =
            firstInside == nx_ && (firstTail <= kSupersampleNegligible || firstTailUsed);
        for (int c = 0; c < kChannels; ++c) {
            double sum = 0.0;
            for (std::int64_t j = 0; j < firstInside; ++j) {
                sum += slots_[Slot(j, c)];
            }
            if (firstTailUsed) {
                sum += slots_[Slot(nx_, c)] * firstTail;
            }
            Put(out, 0, c, static_cast<float>(sum), firstWhole,
                static_cast<double>(firstInside) + (firstTailUsed ? firstTail : 0.0));
        }
        std::int64_t head = nx_;
        double tail = firstTail;
        for (std::int64_t x = 1; x < dstWidth_; ++x) {
            const double lead = 1.0 - tail;
            const std::int64_t whole =
                SupersampleFloorCount(xScale_ - lead + kSupersampleNegligible);
            tail = (xScale_ - lead) - static_cast<double>(whole);
            const std::int64_t last = head + whole + 1;
            const bool leadUsed = lead > kSupersampleNegligible && head < srcSpan_;
            const std::int64_t inside = std::clamp<std::int64_t>(srcSpan_ - (head + 1), 0, whole);
            const bool tailUsed = tail > kSupersampleNegligible && last < srcSpan_;
            const bool complete = (leadUsed || lead <= kSupersampleNegligible) &&
                                  inside == whole && (tailUsed || tail <= kSupersampleNegligible);
            const double weight = (leadUsed ? lead : 0.0) + static_cast<double>(inside) +
                                  (tailUsed ? tail : 0.0);
            for (int c = 0; c < kChannels; ++c) {
                double acc = leadUsed ? static_cast<float>(slots_[Slot(head, c)] * lead) : 0.0;
                acc = WholeRun(acc, head + 1, inside, c);
                if (tailUsed) {
                    acc = static_cast<float>(acc + slots_[Slot(last, c)] * tail);
                }
                Put(out, x, c, acc, complete, weight);
            }
            head = last;
        }
    }

    // Stores the mean of one sample: value * area for a footprint inside the region, else
    // value over the weight of the part inside.
    void Put(T* out, std::int64_t x, int c, double value, bool columnsWhole,
             double columnWeight) const {
        const double mean =
            columnsWhole && rowWhole_ ? value * area_ : value / (columnWeight * rowWeight_);
        if constexpr (std::numeric_limits<T>::is_integer) {
            // Rounded half up; clamped so accumulated rounding can never wrap.
            out[Slot(x, c)] =
                static_cast<T>(ClampedTrunc(mean + 0.5, 0, std::numeric_limits<T>::max()));
        } else {
            out[Slot(x, c)] = static_cast<float>(mean);
        }
    }

    const T* src_;
    T* dst_;
    std::int32_t srcStep_;
    std::int32_t dstStep_;
    std::int32_t srcSpan_;
    std::int32_t dstWidth_;
    std::int32_t dstHeight_;
    double xScale_;
    double yScale_;
    double area_;
    std::int32_t stride_;
    std::int32_t srcRows_;
    bool integerSums_;
    bool xWhole_;
    bool yWhole_;
    void* buffer_;
    std::uint32_t* sums_;
    float* slots_;
    std::uint64_t* wide_ = nullptr;
    std::int64_t nx_;
    std::int64_t ny_;
    // The current destination row's weight inside the region, and whether that is all of it.
    double rowWeight_ = 0.0;
    bool rowWhole_ = true;
};

template <typename T, int kChannels, typename Pieces>
void RunSupersampleWorker(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
               std::int32_t srcSpan, std::int32_t dstWidth, std::int32_t dstHeight,
               double xScale, double yScale, double area, std::int32_t pixelStride,
               std::int32_t fractionCase, std::int32_t srcRows, void* rowBuffer) {
    if (fractionCase < 0 || fractionCase > 3 || srcSpan < 1 || srcRows < 1) {
        return;
    }
    SupersampleWorker<T, kChannels, Pieces>(src, dst, srcStep, dstStep, srcSpan, dstWidth, dstHeight, xScale,
                         yScale, area, pixelStride, fractionCase, srcRows, rowBuffer)
        .Run(fractionCase);
}

// The workers of one sample type and layout, as the driver's table holds them: pixels of
// kChannels samples, or samples 0-2 of pixels pixelStride apart.
template <typename T, int kChannels, typename Pieces>
void SupersampleWorkerFor(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
                          std::int32_t srcSpan, std::int32_t dstWidth, std::int32_t dstHeight,
                          double xScale, double yScale, double area, std::int32_t fractionCase,
                          std::int32_t srcRows, void* rowBuffer) {
    RunSupersampleWorker<T, kChannels, Pieces>(src, dst, srcStep, dstStep, srcSpan, dstWidth,
                                               dstHeight, xScale, yScale, area, kChannels,
                                               fractionCase, srcRows, rowBuffer);
}

template <typename T, typename Pieces>
void SupersampleWorker3For(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
                           std::int32_t srcSpan, std::int32_t dstWidth, std::int32_t dstHeight,
                           double xScale, double yScale, double area, std::int32_t pixelStride,
                           std::int32_t fractionCase, std::int32_t srcRows, void* rowBuffer) {
    RunSupersampleWorker<T, 3, Pieces>(src, dst, srcStep, dstStep, srcSpan, dstWidth, dstHeight,
                                       xScale, yScale, area, pixelStride, fractionCase, srcRows,
                                       rowBuffer);
}

template <typename T, typename Pieces>
constexpr SupersampleWorkerSet<T> SupersampleWorkerSetFor() {
    return {SupersampleWorkerFor<T, 1, Pieces>, SupersampleWorker3For<T, Pieces>,
            SupersampleWorkerFor<T, 4, Pieces>};
}

// One build's nine workers over its pieces.
template <typename Pieces>
constexpr SupersampleBuild SupersampleBuildFor() {
    return {SupersampleWorkerSetFor<std::uint8_t, Pieces>(),
            SupersampleWorkerSetFor<std::uint16_t, Pieces>(),
            SupersampleWorkerSetFor<float, Pieces>()};
}
