// The real main window driven by real keystrokes and clicks, where Windows
// and Wine differ: the target field entered again, double clicks, the focus
// after the About window and after a message box, minimising, the default
// button's border. Where Wine lacks what Windows documents, the test does it.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <utility>
#include <vector>

#include "frm_about.h"
#include "frm_main.h"
#include "text_convert.h"
#include "window_driver.h"

#include <commctrl.h>

namespace orvanta::win32 {
namespace {

using namespace ui::main_controls;
using testing::Pump;

// The main window's form, noting its focus events as the window raises them.
class NotingForm : public ui::frmMain {
public:
    using frmMain::frmMain;
    void OnEvent(ui::ControlId id, ui::Event event) override {
        if (event == ui::Event::GotFocus || event == ui::Event::LostFocus) focusEvents.emplace_back(id, event);
        frmMain::OnEvent(id, event);
    }
    std::vector<std::pair<ui::ControlId, ui::Event>> focusEvents;
};

// Windows takes the keyboard focus from a window's descendants when the
// window is disabled ("Window Features", Disabled Windows); Wine leaves it
// where it was. While one of these lives, this thread's windows lose it as
// on Windows.
HHOOK disablingHook = nullptr;

LRESULT CALLBACK TakeFocusOnDisable(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_ENABLE && !sent->wParam && IsChild(sent->hwnd, GetFocus()))
        SetFocus(nullptr);
    return CallNextHookEx(disablingHook, code, wParam, lParam);
}

class FocusAsOnWindows {
public:
    FocusAsOnWindows() {
        disablingHook = SetWindowsHookExW(WH_CALLWNDPROC, TakeFocusOnDisable, nullptr, GetCurrentThreadId());
    }
    ~FocusAsOnWindows() { UnhookWindowsHookEx(disablingHook); }
};

// Windows' editable combo box selects its whole text when its edit field
// gets the focus and clears the selection when the field loses it; Wine's
// does neither after the first entry. While one of these lives, `combo` does
// as on Windows.
class ComboAsOnWindows {
public:
    explicit ComboAsOnWindows(HWND combo) : combo_(combo) { SetWindowSubclass(combo_, Proc, 0, 0); }
    ~ComboAsOnWindows() { RemoveWindowSubclass(combo_, Proc, 0); }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
        const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
        if (message == WM_COMMAND && (HIWORD(wParam) == EN_SETFOCUS || HIWORD(wParam) == EN_KILLFOCUS))
            SendMessageW(reinterpret_cast<HWND>(lParam), EM_SETSEL, 0, HIWORD(wParam) == EN_SETFOCUS ? INT_MAX : 0);
        return result;
    }
    HWND combo_;
};

// Which window was active when a given window was destroyed.
HHOOK destroyHook = nullptr;
HWND watched = nullptr;
HWND activeAtDestroy = nullptr;

LRESULT CALLBACK NoteActiveOnDestroy(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_DESTROYWND && reinterpret_cast<HWND>(wParam) == watched) activeAtDestroy = GetActiveWindow();
    return CallNextHookEx(destroyHook, code, wParam, lParam);
}

class RealInput : public testing::FormFixture<NotingForm> {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        if (HasFatalFailure()) return;
        testing::SwitchTo(toolkit, window->Handle());
        ASSERT_EQ(GetForegroundWindow(), window->Handle());
        ASSERT_EQ(GetFocus(), Control(txtGradeCur));
    }
    HWND TargetEdit() const {
        COMBOBOXINFO info{sizeof info};
        GetComboBoxInfo(Control(cboGradeDir), &info);
        return info.hwndItem;
    }
    std::pair<int, int> TargetSelection() const {
        DWORD start = 0, end = 0;
        SendMessageW(Control(cboGradeDir), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return {static_cast<int>(start), static_cast<int>(end)};
    }
    bool HasDefaultBorder(ui::ControlId button) const {
        return (GetWindowLongW(Control(button), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    }
    int GotFocusCount(ui::ControlId id) const {
        int count = 0;
        for (const auto& [control, event] : form.focusEvents) count += control == id && event == ui::Event::GotFocus;
        return count;
    }
};

// After the out-of-range message the program moves the focus back into the
// target, which is entered once: what is typed then replaces the number at fault.
TEST_F(RealInput, AfterTheOutOfRangeMessageWhatIsTypedReplacesTheTarget) {
    window->SetFocus(cboGradeDir);
    testing::PressKeys(toolkit, {'4', '6', '3', '3', '9'});
    form.focusEvents.clear();
    const auto seen = testing::MessageBoxAfter(toolkit, [&] { testing::PressKeys(toolkit, {VK_RETURN}); });
    EXPECT_EQ(seen.text, Widen(ui::kOutOfRangeMessage));
    testing::Settle(toolkit);
    ASSERT_EQ(GetFocus(), TargetEdit());
    EXPECT_EQ(GotFocusCount(cboGradeDir), 1) << "entered once, not left and entered again";
    testing::PressKeys(toolkit, {'2', '0'});
    EXPECT_EQ(TextOf(cboGradeDir), L"20");
}

TEST_F(RealInput, EveryClickCountsQuickOrNot) {
    testing::ClickAt(toolkit, Control(Check1), 2);
    EXPECT_EQ(SendMessageW(Control(Check1), BM_GETCHECK, 0, 0), BST_UNCHECKED) << "ticked, then cleared";
    EXPECT_FALSE(IsWindowEnabled(Control(cboGradeVip)));
    testing::ClickAt(toolkit, Control(Check1), 4);
    EXPECT_EQ(SendMessageW(Control(Check1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    testing::ClickAt(toolkit, Control(Check1), 1);
    EXPECT_EQ(SendMessageW(Control(Check1), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(IsWindowEnabled(Control(cboGradeVip)));

    testing::ClickAt(toolkit, Control(Command1), 2);
    const std::string block = FormatReport(0, 16, "VIP1", UnknownMark, 291);
    EXPECT_EQ(TextOf(txtResult), Widen(block + block)) << "a double click on Calculate is two presses";
}

TEST_F(RealInput, TheAboutButtonHasTheFocusAgainAndTheMainWindowIsActiveHoweverAboutCloses) {
    const FocusAsOnWindows asOnWindows;
    destroyHook = SetWindowsHookExW(WH_CBT, NoteActiveOnDestroy, nullptr, GetCurrentThreadId());
    const std::function<void(FormWindow&)> closings[] = {
        [&](FormWindow& about) { SendMessageW(about.ControlHandle(ui::about_controls::Command1), BM_CLICK, 0, 0); },
        [&](FormWindow&) { testing::PressKeys(toolkit, {VK_RETURN}); },
        [&](FormWindow& about) { SendMessageW(about.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); },
    };
    int closing = 0;
    for (const auto& close : closings) {
        SCOPED_TRACE(closing++);
        activeAtDestroy = nullptr;
        modal.whileOpen = [&](FormWindow& about) {
            watched = about.Handle();
            testing::Settle(toolkit);
            EXPECT_EQ(GetActiveWindow(), about.Handle());
            close(about);
        };
        testing::ClickAt(toolkit, Control(Command3), 1);
        EXPECT_TRUE(watched && !IsWindow(watched)) << "About opened and closed";
        EXPECT_EQ(activeAtDestroy, window->Handle()) << "the owner is active before About goes";
        EXPECT_EQ(GetActiveWindow(), window->Handle());
        EXPECT_EQ(GetFocus(), Control(Command3));
        watched = nullptr;
    }
    UnhookWindowsHookEx(destroyHook);
    testing::PressKeys(toolkit, {VK_TAB});
    EXPECT_EQ(GetFocus(), Control(Command1)) << "the keyboard goes on from the About button";
}

TEST_F(RealInput, AfterAWarningOnlyTheFieldAtFaultGetsTheFocus) {
    const FocusAsOnWindows asOnWindows;
    // The window was left once for another program while the result box had the focus.
    window->SetFocus(txtResult);
    {
        testing::ForeignWindow other;
        testing::SwitchTo(toolkit, other.Handle());
        testing::SwitchTo(toolkit, window->Handle());
    }
    testing::SwitchTo(toolkit, window->Handle());
    window->SetText(txtGradeCur, "16");
    window->SetText(cboGradeDir, "15");
    window->SetFocus(txtGradeNext);
    form.focusEvents.clear();

    testing::MessageBoxAfter(toolkit, [&] { testing::PressKeys(toolkit, {VK_RETURN}); });
    testing::Settle(toolkit);
    EXPECT_EQ(GetFocus(), Control(txtGradeCur));
    EXPECT_EQ(GotFocusCount(txtGradeCur), 1);
    for (const auto& [control, event] : form.focusEvents)
        EXPECT_TRUE(control == txtGradeNext || control == txtGradeCur) << ui::kMainControls[control].name;
    DWORD start = 0, end = 0;
    SendMessageW(Control(txtGradeCur), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 2u) << "the current level is selected";
}

TEST_F(RealInput, MinimisingAndRestoringKeepsEveryFieldAsItWas) {
    testing::PressKeys(toolkit, {'1', '2', '3', VK_END, VK_LEFT});
    testing::PressWith(toolkit, VK_SHIFT, VK_LEFT);
    const auto minimiseAndRestore = [&] {
        SendMessageW(window->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        testing::Settle(toolkit);
        EXPECT_TRUE(IsIconic(window->Handle()));
        SendMessageW(window->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
        testing::Settle(toolkit);
        EXPECT_FALSE(IsIconic(window->Handle()));
    };
    form.focusEvents.clear();
    minimiseAndRestore();
    ASSERT_EQ(GetFocus(), Control(txtGradeCur));
    // Restored from the task bar, Windows gives the focus to the window itself.
    SetFocus(window->Handle());
    EXPECT_TRUE(form.focusEvents.empty()) << "the field was neither left nor entered";
    ASSERT_EQ(GetFocus(), Control(txtGradeCur));
    testing::PressKeys(toolkit, {'9'});
    EXPECT_EQ(TextOf(txtGradeCur), L"193") << "the 2 that was selected is replaced";

    // The target keeps its selection too, across a minimise and a switch to another program.
    window->SetFocus(cboGradeDir);
    SendMessageW(Control(cboGradeDir), CB_SETEDITSEL, 0, MAKELPARAM(1, 2));
    minimiseAndRestore();
    ASSERT_EQ(GetFocus(), TargetEdit());
    EXPECT_EQ(TargetSelection(), std::make_pair(1, 2));
    {
        testing::ForeignWindow other;
        testing::SwitchTo(toolkit, other.Handle());
        testing::SwitchTo(toolkit, window->Handle());
    }
    ASSERT_EQ(GetFocus(), TargetEdit());
    EXPECT_EQ(TargetSelection(), std::make_pair(1, 2));
    EXPECT_EQ(TextOf(cboGradeDir), L"16");
}

TEST_F(RealInput, CalculateHasTheDefaultBorderWheneverNoPushButtonHasTheFocus) {
    window->SetFocus(txtResult);
    const ui::ControlId round[] = {Command3, Command1, Command2};
    // Each is a group of its own, so that Windows' arrow keys stay on it, as they do on the check box.
    for (ui::ControlId id : {Check1, Command3, Command1, Command2})
        EXPECT_EQ(GetNextDlgGroupItem(window->Handle(), Control(id), FALSE), Control(id)) << ui::kMainControls[id].name;
    for (ui::ControlId button : round) {
        testing::PressKeys(toolkit, {VK_TAB});
        ASSERT_EQ(GetFocus(), Control(button));
        for (ui::ControlId other : round)
            EXPECT_EQ(HasDefaultBorder(other), other == button) << ui::kMainControls[other].name;
    }
    testing::PressKeys(toolkit, {VK_TAB});
    ASSERT_EQ(GetFocus(), Control(txtGradeCur));
    EXPECT_TRUE(HasDefaultBorder(Command1));
    EXPECT_FALSE(HasDefaultBorder(Command2));
    testing::PressWith(toolkit, VK_SHIFT, VK_TAB);
    EXPECT_TRUE(HasDefaultBorder(Command2));
    testing::PressKeys(toolkit, {VK_TAB});
    EXPECT_TRUE(HasDefaultBorder(Command1));
    EXPECT_FALSE(HasDefaultBorder(Command2));
}

// Minimised and restored by another program, whose ShowWindow takes the
// focus before any activation message (the system menu and a program switch
// are the tests above).
TEST_F(RealInput, LeavingTheWindowByAnyPathIsNotLeavingTheField) {
    testing::PressKeys(toolkit, {'0', VK_SPACE, VK_SUBTRACT, '5'});
    ASSERT_EQ(TextOf(txtGradeCur), L"0 -5");
    form.focusEvents.clear();
    const auto byAnotherProgram = [&](int how) {
        testing::OnAnotherThread(toolkit, [main = window->Handle(), how] { ShowWindow(main, how); });
        return IsIconic(window->Handle()) != FALSE;
    };
    EXPECT_TRUE(byAnotherProgram(SW_MINIMIZE));
    EXPECT_FALSE(byAnotherProgram(SW_RESTORE));
    EXPECT_EQ(GetFocus(), Control(txtGradeCur));
    EXPECT_EQ(TextOf(txtGradeCur), L"0 -5");
    EXPECT_TRUE(form.focusEvents.empty()) << "the field was neither left nor entered";
}

TEST_F(RealInput, LongTextsKeepTheirCaretAndSelectionWithItsDirection) {
    const ComboAsOnWindows asOnWindows(Control(cboGradeDir));
    // More digits than 16-bit positions reach, all of them selected.
    window->SetText(cboGradeDir, std::string(66000, '1'));
    window->SetFocus(cboGradeDir);
    SendMessageW(TargetEdit(), EM_SETSEL, 66000, 0);
    {
        testing::ForeignWindow other;
        testing::SwitchTo(toolkit, other.Handle());
        testing::SwitchTo(toolkit, window->Handle());
    }
    testing::PressKeys(toolkit, {'7'});
    EXPECT_EQ(TextOf(cboGradeDir), L"7");

    // "12" selected from the caret backwards: Shift+Right after a minimise shrinks the selection.
    testing::PressKeys(toolkit, {VK_BACK, '1', '2', '3', VK_END, VK_LEFT});
    testing::PressWith(toolkit, VK_SHIFT, VK_LEFT);
    testing::PressWith(toolkit, VK_SHIFT, VK_LEFT);
    SendMessageW(window->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    testing::Settle(toolkit);
    SendMessageW(window->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    testing::Settle(toolkit);
    testing::PressWith(toolkit, VK_SHIFT, VK_RIGHT);
    EXPECT_EQ(TargetSelection(), std::make_pair(1, 2)) << "the 2 alone is selected";
}

// The show command a launcher passes (a shortcut set to run minimised or
// maximised, say), as Windows means it: a window started minimised is
// entered at the current level once restored; one that cannot be resized
// opens in its normal state at its designed size, even when asked to
// maximise; one shown without activation leaves the launcher in front.
TEST_F(RealInput, AWindowOpensAsItsLaunchersShowCommandAsks) {
    const struct { int show; bool minimised, activated; } cases[] = {
        {SW_SHOWMINNOACTIVE, true, false}, {SW_SHOWMINIMIZED, true, false}, {SW_MINIMIZE, true, false},
        {SW_SHOWMAXIMIZED, false, true},   {SW_SHOWNOACTIVATE, false, false}, {SW_SHOWNA, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.show);
        testing::SwitchTo(toolkit, window->Handle());
        ui::frmMain other{toolkit, shell};
        FormWindow* started = toolkit.Load(other, nullptr, c.show);
        ASSERT_NE(started, nullptr);
        testing::Settle(toolkit);
        EXPECT_EQ(IsIconic(started->Handle()) != FALSE, c.minimised);
        const bool launcherInFront = GetActiveWindow() == window->Handle();
        EXPECT_TRUE(c.minimised || c.activated || launcherInFront);
        if (c.minimised) SendMessageW(started->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
        else if (!c.activated) testing::SwitchTo(toolkit, started->Handle());
        testing::Settle(toolkit);
        // Windows puts a launcher's SW_SHOWMAXIMIZED in place of the first ShowWindow (Wine 8 does not).
        RECT shown, forced;
        GetWindowRect(started->Handle(), &shown);
        ShowWindow(started->Handle(), SW_SHOWMAXIMIZED);
        GetWindowRect(started->Handle(), &forced);
        EXPECT_TRUE(EqualRect(&shown, &forced)) << "a forced maximise changes nothing on the screen";
        EXPECT_EQ(testing::ClientRect(started->Handle()).right, testing::Pixels(designed::kMain.clientWidth, 96));
        const HWND current = started->ControlHandle(txtGradeCur);
        EXPECT_EQ(GetFocus(), current);
        EXPECT_EQ(SendMessageW(current, EM_GETSEL, 0, 0), MAKELRESULT(0, 1)) << "its 0 selected";
        toolkit.Forget(started);  // before its form goes
    }
}

}  // namespace
}  // namespace orvanta::win32
