// The main window's behaviour, driven as a user would through the in-memory toolkit.
#include <gtest/gtest.h>

#include "frm_main.h"
#include "memory_toolkit.h"

namespace orvanta::ui {
namespace {

using namespace main_controls;
using testing::MemoryToolkit;
using testing::MemoryWindow;
using testing::RecordingShell;

const std::string kUnknown(UnknownMark);

// The block the core writes for these values (its bytes are checked with the core).
std::string Block(int cur, int dir, std::string_view next, int days) {
    return FormatReport(cur, dir, UnknownMark, next, days);
}

// The last report block in the result box.
std::string LastBlock(const std::string& results) {
    const std::size_t at = results.rfind(std::string(texts::kReportRule));
    return at == std::string::npos ? std::string() : results.substr(at);
}

// The day count of the last report block.
int DaysNeededIn(const std::string& results) {
    const std::string block = LastBlock(results);
    const std::size_t at = block.find(std::string(texts::kDaysNeeded));
    return at == std::string::npos ? -1 : std::stoi(block.substr(at + texts::kDaysNeeded.size()));
}

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() : form(toolkit, shell), w(toolkit.Start(form)) {}
    void Enter(ControlId field, const std::string& text) {
        w.SetFocus(field);
        w.Type(text);
    }
    MemoryToolkit toolkit;
    RecordingShell shell;
    frmMain form;
    MemoryWindow& w;
};

TEST_F(MainWindowTest, StartsWithTheInitialContentsAndTheCurrentLevelSelected) {
    EXPECT_EQ(w.Focused(), txtGradeCur);
    EXPECT_EQ(w.Text(txtGradeCur), "0");
    EXPECT_EQ(w.SelStart(txtGradeCur), 0);
    EXPECT_EQ(w.SelLength(txtGradeCur), 1);
    EXPECT_EQ(w.Text(cboGradeDir), "16");
    EXPECT_EQ(w.Items(cboGradeDir), (std::vector<std::string>{"16", "32", "48", "64"}));
    EXPECT_EQ(w.ListIndex(cboGradeDir), -1);
    EXPECT_EQ(w.Value(Check1), 0);
    EXPECT_FALSE(w.Enabled(cboGradeVip));
    EXPECT_EQ(w.Text(cboGradeVip), "VIP1");
    EXPECT_EQ(w.Items(cboGradeVip), (std::vector<std::string>{"VIP1", "VIP2", "VIP3", "VIP4", "VIP5", "VIP6"}));
    EXPECT_EQ(w.Text(txtGradeNext), kUnknown);
    EXPECT_EQ(w.Text(txtResult), "");
}

TEST_F(MainWindowTest, CalculateAppendsOneBlockPerPressAndFocusesTheResult) {
    const std::string first = Block(0, 16, UnknownMark, 320);
    w.Click(Command1);
    EXPECT_EQ(w.Text(txtResult), first);
    EXPECT_EQ(w.Focused(), txtResult);
    w.PressEnter();
    EXPECT_EQ(w.Text(txtResult), first + first);
    EXPECT_TRUE(w.Messages().empty());
    EXPECT_EQ(DaysNeededIn(w.Text(txtResult)), 320);
}

TEST_F(MainWindowTest, TypedInputsWithEnterGiveTheReport) {
    w.Type("10");
    w.Tab();
    EXPECT_EQ(w.Focused(), cboGradeDir);
    w.Type("16");  // tabbing in selected the old text
    Enter(txtGradeNext, "5");
    w.PressEnter();
    EXPECT_EQ(w.Focused(), txtResult);
    EXPECT_EQ(w.Text(txtResult), Block(10, 16, "5", 160));
}

TEST_F(MainWindowTest, EnterNormalisesTheFieldBeingEditedWithoutLeavingIt) {
    w.SetText(cboGradeDir, "  16 ");
    w.SetFocus(cboGradeDir);
    w.PressEnter();
    EXPECT_EQ(w.Text(cboGradeDir), "16");
    EXPECT_EQ(w.Text(txtResult), Block(0, 16, UnknownMark, 320));
}

TEST_F(MainWindowTest, ChangingTheCurrentLevelForgetsTheRemainingDays) {
    Enter(txtGradeNext, "5");
    w.Tab();
    w.SetFocus(txtGradeCur);
    EXPECT_EQ(w.Text(txtGradeNext), "5");
    w.Type("1");  // replaces the selected "0": a real change at the first keystroke
    EXPECT_EQ(w.Text(txtGradeNext), kUnknown);
}

TEST_F(MainWindowTest, RemainingDaysSurviveANormalisationThatChangesNothing) {
    Enter(txtGradeCur, "10");
    Enter(txtGradeNext, "5");
    w.Click(Command1);  // "10" is already in normal form: no change, the 5 days stay
    EXPECT_EQ(w.Text(txtGradeNext), "5");
    EXPECT_EQ(w.Text(txtResult), Block(10, 16, "5", 160)) << "counted from level 11";
}

TEST_F(MainWindowTest, ACurrentLevelRewrittenByCalculateResetsTheRemainingDaysFirst) {
    Enter(txtGradeNext, "5");
    w.SetText(txtGradeCur, "-10");  // as if pasted; the change already reset the days
    w.SetText(txtGradeNext, "5");
    w.SetFocus(txtGradeNext);
    w.PressEnter();
    EXPECT_EQ(w.Text(txtGradeCur), "10");
    EXPECT_EQ(w.Text(txtGradeNext), kUnknown);
    EXPECT_EQ(w.Text(txtResult), Block(10, 16, UnknownMark, 180)) << "counted from level 10";
}

TEST_F(MainWindowTest, LeavingTheRemainingDaysNormalisesThem) {
    const std::pair<const char*, std::string> cases[] = {
        {"-3", "3"}, {"0", kUnknown}, {"abc", kUnknown}, {"", kUnknown}, {"  7 ", "7"}, {"2.5", "2"},
    };
    for (const auto& [typed, shown] : cases) {
        w.SetFocus(txtGradeNext);
        w.Paste(typed);  // over the whole text, which entering selected
        w.Tab();
        EXPECT_EQ(w.Text(txtGradeNext), shown) << '"' << typed << '"';
    }
}

TEST_F(MainWindowTest, LeavingALevelFieldNormalisesItAndEnteringSelectsAll) {
    w.Type("007");
    w.Tab();
    EXPECT_EQ(w.Text(txtGradeCur), "7");
    w.SetText(cboGradeDir, "-12");
    w.Tab();
    EXPECT_EQ(w.Text(cboGradeDir), "12");
    w.SetFocus(txtGradeNext);
    EXPECT_EQ(w.SelLength(txtGradeNext), 2);  // "未知" is two characters
}

TEST_F(MainWindowTest, ATargetBelowTheCurrentLevelWarnsAndFocusesTheCurrentLevel) {
    Enter(txtGradeCur, "16");
    w.SetText(cboGradeDir, "15");
    w.Click(Command1);
    ASSERT_EQ(w.Messages().size(), 1u);
    EXPECT_EQ(w.Messages()[0].text,
              "\xE6\x99\x95...\xE4\xBD\xA0\xE8\xBF\x99\xE6\x98\xAF\xE5\x8D\x87\xE7\xBA\xA7\xE8\xBF\x98"
              "\xE6\x98\xAF\xE9\x99\x8D\xE7\xBA\xA7\xEF\xBC\x9F\xEF\xBC\x81");
    EXPECT_EQ(w.Messages()[0].icon, MessageIcon::Information);
    EXPECT_EQ(w.Messages()[0].title, "Orvanta");
    EXPECT_EQ(w.Focused(), txtGradeCur);
    EXPECT_EQ(w.SelLength(txtGradeCur), 2);
    EXPECT_EQ(w.Text(txtResult), "");
}

TEST_F(MainWindowTest, TooManyRemainingDaysWarnAndFocusTheRemainingDays) {
    Enter(txtGradeCur, "10");
    Enter(txtGradeNext, "26");
    w.Click(Command1);
    ASSERT_EQ(w.Messages().size(), 1u);
    EXPECT_EQ(w.Messages()[0].icon, MessageIcon::Warning);
    EXPECT_EQ(w.Messages()[0].title, "Orvanta");
    EXPECT_NE(w.Messages()[0].text.find("\xE4\xBB\x8E" "10\xE7\xBA\xA7\xE5\x8D\x87\xE5\x88\xB0" "11"), std::string::npos);
    EXPECT_EQ(w.Focused(), txtGradeNext);
    EXPECT_EQ(w.Text(txtResult), "");
    // Correcting the value and calculating again works.
    w.Type("25");
    w.PressEnter();
    EXPECT_EQ(w.Messages().size(), 1u);
    EXPECT_NE(w.Text(txtResult).find("25\xE5\xA4\xA9"), std::string::npos);  // 25天
}

TEST_F(MainWindowTest, TheMemberListFollowsTheCheckBoxAndCountsOnlyWhileTicked) {
    w.Click(Check1);
    EXPECT_TRUE(w.Enabled(cboGradeVip));
    w.PickItem(cboGradeVip, 5);
    w.Click(Command1);
    EXPECT_NE(w.Text(txtResult).find("VIP6"), std::string::npos);
    EXPECT_EQ(DaysNeededIn(w.Text(txtResult)), 200);
    w.Click(Check1);
    EXPECT_FALSE(w.Enabled(cboGradeVip));
    EXPECT_EQ(w.ListIndex(cboGradeVip), 5);
    w.Click(Command1);
    EXPECT_EQ(DaysNeededIn(w.Text(txtResult)), 320);
    EXPECT_NE(LastBlock(w.Text(txtResult)).find(std::string(texts::kMemberLevel) + kUnknown), std::string::npos);
}

TEST_F(MainWindowTest, ANumberOutOfRangeIsReportedAndFocusedWithoutAReport) {
    struct Case {
        ControlId field;
        const char* text;
        ControlId focus;
    } cases[] = {
        {cboGradeDir, "99999999999", cboGradeDir},
        {txtGradeCur, "-2147483648", txtGradeCur},
        {txtGradeNext, "3000000000", txtGradeNext},
        {cboGradeDir, "46341", cboGradeDir},  // 46341² overflows in the day arithmetic
    };
    for (const Case& c : cases) {
        MemoryToolkit tk;
        frmMain f(tk, shell);
        MemoryWindow& win = tk.Start(f);
        win.SetText(c.field, c.text);
        win.Click(Command1);
        ASSERT_EQ(win.Messages().size(), 1u) << c.text;
        EXPECT_EQ(win.Messages()[0].text, kOutOfRangeMessage);
        EXPECT_EQ(win.Messages()[0].icon, MessageIcon::Warning);
        EXPECT_EQ(win.Messages()[0].title, "Orvanta");
        EXPECT_EQ(win.Focused(), c.focus) << c.text;
        EXPECT_EQ(win.Text(txtResult), "");
    }
}

TEST_F(MainWindowTest, CalculateNormalisesTheTargetBeforeTheCurrentLevel) {
    w.SetText(txtGradeCur, "99999999999");
    w.SetText(cboGradeDir, "88888888888");
    w.Click(Command1);
    ASSERT_EQ(w.Messages().size(), 1u);
    EXPECT_EQ(w.Messages()[0].text, kOutOfRangeMessage);
    EXPECT_EQ(w.Focused(), cboGradeDir);
    EXPECT_EQ(w.Text(txtGradeCur), "99999999999");
}

TEST_F(MainWindowTest, LeavingAFieldWithANumberOutOfRangeKeepsTheTextSilently) {
    Enter(txtGradeCur, "99999999999");
    w.Tab();
    EXPECT_EQ(w.Text(txtGradeCur), "99999999999");
    EXPECT_TRUE(w.Messages().empty());
}

TEST_F(MainWindowTest, ExitUnloadsTheWindow) {
    w.Click(Command2);
    EXPECT_TRUE(w.Unloaded());
}

TEST_F(MainWindowTest, TheResultBoxKeepsEveryBlock) {
    for (int i = 0; i < 1000; ++i) w.PressEnter();
    const std::string block = Block(0, 16, UnknownMark, 320);
    EXPECT_EQ(w.Text(txtResult).size(), 1000 * block.size());
}

}  // namespace
}  // namespace orvanta::ui
