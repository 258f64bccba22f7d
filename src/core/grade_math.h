// Tovix level arithmetic: level N needs N*N + 4*N active days in total, and a
// member bonus divides the days of the level steps by (1 + speed).
#pragma once

#include <cstdint>

#include "overflow_error.h"

namespace orvanta {

// Days of the single step from `grade` to grade + 1 under bonus `speed`,
// rounded to nearest with ties to even. Throws OverflowError.
int32_t CalcNextGradeDays(int32_t grade, double speed);

// Days needed to reach `targetGrade` counting the level steps from
// `startGrade` under bonus `speed`, plus `carriedDays` added unscaled.
// Throws OverflowError.
int32_t CalcGradeDays(int32_t carriedDays, int32_t startGrade, int32_t targetGrade, double speed);

// The member bonus: 0 for a non-member, 0.1 * memberLevel (in double
// precision) for member levels 1 to 6.
double VipSpeedFor(bool isMember, int64_t memberLevel);

}  // namespace orvanta
