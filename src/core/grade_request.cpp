#include "grade_request.h"

#include <array>
#include <cstddef>
#include <initializer_list>
#include <string>

#include "checked_arithmetic.h"

namespace orvanta {
namespace {

// What a Chinese input method types in its full-width mode: the ideographic
// space for the space bar, and full-width forms of the number's characters,
// which read as their ASCII characters. Each is three bytes in UTF-8.
constexpr std::string_view kIdeographicSpace = "　";
constexpr struct {
    std::string_view wide;
    char ascii;
} kFullWidthNumberChars[] = {
    {"０", '0'}, {"１", '1'}, {"２", '2'}, {"３", '3'}, {"４", '4'}, {"５", '5'}, {"６", '6'}, {"７", '7'},
    {"８", '8'}, {"９", '9'}, {"＋", '+'}, {"－", '-'}, {"．", '.'}, {"Ｅ", 'E'}, {"ｅ", 'e'},
};
constexpr std::size_t kFullWidthBytes = 3;

// The ASCII character of the full-width form at `pos`, or '\0' when none is there.
char FullWidthNumberChar(std::string_view text, std::size_t pos) {
    const std::string_view here = text.substr(pos, kFullWidthBytes);
    for (const auto& c : kFullWidthNumberChars) {
        if (here == c.wide) return c.ascii;
    }
    return '\0';
}

// The bytes of the space, ASCII or ideographic, that the text begins or ends
// with; 0 when it begins or ends with something else.
std::size_t LeadingSpaceBytes(std::string_view text) {
    if (!text.empty() && text.front() == ' ') return 1;
    return text.substr(0, kIdeographicSpace.size()) == kIdeographicSpace ? kIdeographicSpace.size() : 0;
}

std::size_t TrailingSpaceBytes(std::string_view text) {
    if (!text.empty() && text.back() == ' ') return 1;
    const std::size_t n = kIdeographicSpace.size();
    return text.size() >= n && text.substr(text.size() - n) == kIdeographicSpace ? n : 0;
}

// Walks a field text while skipping the characters ReadNumber ignores and
// reading the full-width forms of the number's characters as ASCII.
class DigitCursor {
public:
    explicit DigitCursor(std::string_view text) : text_(text) { Skip(); }

    // The current character, or '\0' at the end of the text. A byte of a
    // character that cannot be part of a number comes as itself.
    char Peek() const {
        if (pos_ >= text_.size()) return '\0';
        const char wide = FullWidthNumberChar(text_, pos_);
        return wide != '\0' ? wide : text_[pos_];
    }

    void Advance() {
        pos_ += FullWidthNumberChar(text_, pos_) != '\0' ? kFullWidthBytes : 1;
        Skip();
    }

private:
    void Skip() {
        for (;;) {
            if (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n')) {
                ++pos_;
            } else if (text_.substr(pos_, kIdeographicSpace.size()) == kIdeographicSpace) {
                pos_ += kIdeographicSpace.size();
            } else {
                return;
            }
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A value of 10^10 or more is out of range whatever else follows, so the
// first eleven significant digits (ten integer digits and the rounding digit)
// and whether anything non-zero follows them decide every reading.
constexpr int kKeptDigits = 11;

// Exponents are clamped far beyond any text length; a clamped exponent still
// pushes every non-zero digit out of range or below one half.
constexpr int64_t kExponentClamp = 1000000000000000;

// The level after the current one; the highest 32-bit level has none.
int32_t NextLevelOf(int32_t grade) {
    return InField(GradeField::Current, [grade] { return CheckedAdd(grade, 1); });
}

int32_t ReadField(std::string_view text, GradeField field) {
    return InField(field, [text] { return ReadNumber(text); });
}

// The magnitude of n; the lowest 32-bit value has none.
int32_t Magnitude(int32_t n) {
    if (n == INT32_MIN) throw OverflowError();
    return n < 0 ? -n : n;
}

std::string Concat(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (std::string_view part : parts) text += part;
    return text;
}

// Months of 30 days rounded towards minus infinity.
int32_t FloorMonths(int32_t days) {
    int32_t months = days / 30;
    if (days % 30 != 0 && days < 0) --months;
    return months;
}

}  // namespace

std::string_view TrimSpaces(std::string_view text) {
    while (const std::size_t n = LeadingSpaceBytes(text)) text.remove_prefix(n);
    while (const std::size_t n = TrailingSpaceBytes(text)) text.remove_suffix(n);
    return text;
}

int32_t ReadNumber(std::string_view text) {
    DigitCursor cur(text);

    bool negative = false;
    if (cur.Peek() == '+' || cur.Peek() == '-') {
        negative = cur.Peek() == '-';
        cur.Advance();
    }

    // Mantissa: digits with at most one decimal point.
    int64_t digitCount = 0;
    int64_t intDigits = -1;     // digits before the point
    int64_t firstNonZero = -1;  // index of the first significant digit
    std::array<int, kKeptDigits + 1> kept{};  // one spare slot reads as 0
    int keptCount = 0;
    bool nonZeroBeyondKept = false;
    for (;;) {
        const char c = cur.Peek();
        if (IsDigit(c)) {
            const int d = c - '0';
            if (firstNonZero < 0 && d != 0) firstNonZero = digitCount;
            if (firstNonZero >= 0) {
                if (keptCount < kKeptDigits) {
                    kept[keptCount++] = d;
                } else if (d != 0) {
                    nonZeroBeyondKept = true;
                }
            }
            ++digitCount;
        } else if (c == '.' && intDigits < 0) {
            intDigits = digitCount;
        } else {
            break;
        }
        cur.Advance();
    }
    if (digitCount == 0) return 0;  // no leading number
    if (intDigits < 0) intDigits = digitCount;

    // Exponent: only when the letter is followed by digits.
    int64_t exponent = 0;
    if (cur.Peek() == 'e' || cur.Peek() == 'E') {
        cur.Advance();
        bool expNegative = false;
        if (cur.Peek() == '+' || cur.Peek() == '-') {
            expNegative = cur.Peek() == '-';
            cur.Advance();
        }
        while (IsDigit(cur.Peek())) {
            exponent = exponent * 10 + (cur.Peek() - '0');
            if (exponent > kExponentClamp) exponent = kExponentClamp;
            cur.Advance();
        }
        if (expNegative) exponent = -exponent;
    }

    if (firstNonZero < 0) return 0;

    // Count of integer digits from the first significant one on.
    const int64_t wholeDigits = intDigits - firstNonZero + exponent;
    if (wholeDigits > 10) throw OverflowError();
    if (wholeDigits < 0) return 0;  // below 0.1

    const int whole = static_cast<int>(wholeDigits);
    int64_t magnitude = 0;
    for (int i = 0; i < whole; ++i) magnitude = magnitude * 10 + kept[i];

    const int roundDigit = kept[whole];
    bool beyondHalf = nonZeroBeyondKept;
    for (int i = whole + 1; i < kKeptDigits; ++i) beyondHalf = beyondHalf || kept[i] != 0;
    if (roundDigit > 5 || (roundDigit == 5 && (beyondHalf || magnitude % 2 != 0))) ++magnitude;

    if (negative) {
        if (magnitude > 2147483648LL) throw OverflowError();
        return static_cast<int32_t>(-magnitude);
    }
    if (magnitude > 2147483647LL) throw OverflowError();
    return static_cast<int32_t>(magnitude);
}

std::string NormalizeGradeText(std::string_view text) {
    return std::to_string(Magnitude(ReadNumber(TrimSpaces(text))));
}

std::string NormalizeNextDaysText(std::string_view text) {
    const std::string_view trimmed = TrimSpaces(text);
    if (trimmed == UnknownMark) return std::string(UnknownMark);
    const int32_t n = Magnitude(ReadNumber(trimmed));
    return n == 0 ? std::string(UnknownMark) : std::to_string(n);
}

GradeOutcome RunCalculation(const GradeInputs& inputs) {
    GradeOutcome out;
    const bool daysKnown = inputs.nextText != UnknownMark;

    out.GradeCur = ReadField(inputs.curText, GradeField::Current);
    out.GradeNextDays = ReadField(inputs.nextText, GradeField::NextDays);
    out.GradeStart = daysKnown ? NextLevelOf(out.GradeCur) : out.GradeCur;
    out.GradeDir = ReadField(inputs.dirText, GradeField::Target);

    // Position k of the member list is member level k + 1.
    const int64_t memberLevel = int64_t{inputs.vipIndex} + 1;
    out.VipSpeed = VipSpeedFor(inputs.isMember, memberLevel);
    out.VipName = inputs.isMember ? std::string(texts::kMemberPrefix) + std::to_string(memberLevel)
                                  : std::string(UnknownMark);

    if (out.GradeDir < out.GradeCur) {
        out.kind = GradeOutcome::Kind::Warning;
        out.icon = GradeOutcome::Icon::Information;
        out.focus = GradeField::Current;
        out.text = texts::kTargetBelowCurrent;
        return out;
    }

    const int32_t maxStep =
        InField(GradeField::Current, [&out] { return CalcNextGradeDays(out.GradeCur, out.VipSpeed); });
    if (maxStep < out.GradeNextDays) {
        const int32_t nextGrade = NextLevelOf(out.GradeCur);
        out.kind = GradeOutcome::Kind::Warning;
        out.icon = GradeOutcome::Icon::Warning;
        out.focus = GradeField::NextDays;
        out.text = Concat({texts::kTooManyDaysHeading, texts::kLineBreak, texts::kLineBreak, texts::kStepFrom,
                           std::to_string(out.GradeCur), texts::kStepTo, std::to_string(nextGrade),
                           texts::kStepAtMost, std::to_string(maxStep), texts::kStepDaysEnd});
        return out;
    }

    if (daysKnown && out.GradeDir == out.GradeCur) {
        // The target level is already held: its remaining days belong to the
        // step beyond it, so nothing is left to wait for.
        out.DaysNeeded = 0;
    } else {
        out.DaysNeeded = InField(GradeField::Target, [&out] {
            return CalcGradeDays(out.GradeNextDays, out.GradeStart, out.GradeDir, out.VipSpeed);
        });
    }

    out.kind = GradeOutcome::Kind::Report;
    out.text = FormatReport(out.GradeCur, out.GradeDir, out.VipName, inputs.nextText, out.DaysNeeded);
    return out;
}

std::string FormatReport(int32_t GradeCur, int32_t GradeDir, std::string_view VipName,
                         std::string_view nextText, int32_t DaysNeeded) {
    using namespace texts;
    std::string block;
    const auto line = [&block](std::initializer_list<std::string_view> parts) {
        block += Concat(parts);
        block += kLineBreak;
    };
    const std::string cur = std::to_string(GradeCur), dir = std::to_string(GradeDir),
                      days = std::to_string(DaysNeeded), months = std::to_string(FloorMonths(DaysNeeded)),
                      rest = std::to_string(DaysNeeded % 30);
    line({kReportRule});
    line({kCurrentLevel, cur, kLevelUnit});
    line({kTargetLevel, dir, kLevelUnit});
    line({kMemberLevel, VipName});
    if (nextText == UnknownMark) line({kNextStep, UnknownMark});
    else line({kNextStep, nextText, kDayUnit});
    line({kDaysNeeded, days, kDayUnit});
    line({kMonthsNeeded, months, kMonthUnit, rest, kDayUnit});
    return block;
}

}  // namespace orvanta
