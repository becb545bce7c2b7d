#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// Narrowing conversions of the custom paper arithmetic that stay defined for every input:
// user lengths and paper-definition values may be huge, infinite or not a number.
namespace TL::custom_paper_numbers {

// The integral part of `value` as a 32-bit integer: 0 for not-a-number, the nearest limit
// for values beyond the range.
inline std::int32_t saturatingInt32(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= 2147483648.0) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (value <= -2147483649.0) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(value);
}

inline std::int32_t saturatingInt32(std::int64_t value) {
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (value < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(value);
}

// `value` rounded to single precision; beyond the single-precision range it becomes an
// infinity of its sign, as the hardware conversion gives.
inline float toFloat(double value) {
    constexpr double kMax = static_cast<double>(std::numeric_limits<float>::max());
    if (value > kMax || value < -kMax) {
        // Values that round to the largest float are still finite.
        const float limit = std::numeric_limits<float>::max();
        const double halfUlp = std::ldexp(1.0, 103);  // half the spacing at the top
        if (std::fabs(value) < kMax + halfUlp) {
            return value > 0 ? limit : -limit;
        }
        return value > 0 ? std::numeric_limits<float>::infinity()
                         : -std::numeric_limits<float>::infinity();
    }
    return static_cast<float>(value);
}

}  // namespace TL::custom_paper_numbers
