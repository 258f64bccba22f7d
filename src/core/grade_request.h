// One calculation from the main window's field texts to a warning or a
// report block. Texts are UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "grade_math.h"
#include "grade_texts.h"

namespace orvanta {

struct GradeInputs {
    std::string curText;   // current level field
    std::string dirText;   // target level field
    std::string nextText;  // remaining days field
    bool isMember = false;
    int vipIndex = 0;      // position in the member list; k means VIP(k+1)
};

struct GradeOutcome {
    enum class Kind { Warning, Report };
    enum class Icon { Information, Warning };

    Kind kind = Kind::Report;
    std::string text;                    // the warning's message or the report block
    Icon icon = Icon::Information;       // for a warning
    GradeField focus = GradeField::None; // for a warning: the field at fault

    // The values of the calculation, kept by the main window.
    int32_t GradeCur = 0;
    int32_t GradeNextDays = 0;
    int32_t GradeStart = 0;
    int32_t GradeDir = 0;
    double VipSpeed = 0.0;
    std::string VipName;
    int32_t DaysNeeded = 0;
};

// The text without its leading and trailing spaces, ASCII or ideographic.
std::string_view TrimSpaces(std::string_view text);

// The numeric reading of a field; the full-width forms a Chinese input method
// types read as their ASCII characters. Throws OverflowError.
int32_t ReadNumber(std::string_view text);

// Normalisation of a level field. Throws OverflowError.
std::string NormalizeGradeText(std::string_view text);

// Normalisation of the remaining-days field. Throws OverflowError.
std::string NormalizeNextDaysText(std::string_view text);

// Throws OverflowError, whose field() names the field whose number left the range.
GradeOutcome RunCalculation(const GradeInputs& inputs);

std::string FormatReport(int32_t GradeCur, int32_t GradeDir, std::string_view VipName,
                         std::string_view nextText, int32_t DaysNeeded);

}  // namespace orvanta
