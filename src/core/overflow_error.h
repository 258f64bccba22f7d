// The one failure of the level arithmetic: a value that leaves the signed
// 32-bit range. Nothing in the core ever wraps or saturates instead.
#pragma once

#include <exception>

namespace orvanta {

// The field whose number left the range, as far as the failing step knows it.
enum class GradeField { Current, Target, NextDays, None };

// Its message is a fixed text: it carries no string of its own, so throwing
// it allocates nothing beyond the exception object.
class OverflowError : public std::exception {
public:
    explicit OverflowError(GradeField field = GradeField::None) noexcept : field_(field) {}

    const char* what() const noexcept override { return "value outside the signed 32-bit range"; }
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
