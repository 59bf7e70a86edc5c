#pragma once

#include <cstdint>

// Porter-Duff operators of the compositing operations: 0 to 5 on plain (straight-alpha) pixels,
// 6 to 11 the same six on premultiplied pixels. Any other code is refused, negative ones too.
enum class CompositeOp : std::int32_t {
    Over = 0,
    In = 1,
    Out = 2,
    Atop = 3,
    Xor = 4,
    Plus = 5,
    OverPremul = 6,
    InPremul = 7,
    OutPremul = 8,
    AtopPremul = 9,
    XorPremul = 10,
    PlusPremul = 11,
};

inline constexpr std::int32_t kCompositeOpCount = 12;
inline constexpr std::int32_t kPremultipliedOpBase = 6;
