// The one failure of the level arithmetic: a value that leaves the signed
// 32-bit range. Nothing in the core ever wraps or saturates instead.
#pragma once

#include <stdexcept>

namespace orvanta {

// The field whose number left the range, as far as the failing step knows it.
enum class GradeField { Current, Target, NextDays, None };

class OverflowError : public std::overflow_error {
public:
    explicit OverflowError(GradeField field = GradeField::None)
        : std::overflow_error("value outside the signed 32-bit range"), field_(field) {}

    GradeField field() const noexcept { return field_; }

private:
    GradeField field_;
};

// Runs `step`; an overflow inside it is an overflow of `field`.
template <typename Step>
auto InField(GradeField field, Step&& step) -> decltype(step()) {
    try {
        return step();
    } catch (const OverflowError&) {
        throw OverflowError(field);
    }
}

}  // namespace orvanta
