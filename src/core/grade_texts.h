// Every text the calculation writes: the mark of a value not given, the two
// warnings and the words of the report block.
#pragma once

#include <string_view>

namespace orvanta {

// Stands for a value that was not given, in the remaining-days field and in the report.
inline constexpr std::string_view UnknownMark = "未知";

namespace texts {

// The target level is below the current one.
inline constexpr std::string_view kTargetBelowCurrent = "晕...你这是升级还是降级？！";

// More remaining days than the current step takes. The message is the
// heading, an empty line, then: 从<level>级升到<level + 1>级最多也只有<days>天。
inline constexpr std::string_view kTooManyDaysHeading = "下次升级剩余天数设置有误！";
inline constexpr std::string_view kStepFrom = "从";
inline constexpr std::string_view kStepTo = "级升到";
inline constexpr std::string_view kStepAtMost = "级最多也只有";
inline constexpr std::string_view kStepDaysEnd = "天。";

// The report block, one line each.
inline constexpr std::string_view kReportRule = "----------------------";
inline constexpr std::string_view kCurrentLevel = "当前等级：";
inline constexpr std::string_view kTargetLevel = "目标等级：";
inline constexpr std::string_view kMemberLevel = "会员等级：";
inline constexpr std::string_view kNextStep = "下次升级：";
inline constexpr std::string_view kDaysNeeded = "约需天数：";
inline constexpr std::string_view kMonthsNeeded = "约需月数：";
inline constexpr std::string_view kLevelUnit = "级";
inline constexpr std::string_view kDayUnit = "天";
inline constexpr std::string_view kMonthUnit = "月";
inline constexpr std::string_view kMemberPrefix = "VIP";

inline constexpr std::string_view kLineBreak = "\r\n";

}  // namespace texts
}  // namespace orvanta
