#include "grade_request.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <optional>
#include <string>

namespace orvanta {
namespace {

const std::string kUnknown(UnknownMark);
constexpr std::optional<int32_t> kOverflow;

std::optional<int32_t> Read(std::string_view text) {
    try {
        return ReadNumber(text);
    } catch (const OverflowError&) {
        return std::nullopt;
    }
}

TEST(ReadNumber, LeadingDecimalNumberRoundedHalfToEven) {
    const struct { std::string text; std::optional<int32_t> value; } cases[] = {
        {"", 0}, {kUnknown, 0}, {"abc", 0}, {"+", 0}, {".", 0}, {"-.e5", 0}, {"e5", 0},
        {"12abc", 12}, {" 1 2\t3\n4 ", 1234}, {"\t-\n7", -7}, {"+7", 7}, {"--1", 0}, {"+-1", 0},
        {"\r5", 0}, {"12\r\n", 12}, {"1,000", 1}, {"1.2.3", 1}, {"\xEF\xBC\x91\xEF\xBC\x92", 12},
        {"0x1A", 0}, {"017", 17}, {"1D3", 1}, {"5.", 5}, {".51", 1}, {"-0", 0}, {"-0.4", 0},
        {"2.5", 2}, {"3.5", 4}, {"0.5", 0}, {"1.5", 2}, {"-2.5", -2}, {"-3.5", -4}, {".5", 0},
        {"0.49999999999999999999", 0}, {"0.50000000000000000001", 1}, {"2.5000000000000000000", 2},
        {"1e3", 1000}, {"1E3", 1000}, {"1e+3", 1000}, {"1 e - 0 3", 0}, {"1.e2", 100},
        {"1e-1", 0}, {"5e-1", 0}, {"15e-1", 2}, {"25e-1", 2}, {"1e", 1}, {"1e+", 1}, {"1ex", 1},
        {"1e400", kOverflow}, {"1e-400", 0}, {"0e400", 0}, {"1e9", 1000000000}, {"1e10", kOverflow},
        {"0.0000000001e10", 1}, {"123456789012e-3", 123456789}, {"9.9999999999e9", kOverflow},
        {"2147483647", INT32_MAX}, {"2147483647.4", INT32_MAX}, {"2147483646.5", 2147483646},
        {"2147483647.5", kOverflow}, {"214748364.75e1", kOverflow}, {"2147483648", kOverflow},
        {"00000000000000002147483647", INT32_MAX}, {"-2147483648", INT32_MIN},
        {"-2147483648.5", INT32_MIN}, {"-2147483648.51", kOverflow}, {"-2147483649", kOverflow},
        {"1e99999999999999999999999", kOverflow}, {"1e-99999999999999999999999", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Read(c.text), c.value);
    }
}

TEST(ReadNumber, FullWidthFormsReadAsTypedThroughAChineseInputMethod) {
    const struct { std::string text; std::optional<int32_t> value; std::string level, days; } cases[] = {
        {"１６", 16, "16", "16"},                 {"０１２３４５６７８９", 123456789, "123456789", "123456789"},
        {"１６级", 16, "16", "16"},               {"－７", -7, "7", "7"},
        {"＋７", 7, "7", "7"},                    {"２．５", 2, "2", "2"},
        {"３．５", 4, "4", "4"},                  {"１Ｅ３", 1000, "1000", "1000"},
        {"１ｅ－１", 0, "0", kUnknown},           {"1６.５e1", 165, "165", "165"},
        {"　１６", 16, "16", "16"},               {"１　６　", 16, "16", "16"},
        {"\t－　\n1", -1, "1", "1"},             {"　" + kUnknown + "　", 0, "0", kUnknown},
        {" 　" + kUnknown, 0, "0", kUnknown},     {"２１４７４８３６４８", kOverflow, "", ""},
        {"１ｅ１０", kOverflow, "", ""},          {"－２１４７４８３６４８", INT32_MIN, "", ""},
        {"１，０００", 1, "1", "1"},               {"１Ｅ", 1, "1", "1"},
        // A sequence cut short, or another character of the same block, ends the number.
        {"１\xEF\xBC", 1, "1", "1"},             {"\xEF\xBC", 0, "0", kUnknown},
        {"１\xEF\xBC" "２", 1, "1", "1"},         {"\xEF" "１", 0, "0", kUnknown},
        {"\xE3\x80" "５", 0, "0", kUnknown},      {"５\xE3\x80", 5, "5", "5"},
        {"\xEF\xBC\x9A" "５", 0, "0", kUnknown}, {"１\xEF\xBD\x86", 1, "1", "1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Read(c.text), c.value);
        if (!c.value || *c.value == INT32_MIN) {
            EXPECT_THROW(NormalizeGradeText(c.text), OverflowError);
            continue;
        }
        EXPECT_EQ(NormalizeGradeText(c.text), c.level);
        EXPECT_EQ(NormalizeNextDaysText(c.text), c.days);
    }
    EXPECT_EQ(TrimSpaces("　 １６ 　"), "１６");
    EXPECT_EQ(TrimSpaces("　　"), "");
    EXPECT_EQ(TrimSpaces("\xE3\x80"), "\xE3\x80");
}

TEST(ReadNumber, MillionCharacterTexts) {
    const std::string zeros(1000000, '0');
    const struct { std::string text; std::optional<int32_t> value; } cases[] = {
        {zeros + "1", 1},
        {std::string(1000000, '9'), kOverflow},
        {std::string(1000000, ' ') + "-7" + std::string(1000000, '\n'), -7},
        {"0." + zeros + "1e1000001", 1},
        {"2.5" + zeros, 2},
        {"0.5" + zeros + "1", 1},
        {"1" + zeros + "e-1000000", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 8));
        EXPECT_EQ(Read(c.text), c.value);
    }
}

TEST(ReadNumber, IgnoresTheProcessLocale) {
    const char* const names[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "zh_CN.UTF-8", "zh_CN.utf8",
                                 "German_Germany.1252", "de-DE", "Chinese_China.936"};
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    const char* installed = nullptr;
    for (const char* name : names) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            installed = name;
            break;
        }
    }
    if (installed == nullptr) GTEST_SKIP() << "no locale other than C is installed";
    const std::optional<int32_t> point = Read("1.5"), comma = Read("1,5");
    const std::string normalized = NormalizeGradeText("1234567.5");
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(point, 2) << installed;
    EXPECT_EQ(comma, 1) << installed;
    EXPECT_EQ(normalized, "1234568") << installed;
}

TEST(Normalize, LevelAndRemainingDaysFields) {
    struct Case { std::string text, level, days; };
    const Case cases[] = {
        {"", "0", kUnknown},          {"abc", "0", kUnknown},     {"0", "0", kUnknown},
        {kUnknown, "0", kUnknown},    {"  " + kUnknown + "  ", "0", kUnknown},
        {"\t" + kUnknown, "0", kUnknown}, {kUnknown + "5", "0", kUnknown},
        {"-12", "12", "12"},          {"7.5", "8", "8"},          {"007", "7", "7"},
        {"  16  ", "16", "16"},       {" - 3 ", "3", "3"},        {"0.4", "0", kUnknown},
        {"-2147483647", "2147483647", "2147483647"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(NormalizeGradeText(c.text), c.level);
        EXPECT_EQ(NormalizeNextDaysText(c.text), c.days);
    }
    for (const char* text : {"-2147483648", "2147483648", "-1e10"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(NormalizeGradeText(text), OverflowError);
        EXPECT_THROW(NormalizeNextDaysText(text), OverflowError);
    }
}

std::string Report(const std::string& cur, const std::string& dir, const std::string& vip,
                   const std::string& next, const std::string& days, const std::string& months) {
    return "----------------------\r\n"
           "当前等级：" + cur + "级\r\n"
           "目标等级：" + dir + "级\r\n"
           "会员等级：" + vip + "\r\n"
           "下次升级：" + next + "\r\n"
           "约需天数：" + days + "天\r\n"
           "约需月数：" + months + "天\r\n";
}

TEST(FormatReport, MonthsRoundDownAndTheRestKeepsTheSign) {
    const struct { int32_t days; std::string daysText, monthsText; } cases[] = {
        {320, "320", "10月20"}, {0, "0", "0月0"}, {-20, "-20", "-1月-20"}, {-30, "-30", "-1月0"},
        {-31, "-31", "-2月-1"}, {59, "59", "1月29"}, {INT32_MAX, "2147483647", "71582788月7"},
        {INT32_MIN, "-2147483648", "-71582789月-8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.days);
        EXPECT_EQ(FormatReport(10, 10, "VIP2", "5", c.days), Report("10", "10", "VIP2", "5天", c.daysText, c.monthsText));
    }
    EXPECT_EQ(FormatReport(-1, 3, kUnknown, kUnknown, 1), Report("-1", "3", kUnknown, kUnknown, "1", "0月1"));
}

struct CalcCase {
    const char* name;
    std::string cur, dir, next;
    bool member;
    int vipIndex;
    std::string report;  // empty for a warning
};

TEST(RunCalculation, ReportsTheDaysToTheTarget) {
    const std::string vip6 = "VIP6";
    const CalcCase cases[] = {
        {"initial contents", "0", "16", kUnknown, false, 0, Report("0", "16", kUnknown, kUnknown, "320", "10月20")},
        {"remaining days known", "10", "16", "5", false, 0, Report("10", "16", kUnknown, "5天", "160", "5月10")},
        {"remaining days equal the step", "10", "16", "25", false, 0, Report("10", "16", kUnknown, "25天", "180", "6月0")},
        {"target held, days unknown", "10", "10", kUnknown, false, 0, Report("10", "10", kUnknown, kUnknown, "0", "0月0")},
        {"target held, days known", "10", "10", "5", false, 0, Report("10", "10", kUnknown, "5天", "0", "0月0")},
        {"VIP6", "0", "16", kUnknown, true, 5, Report("0", "16", vip6, kUnknown, "200", "6月20")},
        {"member list untouched is VIP1", "0", "16", kUnknown, true, 0, Report("0", "16", "VIP1", kUnknown, "291", "9月21")},
        {"list alone is no membership", "0", "16", kUnknown, false, 5, Report("0", "16", kUnknown, kUnknown, "320", "10月20")},
        {"bonus spares the carried days", "11", "16", "5", true, 5, Report("11", "16", vip6, "5天", "85", "2月25")},
        {"texts are read, not rewritten", " 0 ", " 1 6 ", " 5 ", false, 0, Report("0", "16", kUnknown, " 5 天", "320", "10月20")},
    };
    for (const CalcCase& c : cases) {
        SCOPED_TRACE(c.name);
        const GradeOutcome out = RunCalculation({c.cur, c.dir, c.next, c.member, c.vipIndex});
        EXPECT_EQ(out.kind, GradeOutcome::Kind::Report);
        EXPECT_EQ(out.text, c.report);
    }
}

TEST(RunCalculation, WarningsKeepTheValuesReadSoFar) {
    const GradeOutcome down = RunCalculation({"16", "15", kUnknown, true, 2});
    EXPECT_EQ(down.kind, GradeOutcome::Kind::Warning);
    EXPECT_EQ(down.text, "晕...你这是升级还是降级？！");
    EXPECT_EQ(down.icon, GradeOutcome::Icon::Information);
    EXPECT_EQ(down.focus, GradeField::Current);
    EXPECT_EQ(down.GradeCur, 16);
    EXPECT_EQ(down.GradeStart, 16);
    EXPECT_EQ(down.GradeDir, 15);
    EXPECT_EQ(down.VipName, "VIP3");
    EXPECT_EQ(down.VipSpeed, 0.30000000000000004);

    const GradeOutcome tooLong = RunCalculation({"10", "16", "26", false, 0});
    EXPECT_EQ(tooLong.kind, GradeOutcome::Kind::Warning);
    EXPECT_EQ(tooLong.text, "下次升级剩余天数设置有误！\r\n\r\n从10级升到11级最多也只有25天。");
    EXPECT_EQ(tooLong.icon, GradeOutcome::Icon::Warning);
    EXPECT_EQ(tooLong.focus, GradeField::NextDays);
    EXPECT_EQ(tooLong.GradeNextDays, 26);
    EXPECT_EQ(tooLong.GradeStart, 11);
    EXPECT_EQ(tooLong.VipName, kUnknown);

    // The step length shrinks with the bonus: 25 days become 16 for VIP6.
    const GradeOutcome member = RunCalculation({"10", "16", "17", true, 5});
    EXPECT_EQ(member.text, "下次升级剩余天数设置有误！\r\n\r\n从10级升到11级最多也只有16天。");
}

TEST(RunCalculation, OverflowNamesTheFieldOutOfRange) {
    const struct { const char* name; std::string cur, dir, next; GradeField field; } cases[] = {
        {"current level read", "2147483648", "1e10", "99999999999", GradeField::Current},
        {"remaining days read before the target", "1", "1e10", "99999999999", GradeField::NextDays},
        {"target read", "1", "1e10", "5", GradeField::Target},
        {"start level", "2147483647", "1e10", "5", GradeField::Current},
        {"step of the highest level", "2147483647", "2147483647", kUnknown, GradeField::Current},
        {"step squares the next level", "46338", "46338", kUnknown, GradeField::Current},
        {"lowest level has no step", "-2147483648", "0", kUnknown, GradeField::Current},
        {"days to a target too high", "46337", "46339", kUnknown, GradeField::Target},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            RunCalculation({c.cur, c.dir, c.next, false, 0});
            ADD_FAILURE() << "no overflow";
        } catch (const OverflowError& e) {
            EXPECT_EQ(e.field(), c.field);
        }
    }
    // The direction check comes before any step is computed.
    EXPECT_EQ(RunCalculation({"2147483647", "0", kUnknown, false, 0}).focus, GradeField::Current);
    EXPECT_EQ(RunCalculation({"46337", "46338", kUnknown, false, 0}).DaysNeeded, 92679);
}

}  // namespace
}  // namespace orvanta
