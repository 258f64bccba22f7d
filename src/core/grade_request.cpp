#include "grade_request.h"

#include <array>
#include <cstddef>
#include <string>

namespace orvanta {
namespace {

// Walks a field text while skipping the characters ReadNumber ignores.
class DigitCursor {
public:
    explicit DigitCursor(std::string_view text) : text_(text) { Skip(); }

    // The current character, or '\0' at the end of the text.
    char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }

    void Advance() {
        ++pos_;
        Skip();
    }

private:
    void Skip() {
        while (pos_ < text_.size() &&
               (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n')) {
            ++pos_;
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
    int32_t r;
    if (__builtin_add_overflow(grade, 1, &r)) throw OverflowError(GradeField::Current);
    return r;
}

int32_t ReadField(std::string_view text, GradeField field) {
    try {
        return ReadNumber(text);
    } catch (const OverflowError&) {
        throw OverflowError(field);
    }
}

std::string_view TrimSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// The magnitude of n; the lowest 32-bit value has none.
int32_t Magnitude(int32_t n) {
    if (n == INT32_MIN) throw OverflowError();
    return n < 0 ? -n : n;
}

// Months of 30 days rounded towards minus infinity.
int32_t FloorMonths(int32_t days) {
    int32_t months = days / 30;
    if (days % 30 != 0 && days < 0) --months;
    return months;
}

}  // namespace

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
    out.VipSpeed = inputs.isMember ? 0.1 * static_cast<double>(memberLevel) : 0.0;
    out.VipName = inputs.isMember ? "VIP" + std::to_string(memberLevel) : std::string(UnknownMark);

    if (out.GradeDir < out.GradeCur) {
        out.kind = GradeOutcome::Kind::Warning;
        out.icon = GradeOutcome::Icon::Information;
        out.focus = GradeField::Current;
        // 晕...你这是升级还是降级？！
        out.text = "\xE6\x99\x95...\xE4\xBD\xA0\xE8\xBF\x99\xE6\x98\xAF\xE5\x8D\x87\xE7\xBA\xA7"
                   "\xE8\xBF\x98\xE6\x98\xAF\xE9\x99\x8D\xE7\xBA\xA7\xEF\xBC\x9F\xEF\xBC\x81";
        return out;
    }

    int32_t maxStep;
    try {
        maxStep = CalcNextGradeDays(out.GradeCur, out.VipSpeed);
    } catch (const OverflowError&) {
        throw OverflowError(GradeField::Current);
    }
    if (maxStep < out.GradeNextDays) {
        const int32_t nextGrade = NextLevelOf(out.GradeCur);
        out.kind = GradeOutcome::Kind::Warning;
        out.icon = GradeOutcome::Icon::Warning;
        out.focus = GradeField::NextDays;
        // 下次升级剩余天数设置有误！ / 从…级升到…级最多也只有…天。
        out.text = "\xE4\xB8\x8B\xE6\xAC\xA1\xE5\x8D\x87\xE7\xBA\xA7\xE5\x89\xA9\xE4\xBD\x99"
                   "\xE5\xA4\xA9\xE6\x95\xB0\xE8\xAE\xBE\xE7\xBD\xAE\xE6\x9C\x89\xE8\xAF\xAF"
                   "\xEF\xBC\x81\r\n\r\n\xE4\xBB\x8E" +
                   std::to_string(out.GradeCur) + "\xE7\xBA\xA7\xE5\x8D\x87\xE5\x88\xB0" +
                   std::to_string(nextGrade) +
                   "\xE7\xBA\xA7\xE6\x9C\x80\xE5\xA4\x9A\xE4\xB9\x9F\xE5\x8F\xAA\xE6\x9C\x89" +
                   std::to_string(maxStep) + "\xE5\xA4\xA9\xE3\x80\x82";
        return out;
    }

    if (daysKnown && out.GradeDir == out.GradeCur) {
        // The target level is already held: its remaining days belong to the
        // step beyond it, so nothing is left to wait for.
        out.DaysNeeded = 0;
    } else {
        try {
            out.DaysNeeded = CalcGradeDays(out.GradeNextDays, out.GradeStart, out.GradeDir, out.VipSpeed);
        } catch (const OverflowError&) {
            throw OverflowError(GradeField::Target);
        }
    }

    out.kind = GradeOutcome::Kind::Report;
    out.text = FormatReport(out.GradeCur, out.GradeDir, out.VipName, inputs.nextText, out.DaysNeeded);
    return out;
}

std::string FormatReport(int32_t GradeCur, int32_t GradeDir, std::string_view VipName,
                         std::string_view nextText, int32_t DaysNeeded) {
    const char* const kLevel = "\xE7\xBA\xA7";  // 级
    const char* const kDay = "\xE5\xA4\xA9";    // 天
    std::string block = "----------------------\r\n";
    block += "\xE5\xBD\x93\xE5\x89\x8D\xE7\xAD\x89\xE7\xBA\xA7\xEF\xBC\x9A";  // 当前等级：
    block += std::to_string(GradeCur) + kLevel + "\r\n";
    block += "\xE7\x9B\xAE\xE6\xA0\x87\xE7\xAD\x89\xE7\xBA\xA7\xEF\xBC\x9A";  // 目标等级：
    block += std::to_string(GradeDir) + kLevel + "\r\n";
    block += "\xE4\xBC\x9A\xE5\x91\x98\xE7\xAD\x89\xE7\xBA\xA7\xEF\xBC\x9A";  // 会员等级：
    block += VipName;
    block += "\r\n";
    block += "\xE4\xB8\x8B\xE6\xAC\xA1\xE5\x8D\x87\xE7\xBA\xA7\xEF\xBC\x9A";  // 下次升级：
    if (nextText == UnknownMark) {
        block += UnknownMark;
    } else {
        block += nextText;
        block += kDay;
    }
    block += "\r\n";
    block += "\xE7\xBA\xA6\xE9\x9C\x80\xE5\xA4\xA9\xE6\x95\xB0\xEF\xBC\x9A";  // 约需天数：
    block += std::to_string(DaysNeeded) + kDay + "\r\n";
    block += "\xE7\xBA\xA6\xE9\x9C\x80\xE6\x9C\x88\xE6\x95\xB0\xEF\xBC\x9A";  // 约需月数：
    block += std::to_string(FloorMonths(DaysNeeded)) + "\xE6\x9C\x88" +  // 月
             std::to_string(DaysNeeded % 30) + kDay + "\r\n";
    return block;
}

}  // namespace orvanta
