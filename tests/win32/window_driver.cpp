#include "window_driver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>

namespace orvanta::win32::testing {

void Pump(Win32Toolkit& toolkit) {
    constexpr int kMostMessages = 100000;
    MSG message;
    for (int handled = 0; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++handled) {
        if (handled == kMostMessages) {
            ADD_FAILURE() << "messages kept coming to this thread";
            return;
        }
        toolkit.Dispatch(message);
    }
}

void PressKey(Win32Toolkit& toolkit, HWND target, UINT key) {
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
    Pump(toolkit);
}

void TypeText(Win32Toolkit& toolkit, HWND target, const std::wstring& text) {
    for (wchar_t ch : text) PostMessageW(target, WM_CHAR, ch, 1);
    Pump(toolkit);
}

// Timers are left out of the quiet: they come on their own (Wine tracks the
// mouse over a button with one), not from what the test did.
void Settle(Win32Toolkit& toolkit) {
    constexpr DWORD kQuietMs = 50;
    constexpr int kMostRounds = 200;
    for (int round = 0; round < kMostRounds; ++round) {
        Pump(toolkit);
        if (MsgWaitForMultipleObjectsEx(0, nullptr, kQuietMs, QS_ALLINPUT & ~QS_TIMER, MWMO_INPUTAVAILABLE) ==
            WAIT_TIMEOUT)
            return;
    }
    ADD_FAILURE() << "messages kept coming to this thread";
}

namespace {

INPUT KeyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

INPUT MouseInput(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

}  // namespace

void PressKeys(Win32Toolkit& toolkit, std::initializer_list<WORD> keys) {
    for (WORD key : keys) {
        INPUT inputs[] = {KeyInput(key, false), KeyInput(key, true)};
        SendInput(2, inputs, sizeof(INPUT));
        Settle(toolkit);
    }
}

void PressWith(Win32Toolkit& toolkit, WORD modifier, WORD key) {
    INPUT inputs[] = {KeyInput(modifier, false), KeyInput(key, false), KeyInput(key, true), KeyInput(modifier, true)};
    SendInput(4, inputs, sizeof(INPUT));
    Settle(toolkit);
}

void ClickAt(Win32Toolkit& toolkit, HWND control, int clicks) {
    RECT rect;
    GetWindowRect(control, &rect);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    Settle(toolkit);
    for (int i = 0; i < clicks; ++i) {
        INPUT inputs[] = {MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP)};
        SendInput(2, inputs, sizeof(INPUT));
        Pump(toolkit);
    }
    Settle(toolkit);
}

RECT ChildRect(HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT ClientRect(HWND window) {
    RECT rect;
    GetClientRect(window, &rect);
    return rect;
}

void ExpectAsDesigned(const FormWindow& window, const designed::Window& design, int dpi) {
    const RECT client = ClientRect(window.Handle());
    EXPECT_EQ(client.right, Pixels(design.clientWidth, dpi));
    EXPECT_EQ(client.bottom, Pixels(design.clientHeight, dpi));
    for (const designed::Control& d : design) {
        SCOPED_TRACE(window.GetForm().Layout().controls[d.id].name);
        const HWND control = window.ControlHandle(d.id);
        const RECT actual = ChildRect(control);
        const int left = design.Left(d), top = design.Top(d);
        EXPECT_EQ(actual.left, Pixels(left, dpi));
        EXPECT_EQ(actual.top, Pixels(top, dpi));
        wchar_t kind[32] = {};
        GetClassNameW(control, kind, 32);
        if (d.toCaption || lstrcmpiW(kind, L"ComboBox") == 0) {
            EXPECT_GE(actual.bottom, Pixels(top + d.height, dpi));
            EXPECT_LE(actual.bottom, Pixels(top + d.height, dpi) + 3);
        } else {
            EXPECT_EQ(actual.bottom, Pixels(top + d.height, dpi));
        }
        if (d.toCaption) {
            EXPECT_GT(actual.right - actual.left, 0);
            EXPECT_LE(actual.right, Pixels(design.RightLimit(d), dpi));
        } else {
            EXPECT_EQ(actual.right, Pixels(left + d.width, dpi));
        }
    }
}

namespace {
std::function<void(const MessageBoxSeen&)> whileBoxOpen;
UINT_PTR boxTimer = 0;

BOOL CALLBACK NoteIcon(HWND child, LPARAM box) {
    auto* seen = reinterpret_cast<MessageBoxSeen*>(box);
    wchar_t name[32] = {};
    GetClassNameW(child, name, 32);
    if (lstrcmpiW(name, L"Static") == 0 && (GetWindowLongW(child, GWL_STYLE) & SS_ICON)) {
        const HICON shown = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        if (shown == LoadIconW(nullptr, IDI_WARNING)) seen->icon = MB_ICONWARNING;
        else if (shown == LoadIconW(nullptr, IDI_INFORMATION)) seen->icon = MB_ICONINFORMATION;
    } else if (lstrcmpiW(name, L"Static") == 0 && GetWindowTextLengthW(child) > 0) {
        wchar_t text[512] = {};
        GetWindowTextW(child, text, 512);
        seen->text = text;
    }
    return TRUE;
}

void CALLBACK LookForBox(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = FindWindowW(L"#32770", nullptr);
    if (!box || !whileBoxOpen || GetWindowThreadProcessId(box, nullptr) != GetCurrentThreadId()) return;
    const auto whileOpen = std::move(whileBoxOpen);
    OnNextMessageBox(nullptr);
    MessageBoxSeen seen;
    wchar_t title[256] = {};
    GetWindowTextW(box, title, 256);
    seen.title = title;
    seen.owner = GetWindow(box, GW_OWNER);
    EnumChildWindows(box, NoteIcon, reinterpret_cast<LPARAM>(&seen));
    seen.seen = true;
    whileOpen(seen);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}
}  // namespace

void OnNextMessageBox(std::function<void(const MessageBoxSeen&)> whileOpen) {
    if (boxTimer) KillTimer(nullptr, boxTimer);
    boxTimer = whileOpen ? SetTimer(nullptr, 0, 20, LookForBox) : 0;
    whileBoxOpen = std::move(whileOpen);
}

MessageBoxSeen MessageBoxAfter(Win32Toolkit& toolkit, const std::function<void()>& action) {
    MessageBoxSeen seen;
    OnNextMessageBox([&seen](const MessageBoxSeen& shown) { seen = shown; });
    action();
    if (!PumpUntil(toolkit, [&] { return seen.seen; })) {
        ADD_FAILURE() << "no message box came";
        OnNextMessageBox(nullptr);
    }
    return seen;
}

ForeignWindow::ForeignWindow() {
    ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, Thread, this, 0, &threadId_);
    if (WaitForSingleObject(ready_, kPatienceMs) != WAIT_OBJECT_0 || !window_)
        ADD_FAILURE() << "the other program's window did not open";
}

ForeignWindow::~ForeignWindow() {
    if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    if (WaitForSingleObject(thread_, kPatienceMs) != WAIT_OBJECT_0) ADD_FAILURE() << "the other program did not end";
    CloseHandle(thread_);
    CloseHandle(ready_);
}

DWORD WINAPI ForeignWindow::Thread(LPVOID param) {
    auto* self = static_cast<ForeignWindow*>(param);
    self->window_ = CreateWindowExW(0, L"STATIC", L"Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                    100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetEvent(self->ready_);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (IsWindow(self->window_)) DestroyWindow(self->window_);
    return 0;
}

ThickerFrames::ThickerFrames() : hook_(SetWindowsHookExW(WH_CBT, OnCbt, nullptr, GetCurrentThreadId())) {}

ThickerFrames::~ThickerFrames() { UnhookWindowsHookEx(hook_); }

// Called for a new window before its first message.
LRESULT CALLBACK ThickerFrames::OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const auto hwnd = reinterpret_cast<HWND>(wParam);
        wchar_t name[64] = {};
        GetClassNameW(hwnd, name, 64);
        if (lstrcmpW(name, kFormClassName) == 0) SetWindowSubclass(hwnd, ThickerFrame, 0, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The client area Windows gives the window, smaller on every side.
LRESULT CALLBACK ThickerFrames::ThickerFrame(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR) {
    if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, ThickerFrame, 0);
    const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
    if (message == WM_NCCALCSIZE) {
        RECT& client =
            wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : *reinterpret_cast<RECT*>(lParam);
        client = {client.left + kExtraPixels, client.top + kExtraPixels,
                  std::max(client.left + kExtraPixels, client.right - kExtraPixels),
                  std::max(client.top + kExtraPixels, client.bottom - kExtraPixels)};
    }
    return result;
}

bool PumpUntil(Win32Toolkit& toolkit, const std::function<bool()>& done, DWORD milliseconds) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    for (;;) {
        Pump(toolkit);
        if (done()) return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        // What is awaited may change without a message to this thread: look again soon.
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 10)),
                                    QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

namespace {
DWORD WINAPI RunWork(LPVOID work) {
    const std::unique_ptr<std::function<void()>> owned(static_cast<std::function<void()>*>(work));
    (*owned)();
    return 0;
}
}  // namespace

void OnAnotherThread(Win32Toolkit& toolkit, std::function<void()> work) {
    // The thread owns its work: a thread that never ends fails the test without holding it up.
    HANDLE thread = CreateThread(nullptr, 0, RunWork, new std::function<void()>(std::move(work)), 0, nullptr);
    ASSERT_NE(thread, nullptr);
    DWORD waited;
    while ((waited = MsgWaitForMultipleObjects(1, &thread, FALSE, kPatienceMs, QS_ALLINPUT)) == WAIT_OBJECT_0 + 1)
        Pump(toolkit);
    CloseHandle(thread);
    ASSERT_EQ(waited, WAIT_OBJECT_0) << "the other thread did not end";
    Settle(toolkit);
}

void ThickerFrames::Thicken(HWND window) {
    SetWindowSubclass(window, ThickerFrame, 0, 0);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SwitchTo(Win32Toolkit& toolkit, HWND window) {
    SetForegroundWindow(window);
    if (!PumpUntil(toolkit, [window] { return GetForegroundWindow() == window; }))
        ADD_FAILURE() << "the window did not come to the front";
    Settle(toolkit);
}

namespace {
ModalProbe* probing = nullptr;
}  // namespace

void ModalProbe::ShowModal(ui::Form& form, ui::Form* owner) {
    opening_ = &form;
    probing = this;
    // A timer fires only once the queue is empty: inside the modal loop.
    SetTimer(nullptr, 0, 0, OnIdle);
    real_.ShowModal(form, owner);
    probing = nullptr;
    opening_ = nullptr;
}

void CALLBACK ModalProbe::OnIdle(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    ModalProbe* self = probing;
    if (!self || !self->opening_) return;
    FormWindow* modal = self->real_.WindowOf(*self->opening_);
    if (!modal || !self->whileOpen) return;
    self->whileOpen(*modal);
    // Its loop would wait for the user for ever.
    if (!modal->IsUnloaded()) {
        ADD_FAILURE() << "the modal window is still open after the test's steps";
        modal->Unload();
    }
}

std::vector<COLORREF> ReadPixels(HDC dc, const RECT& rect) {
    std::vector<COLORREF> pixels;
    for (LONG y = rect.top; y < rect.bottom; ++y)
        for (LONG x = rect.left; x < rect.right; ++x) pixels.push_back(GetPixel(dc, x, y));
    return pixels;
}

std::vector<COLORREF> ShownPixels(HWND window, const RECT& rect) {
    HDC dc = GetDC(window);
    std::vector<COLORREF> shown = ReadPixels(dc, rect);
    ReleaseDC(window, dc);
    return shown;
}

SystemColours::SystemColours(std::vector<int> indexes, const std::vector<COLORREF>& values)
    : indexes_(std::move(indexes)) {
    for (int index : indexes_) before_.push_back(GetSysColor(index));
    SetSysColors(static_cast<int>(indexes_.size()), indexes_.data(), values.data());
}

}  // namespace orvanta::win32::testing
