#include "grade_math.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <optional>

namespace orvanta {
namespace {

constexpr std::optional<int32_t> kOverflow;

// A call of CalcGradeDays(carried, start, target, speed), or of
// CalcNextGradeDays(start, speed) when carried is kNext.
struct DayCase {
    const char* name;
    int64_t carried;
    int32_t start, target;
    double speed;
    std::optional<int32_t> expected;
};

constexpr int64_t kNext = INT64_MIN;

std::optional<int32_t> Evaluate(const DayCase& c) {
    try {
        if (c.carried == kNext) return CalcNextGradeDays(c.start, c.speed);
        return CalcGradeDays(static_cast<int32_t>(c.carried), c.start, c.target, c.speed);
    } catch (const OverflowError& e) {
        EXPECT_EQ(e.field(), GradeField::None);
        return std::nullopt;
    }
}

// Rows are the four calls; columns are no bonus, then member levels 1 to 6.
TEST(GradeMath, WorkedValuesForEveryMemberLevel) {
    struct Row { int64_t carried; int32_t start, target; int32_t days[7]; };
    const Row rows[] = {
        {kNext, 10, 0, {25, 23, 21, 19, 18, 17, 16}},
        {kNext, 0, 0, {5, 5, 4, 4, 4, 3, 3}},
        {0, 0, 16, {320, 291, 267, 246, 229, 213, 200}},
        {5, 11, 16, {160, 146, 134, 124, 116, 108, 102}},
    };
    for (const Row& r : rows) {
        for (int level = 0; level <= 6; ++level) {
            const DayCase c{"", r.carried, r.start, r.target, VipSpeedFor(level > 0, level), r.days[level]};
            SCOPED_TRACE(testing::Message() << "start " << r.start << " target " << r.target << " VIP" << level);
            EXPECT_EQ(Evaluate(c), c.expected);
        }
    }
}

TEST(GradeMath, EdgeCasesAndOverflowBoundaries) {
    const double vip2 = VipSpeedFor(true, 2);
    const DayCase cases[] = {
        {"level 1 total", 0, 0, 1, 0, 5},
        {"level 2 total", 0, 0, 2, 0, 12},
        {"level 32 total", 0, 0, 32, 0, 1152},
        {"level 48 total", 0, 0, 48, 0, 2496},
        {"level 64 total", 0, 0, 64, 0, 4352},
        {"equal levels give the carried days", 7, 33, 33, vip2, 7},
        {"equal levels, negative carry", -4, 5, 5, 0, -4},
        {"start above target is negative", 5, 11, 10, 0, -20},
        {"7.5 rounds up to even", kNext, 2, 0, vip2, 8},
        {"12.5 rounds down to even", kNext, 5, 0, vip2, 12},
        {"-7.5 rounds to even", 0, 3, 2, vip2, -8},
        {"-12.5 rounds to even", 0, 6, 5, vip2, -12},
        {"largest target from 0", 0, 0, 46338, 0, 2147395596},
        {"one level beyond", 0, 0, 46339, 0, kOverflow},
        {"negative target squares too", 0, 0, -46341, 0, kOverflow},
        {"start square overflows", 0, 46339, 0, 0, kOverflow},
        {"subtracting 4 * start leaves the range", 0, 46340, -2, 0, kOverflow},
        {"carry fits exactly", INT32_MAX, 0, 0, 0, INT32_MAX},
        {"carry pushes past the top", INT32_MAX, 0, 1, 0, kOverflow},
        {"carry pushes past the bottom", INT32_MIN + 1, 1, 0, 0, kOverflow},
        {"largest step", kNext, 46337, 0, 0, 2 * 46337 + 5},
        {"step squares grade + 1", kNext, 46338, 0, 0, kOverflow},
        {"grade + 1 itself", kNext, INT32_MAX, 0, 0, kOverflow},
        {"lowest grade squared", kNext, INT32_MIN, 0, 0, kOverflow},
        {"negative grade step", kNext, -3, 0, 0, -1},
    };
    for (const DayCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Evaluate(c), c.expected);
    }
}

TEST(GradeMath, RoundingFailsOnNonFiniteQuotients) {
    // A divisor of zero can only come from a bonus outside the member levels.
    EXPECT_THROW(CalcNextGradeDays(1, -1.0), OverflowError);
    EXPECT_THROW(CalcGradeDays(0, 3, 3, -1.0), OverflowError);  // 0 / 0
}

TEST(GradeMath, MemberSpeedIsTheDoubleTenthTimesTheLevel) {
    EXPECT_EQ(VipSpeedFor(false, 6), 0.0);
    EXPECT_EQ(VipSpeedFor(true, 3), 0.30000000000000004);
    EXPECT_EQ(VipSpeedFor(true, 6), 0.6000000000000001);
    EXPECT_EQ(VipSpeedFor(true, 5), 0.5);
}

}  // namespace
}  // namespace orvanta
