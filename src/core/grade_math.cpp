#include "grade_math.h"

#include <cmath>

#include "checked_arithmetic.h"

namespace orvanta {
namespace {

int32_t RoundToInt32(double x) {
    // Nearest integer, an exact half going to the even neighbour. x - floor(x)
    // is exact for every finite double, so no rounding mode is involved.
    double r = std::floor(x);
    const double frac = x - r;
    if (frac > 0.5 || (frac == 0.5 && std::fmod(r, 2.0) != 0.0)) r += 1.0;
    // The negated test also sends NaN to the overflow error.
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw OverflowError();
    return static_cast<int32_t>(r);
}

// GradeDays(to) - GradeDays(from), each step checked in this order:
// to*to, 4*to, their sum, minus from*from, minus 4*from.
int32_t GradeSpan(int32_t from, int32_t to) {
    const int32_t square = CheckedMul(to, to);
    const int32_t linear = CheckedMul(4, to);
    int32_t span = CheckedAdd(square, linear);
    span = CheckedSub(span, CheckedMul(from, from));
    return CheckedSub(span, CheckedMul(4, from));
}

}  // namespace

int32_t CalcNextGradeDays(int32_t grade, double speed) {
    const int32_t step = GradeSpan(grade, CheckedAdd(grade, 1));
    return RoundToInt32(static_cast<double>(step) / (1.0 + speed));
}

int32_t CalcGradeDays(int32_t carriedDays, int32_t startGrade, int32_t targetGrade, double speed) {
    const double scaled = static_cast<double>(GradeSpan(startGrade, targetGrade)) / (1.0 + speed);
    return RoundToInt32(scaled + static_cast<double>(carriedDays));
}

double VipSpeedFor(bool isMember, int64_t memberLevel) {
    return isMember ? 0.1 * static_cast<double>(memberLevel) : 0.0;
}

}  // namespace orvanta
