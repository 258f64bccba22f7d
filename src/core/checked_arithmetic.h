// 32-bit arithmetic that raises OverflowError instead of wrapping.
#pragma once

#include <cstdint>

#include "overflow_error.h"

namespace orvanta {

inline int32_t CheckedAdd(int32_t a, int32_t b) {
    int32_t r;
    if (__builtin_add_overflow(a, b, &r)) throw OverflowError();
    return r;
}

inline int32_t CheckedSub(int32_t a, int32_t b) {
    int32_t r;
    if (__builtin_sub_overflow(a, b, &r)) throw OverflowError();
    return r;
}

inline int32_t CheckedMul(int32_t a, int32_t b) {
    int32_t r;
    if (__builtin_mul_overflow(a, b, &r)) throw OverflowError();
    return r;
}

}  // namespace orvanta
