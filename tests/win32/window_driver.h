// Helpers for driving the real windows from a test: pumping messages the way
// the program's loop does, typing, and answering message boxes.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>

#include "win32_toolkit.h"

namespace orvanta::win32::testing {

// Handles every queued message through the toolkit's own dispatch.
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
// Handles this thread's messages for a while, so that what real input and
// activation cause has arrived.
void Settle(Win32Toolkit& toolkit);
// Client-area rectangle of a child window.
RECT ChildRect(HWND child);
RECT ClientRect(HWND window);

// Answers the next message box of this thread with OK, noting what it said.
struct MessageBoxSeen {
    std::wstring title, text;
    UINT icon = 0;  // MB_ICONINFORMATION or MB_ICONWARNING as found in the box
    bool seen = false;
};
void AnswerNextMessageBox(MessageBoxSeen& seen);

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
    ThickerFrames(const ThickerFrames&) = delete;
    ThickerFrames& operator=(const ThickerFrames&) = delete;

private:
    static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ThickerFrame(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR);
    HHOOK hook_;
};

// Runs `work` on a thread of its own, as another program would, handling
// this thread's messages until it has ended (what it does to this thread's
// windows is sent to them, and waits for their answer).
void OnAnotherThread(Win32Toolkit& toolkit, std::function<void()> work);

// Makes `window` the foreground window and handles this thread's messages
// until the activation has arrived where it belongs.
void SwitchTo(Win32Toolkit& toolkit, HWND window);

// The toolkit a form under test opens its modal windows with: the real one,
// which runs `whileOpen` with the modal window once it is shown and the
// modal loop is waiting for input.
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

}  // namespace orvanta::win32::testing
