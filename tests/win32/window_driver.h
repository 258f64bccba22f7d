// Helpers for driving the real windows from a test: pumping messages the way
// the program's loop does, typing, and answering message boxes.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "designed_layout.h"
#include "frm_main.h"
#include "shell_links.h"
#include "text_convert.h"
#include "win32_toolkit.h"

namespace orvanta::win32::testing {

// How long a test waits for what it awaits before it fails: long enough for
// an emulated 32-bit Wine on a busy machine.
inline constexpr DWORD kPatienceMs = 5000;

// Handles every queued message through the toolkit's own dispatch; fails
// the test when they never run out (a window that posts to itself without
// end), not when each is slow to handle (a long text on an emulated Wine).
void Pump(Win32Toolkit& toolkit);
// Posts a key (down and up) to `target` and pumps.
void PressKey(Win32Toolkit& toolkit, HWND target, UINT key);
// Types characters into `target` as keystrokes would, and pumps.
void TypeText(Win32Toolkit& toolkit, HWND target, const std::wstring& text);
// Real input, as the keyboard and the mouse give it (SendInput): the thread's
// key state follows it (Shift+Tab), and the system makes the double clicks.
// It goes to the foreground window; each call handles it before returning.
void PressKeys(Win32Toolkit& toolkit, std::initializer_list<WORD> keys);  // each key down and up, in turn
void PressWith(Win32Toolkit& toolkit, WORD modifier, WORD key);        // Shift+Tab, say
void ClickAt(Win32Toolkit& toolkit, HWND control, int clicks);         // quick clicks at the control's centre
// Handles this thread's messages until none has come for a moment, so that
// what real input and activation cause has arrived; fails the test when they
// keep coming round after round.
void Settle(Win32Toolkit& toolkit);
// Client-area rectangle of a child window.
RECT ChildRect(HWND child);
RECT ClientRect(HWND window);

// Pixels of `twips` at `dpi`, rounded as Windows rounds them (MulDiv).
inline int Pixels(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }
// Checks `window`'s client area and every control's rectangle at `dpi`
// against the design: exactly, but where the face in use decides: a closed
// combo box or a label sized to its caption may be a few pixels taller, and
// such a label is as wide as its caption, on one line within its container.
void ExpectAsDesigned(const FormWindow& window, const designed::Window& design, int dpi);

// What a message box of this thread said, and the window that owned it.
struct MessageBoxSeen {
    std::wstring title, text;
    UINT icon = 0;  // MB_ICONINFORMATION or MB_ICONWARNING as found in the box
    HWND owner = nullptr;
    bool seen = false;
};
// The next message box of this thread runs `whileOpen` with what it says,
// once it is shown and waiting; then it is answered with OK. Null: none.
void OnNextMessageBox(std::function<void(const MessageBoxSeen&)> whileOpen);
// Runs `action`, answers the message box that it brings with OK and returns
// what the box said; fails the test when none comes.
MessageBoxSeen MessageBoxAfter(Win32Toolkit& toolkit, const std::function<void()>& action);

// A window of another program, as far as the window under test can tell: a
// top-level window on a thread of its own, with its own message loop.
class ForeignWindow {
public:
    ForeignWindow();
    ~ForeignWindow();
    ForeignWindow(const ForeignWindow&) = delete;
    ForeignWindow& operator=(const ForeignWindow&) = delete;
    HWND Handle() const { return window_; }

private:
    static DWORD WINAPI Thread(LPVOID self);
    HANDLE thread_ = nullptr;
    HANDLE ready_ = nullptr;
    DWORD threadId_ = 0;
    HWND window_ = nullptr;
};

// While one lives, every form window this thread makes has a frame
// kExtraPixels thicker on each side than Windows draws it, as where Windows
// draws a frame other than AdjustWindowRectEx(ForDpi) predicts.
class ThickerFrames {
public:
    static constexpr int kExtraPixels = 4;
    ThickerFrames();
    ~ThickerFrames();
    // Thickens the frame of a window already open, as Windows does when the
    // size of borders and title bars changes (Wine leaves it as it was).
    static void Thicken(HWND window);
    ThickerFrames(const ThickerFrames&) = delete;
    ThickerFrames& operator=(const ThickerFrames&) = delete;

private:
    static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ThickerFrame(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR);
    HHOOK hook_;
};

// Handles this thread's messages, waking as each comes, until `done` holds;
// false when it does not within `milliseconds`.
bool PumpUntil(Win32Toolkit& toolkit, const std::function<bool()>& done, DWORD milliseconds = kPatienceMs);

// Runs `work` on a thread of its own, as another program would, handling
// this thread's messages until it has ended (what it does to this thread's
// windows is sent to them, and waits for their answer).
void OnAnotherThread(Win32Toolkit& toolkit, std::function<void()> work);

// Makes `window` the foreground window and handles this thread's messages
// until the activation has arrived where it belongs; fails the test when
// the window does not come to the front.
void SwitchTo(Win32Toolkit& toolkit, HWND window);

// The toolkit a form under test opens its modal windows with: the real one,
// which runs `whileOpen` with the modal window once it is shown and the
// modal loop is waiting for input. `whileOpen` closes the window: one left
// open fails the test and is unloaded.
class ModalProbe : public ui::Toolkit {
public:
    explicit ModalProbe(Win32Toolkit& real) : real_(real) {}
    void ShowModal(ui::Form& form, ui::Form* owner) override;

    std::function<void(FormWindow& modal)> whileOpen;

private:
    static void CALLBACK OnIdle(HWND, UINT, UINT_PTR timer, DWORD);
    Win32Toolkit& real_;
    ui::Form* opening_ = nullptr;
};

// A form made with the toolkit and shell it asks for, if any.
template <class FormType>
FormType MakeForm(ui::Toolkit& toolkit, ui::Shell& shell) {
    if constexpr (std::is_constructible_v<FormType, ui::Toolkit&, ui::Shell&>) return FormType(toolkit, shell);
    else return FormType();
}

// A form loaded and shown as at start-up, with a shell that opens nothing and
// its modal windows opened through `modal`: where the tests of the real
// windows start (frmMain, a form derived from it, or a test's own form).
template <class FormType = ui::frmMain>
class FormFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(toolkit.Initialize());
        window = toolkit.Load(form, nullptr);
        ASSERT_NE(window, nullptr);
        Pump(toolkit);
    }
    void TearDown() override { toolkit.Forget(window); }  // the window goes before its form
    HWND Control(ui::ControlId id) const { return window->ControlHandle(id); }
    std::wstring TextOf(ui::ControlId id) const { return Widen(window->Text(id)); }

    // What the windows ask of Windows: the system's answers, unless a test gives its own.
    SystemReports system = BindSystemReports();
    Win32Toolkit toolkit{GetModuleHandleW(nullptr), system};
    ModalProbe modal{toolkit};
    ShellLinks shell{toolkit, [] { return ShellExecuteAFunction(nullptr); }};
    FormType form = MakeForm<FormType>(modal, shell);
    FormWindow* window = nullptr;
};

// The colours of `rect` in a device context as drawn there, row by row;
// ShownPixels: in a window's client area, as it shows them now.
std::vector<COLORREF> ReadPixels(HDC dc, const RECT& rect);
std::vector<COLORREF> ShownPixels(HWND window, const RECT& rect);

// While one lives, the system colours it names have the values it gives.
class SystemColours {
public:
    SystemColours(std::vector<int> indexes, const std::vector<COLORREF>& values);
    ~SystemColours() { SetSysColors(static_cast<int>(indexes_.size()), indexes_.data(), before_.data()); }
    SystemColours(const SystemColours&) = delete;
    SystemColours& operator=(const SystemColours&) = delete;

private:
    std::vector<int> indexes_;
    std::vector<COLORREF> before_;
};

}  // namespace orvanta::win32::testing
