#include "imageops/resize/ResizeSupersampleWorkers.h"

#include "imageops/resize/AccumulateRows.h"
#include "imageops/resize/BlockFillCopy.h"
#include "imageops/resize/ResizeArithmetic.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace {

// A weight at or below this counts as none.
constexpr double kNegligible = 1e-7;
// Counts stay exact in double.
constexpr std::int64_t kMaxCount = std::int64_t{1} << 53;

std::int64_t FloorCount(double value) {
    return ClampedTrunc(std::floor(value), 0, kMaxCount);
}

// Whole-row adder of the whole-number case, per sample type and layout.
void AccumulateWhole(const std::uint8_t* src, std::int32_t step, std::int32_t width,
                     std::int32_t rows, std::uint32_t* sums, std::int32_t stride, int channels) {
    if (channels == 1) {
        AccumulateRows8u1(src, step, width, rows, sums);
    } else if (channels == 3) {
        AccumulateRows8u3(src, step, width, rows, sums, stride);
    } else {
        AccumulateRows8u4(src, step, width, rows, sums);
    }
}

void AccumulateWhole(const std::uint16_t* src, std::int32_t step, std::int32_t width,
                     std::int32_t rows, std::uint32_t* sums, std::int32_t stride, int channels) {
    if (channels == 1) {
        AccumulateRows16u1(src, step, width, rows, sums);
    } else if (channels == 3) {
        AccumulateRows16u3(src, step, width, rows, sums, stride);
    } else {
        AccumulateRows16u4(src, step, width, rows, sums);
    }
}

void AccumulateWhole(const float* src, std::int32_t step, std::int32_t width, std::int32_t rows,
                     float* sums, std::int32_t stride, int channels) {
    if (channels == 1) {
        AccumulateRows32f1(src, step, width, rows, sums);
    } else if (channels == 3) {
        AccumulateRows32f3(src, step, width, rows, sums, stride);
    } else {
        AccumulateRows32f4(src, step, width, rows, sums);
    }
}

template <typename T, int kChannels>
class Worker {
public:
    Worker(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
           std::int32_t srcSpan, std::int32_t dstWidth, std::int32_t dstHeight, double xScale,
           double yScale, double area, std::int32_t pixelStride, std::int32_t fractionCase,
           std::int32_t srcRows, void* rowBuffer)
        : src_(src), dst_(dst), srcStep_(srcStep), dstStep_(dstStep), srcSpan_(srcSpan),
          dstWidth_(dstWidth), dstHeight_(dstHeight), xScale_(xScale), yScale_(yScale),
          area_(area), stride_(kChannels == 3 ? pixelStride : kChannels), srcRows_(srcRows),
          integerSums_(fractionCase == 0 && std::numeric_limits<T>::is_integer),
          xWhole_((fractionCase & 2) == 0), yWhole_((fractionCase & 1) == 0),
          sums_(static_cast<std::uint32_t*>(rowBuffer)), slots_(static_cast<float*>(rowBuffer)),
          nx_(std::max<std::int64_t>(1, FloorCount(xScale))),
          ny_(std::max<std::int64_t>(1, FloorCount(yScale))) {}

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
    std::ptrdiff_t Slot(std::int64_t pixel, int c) const {
        return static_cast<std::ptrdiff_t>(pixel * stride_ + c);
    }

    // Rows past the region repeat its last row.
    const T* Row(std::int64_t r) const {
        const std::int64_t clamped = std::min<std::int64_t>(r, srcRows_ - 1);
        return reinterpret_cast<const T*>(reinterpret_cast<const unsigned char*>(src_) +
                                          clamped * srcStep_);
    }

    void Clear() {
        ZeroBytes(sums_, static_cast<std::int64_t>(srcSpan_) * stride_ * 4);
    }

    // slot = float(slot + sample * weight), formed in double; multiplicity 1 is a plain add.
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

    // `count` whole rows from row `first`, each rounded after it is added; the repeated last
    // row past the region is added once with its multiplicity.
    void AddWholeRows(std::int64_t first, std::int64_t count, bool rowAdder) {
        const std::int64_t inside = std::clamp<std::int64_t>(srcRows_ - first, 0, count);
        if (rowAdder && inside > 0) {
            if constexpr (std::numeric_limits<T>::is_integer) {
                if (integerSums_) {
                    AccumulateWhole(Row(first), srcStep_, srcSpan_, static_cast<std::int32_t>(inside),
                                    sums_, stride_, kChannels);
                } else {
                    for (std::int64_t r = first; r < first + inside; ++r) {
                        AddWeighted(r, 1.0);
                    }
                }
            } else {
                AccumulateWhole(Row(first), srcStep_, srcSpan_, static_cast<std::int32_t>(inside),
                                slots_, stride_, kChannels);
            }
        } else {
            for (std::int64_t r = first; r < first + inside; ++r) {
                AddWeighted(r, 1.0);
            }
        }
        const std::int64_t repeated = count - inside;
        if (repeated > 0) {
            if (integerSums_) {
                const T* row = Row(srcRows_ - 1);
                const auto times = static_cast<std::uint32_t>(repeated);
                for (std::int64_t p = 0; p < srcSpan_; ++p) {
                    for (int c = 0; c < kChannels; ++c) {
                        sums_[Slot(p, c)] += times * static_cast<std::uint32_t>(row[Slot(p, c)]);
                    }
                }
            } else {
                AddWeighted(srcRows_ - 1, static_cast<double>(repeated));
            }
        }
    }

    void WholeRowsOnly(bool rowAdder) {
        for (std::int32_t y = 0; y < dstHeight_; ++y) {
            Clear();
            AddWholeRows(static_cast<std::int64_t>(y) * ny_, ny_, rowAdder);
            Compact();
            Store(y);
        }
    }

    // The row walk: a row cut by the border between two destination rows is read by both,
    // with weights f and 1 - f; a weight of at most 1e-7 is dropped and the row passed.
    void FractionalRows() {
        std::int64_t current = 0;
        double tail = 0.0;
        for (std::int32_t y = 0; y < dstHeight_; ++y) {
            Clear();
            if (y == 0) {
                AddWholeRows(0, ny_, false);
                current = ny_;
                tail = yScale_ - static_cast<double>(ny_);
                if (tail > kNegligible) {
                    AddWeighted(current, tail);
                }
            } else {
                const double head = 1.0 - tail;
                const std::int64_t whole = FloorCount(yScale_ - head + kNegligible);
                tail = (yScale_ - head) - static_cast<double>(whole);
                if (head > kNegligible) {
                    AddWeighted(current, head);
                }
                ++current;
                AddWholeRows(current, whole, false);
                current += whole;
                if (tail > kNegligible) {
                    AddWeighted(current, tail);
                }
            }
            Compact();
            Store(y);
        }
    }

    // Buffer pixel p, channel c; pixels past the span repeat its last one.
    double Value(std::int64_t p, int c) const {
        const std::ptrdiff_t slot = Slot(std::min<std::int64_t>(p, srcSpan_ - 1), c);
        return integerSums_ ? static_cast<double>(sums_[slot]) : static_cast<double>(slots_[slot]);
    }

    // Sum of `count` whole pixels from `first`, added to acc in double: in blocks while enough
    // remain, rounded to single precision after the blocks and again at the end.
    double WholeRun(double acc, std::int64_t first, std::int64_t count, int c) const {
        const std::int64_t inside = std::clamp<std::int64_t>(srcSpan_ - first, 0, count);
        if (inside < count) {
            for (std::int64_t j = 0; j < inside; ++j) {
                acc += Value(first + j, c);
            }
            acc += static_cast<double>(count - inside) * Value(srcSpan_ - 1, c);
            return static_cast<float>(acc);
        }
        constexpr std::int64_t kBlock = kChannels == 1 ? 5 : 3;
        std::int64_t remaining = count;
        std::int64_t p = first;
        if (remaining >= kBlock + 2) {
            while (remaining >= kBlock + 2) {
                for (std::int64_t j = 0; j < kBlock; ++j) {
                    acc += Value(p++, c);
                }
                remaining -= kBlock;
            }
            acc = static_cast<float>(acc);
        }
        for (; remaining > 0; --remaining) {
            acc += Value(p++, c);
        }
        return static_cast<float>(acc);
    }

    // Horizontal pass: output x replaces buffer pixel x; every read of an output lies at or
    // beyond pixel x and happens before its store.
    void Compact() {
        if (xWhole_) {
            for (std::int64_t x = 0; x < dstWidth_; ++x) {
                const std::int64_t first = x * nx_;
                const std::int64_t inside = std::clamp<std::int64_t>(srcSpan_ - first, 0, nx_);
                const std::int64_t repeated = nx_ - inside;
                for (int c = 0; c < kChannels; ++c) {
                    if (integerSums_) {
                        std::uint32_t sum = 0;
                        for (std::int64_t j = 0; j < inside; ++j) {
                            sum += sums_[Slot(first + j, c)];
                        }
                        sum += static_cast<std::uint32_t>(repeated) * sums_[Slot(srcSpan_ - 1, c)];
                        sums_[Slot(x, c)] = sum;
                    } else {
                        double sum = 0.0;
                        for (std::int64_t j = 0; j < inside; ++j) {
                            sum += slots_[Slot(first + j, c)];
                        }
                        sum += static_cast<double>(repeated) * slots_[Slot(srcSpan_ - 1, c)];
                        slots_[Slot(x, c)] = static_cast<float>(sum);
                    }
                }
            }
            return;
        }
        const double firstTail = xScale_ - static_cast<double>(nx_);
        for (int c = 0; c < kChannels; ++c) {
            double sum = 0.0;
            for (std::int64_t j = 0; j < nx_ && j < srcSpan_; ++j) {
                sum += Value(j, c);
            }
            if (nx_ > srcSpan_) {
                sum += static_cast<double>(nx_ - srcSpan_) * Value(srcSpan_ - 1, c);
            }
            if (firstTail > kNegligible) {
                sum += Value(nx_, c) * firstTail;
            }
            slots_[Slot(0, c)] = static_cast<float>(sum);
        }
        std::int64_t head = nx_;
        double tail = firstTail;
        for (std::int64_t x = 1; x < dstWidth_; ++x) {
            const double lead = 1.0 - tail;
            const std::int64_t whole = FloorCount(xScale_ - lead + kNegligible);
            tail = (xScale_ - lead) - static_cast<double>(whole);
            for (int c = 0; c < kChannels; ++c) {
                double acc = lead > kNegligible ? static_cast<float>(Value(head, c) * lead) : 0.0;
                acc = WholeRun(acc, head + 1, whole, c);
                if (tail > kNegligible) {
                    acc = static_cast<float>(acc + Value(head + whole + 1, c) * tail);
                }
                slots_[Slot(x, c)] = static_cast<float>(acc);
            }
            head += whole + 1;
        }
    }

    void Store(std::int32_t y) {
        T* out = reinterpret_cast<T*>(reinterpret_cast<unsigned char*>(dst_) +
                                      static_cast<std::ptrdiff_t>(y) * dstStep_);
        for (std::int64_t x = 0; x < dstWidth_; ++x) {
            for (int c = 0; c < kChannels; ++c) {
                const double value = integerSums_ ? static_cast<double>(sums_[Slot(x, c)])
                                                  : static_cast<double>(slots_[Slot(x, c)]);
                if constexpr (std::numeric_limits<T>::is_integer) {
                    // Rounded half up; clamped so accumulated rounding can never wrap.
                    out[Slot(x, c)] = static_cast<T>(ClampedTrunc(
                        value * area_ + 0.5, 0, std::numeric_limits<T>::max()));
                } else {
                    out[Slot(x, c)] = static_cast<float>(value * area_);
                }
            }
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
    std::uint32_t* sums_;
    float* slots_;
    std::int64_t nx_;
    std::int64_t ny_;
};

template <typename T, int kChannels>
void RunWorker(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
               std::int32_t srcSpan, std::int32_t dstWidth, std::int32_t dstHeight,
               double xScale, double yScale, double area, std::int32_t pixelStride,
               std::int32_t fractionCase, std::int32_t srcRows, void* rowBuffer) {
    if (fractionCase < 0 || fractionCase > 3 || srcSpan < 1 || srcRows < 1) {
        return;
    }
    Worker<T, kChannels>(src, dst, srcStep, dstStep, srcSpan, dstWidth, dstHeight, xScale,
                         yScale, area, pixelStride, fractionCase, srcRows, rowBuffer)
        .Run(fractionCase);
}

}  // namespace

#define QM_SUPERSAMPLE_PARAMS(type)                                                            \
    const type *src, type *dst, std::int32_t srcStep, std::int32_t dstStep,                   \
        std::int32_t srcSpan, std::int32_t dstWidth, std::int32_t dstHeight, double xScale,   \
        double yScale, double area
#define QM_SUPERSAMPLE_WORKER(name, type, channels)                                            \
    void name(QM_SUPERSAMPLE_PARAMS(type), std::int32_t fractionCase, std::int32_t srcRows,   \
              void* rowBuffer) {                                                               \
        RunWorker<type, channels>(src, dst, srcStep, dstStep, srcSpan, dstWidth, dstHeight,   \
                                  xScale, yScale, area, channels, fractionCase, srcRows,      \
                                  rowBuffer);                                                  \
    }
#define QM_SUPERSAMPLE_WORKER3(name, type)                                                     \
    void name(QM_SUPERSAMPLE_PARAMS(type), std::int32_t pixelStride, std::int32_t fractionCase, \
              std::int32_t srcRows, void* rowBuffer) {                                         \
        RunWorker<type, 3>(src, dst, srcStep, dstStep, srcSpan, dstWidth, dstHeight, xScale,  \
                           yScale, area, pixelStride, fractionCase, srcRows, rowBuffer);      \
    }

QM_SUPERSAMPLE_WORKER(ResizeSupersample8u1Worker, std::uint8_t, 1)
QM_SUPERSAMPLE_WORKER3(ResizeSupersample8u3Worker, std::uint8_t)
QM_SUPERSAMPLE_WORKER(ResizeSupersample8u4Worker, std::uint8_t, 4)
QM_SUPERSAMPLE_WORKER(ResizeSupersample16u1Worker, std::uint16_t, 1)
QM_SUPERSAMPLE_WORKER3(ResizeSupersample16u3Worker, std::uint16_t)
QM_SUPERSAMPLE_WORKER(ResizeSupersample16u4Worker, std::uint16_t, 4)
QM_SUPERSAMPLE_WORKER(ResizeSupersample32f1Worker, float, 1)
QM_SUPERSAMPLE_WORKER3(ResizeSupersample32f3Worker, float)
QM_SUPERSAMPLE_WORKER(ResizeSupersample32f4Worker, float, 4)

#undef QM_SUPERSAMPLE_PARAMS
#undef QM_SUPERSAMPLE_WORKER
#undef QM_SUPERSAMPLE_WORKER3
