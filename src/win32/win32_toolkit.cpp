#include "win32_toolkit.h"

#include <commctrl.h>
#include <objbase.h>

#include <algorithm>

#include "dpi_scaling.h"
#include "resource_ids.h"

namespace orvanta::win32 {

Win32Toolkit::Win32Toolkit(HINSTANCE instance, const SystemReports& system) : instance_(instance), system_(system) {}

Win32Toolkit::~Win32Toolkit() {
    windows_.clear();
    if (comInitialized_) CoUninitialize();
    for (const Icons& icons : icons_) {
        if (icons.bigIcon) DestroyIcon(icons.bigIcon);
        if (icons.smallIcon) DestroyIcon(icons.smallIcon);
    }
}

bool Win32Toolkit::Initialize() {
    // The shell, which opens the links, asks for COM on the calling thread,
    // initialised as a single-threaded apartment (ShellExecute's own rule);
    // so does the picture's decoder. This thread is the program's only one.
    if (!comInitialized_)
        comInitialized_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    WNDCLASSEXW windowClass{sizeof windowClass};
    if (!GetClassInfoExW(instance_, kFormClassName, &windowClass)) {
        windowClass.lpfnWndProc = FormWindow::WindowProc;
        windowClass.hInstance = instance_;
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kFormClassName;
        if (!RegisterClassExW(&windowClass)) return false;
    }
    handCursor_ = LoadCursorW(instance_, MAKEINTRESOURCEW(IDC_HAND_LINK));
    if (!handCursor_) handCursor_ = LoadCursorW(nullptr, IDC_HAND);
    return handCursor_ != nullptr;
}

HICON Win32Toolkit::ApplicationIcon(int dpi, bool small) const {
    const int big = SystemMetricForDpi(system_, SM_CXICON, dpi), little = SystemMetricForDpi(system_, SM_CXSMICON, dpi);
    // Scaled down from the next larger image where the icon has none of the
    // size (a 20-pixel title bar icon from the 32 at 125 %), where LoadImage
    // would scale the next smaller one up; LoadImage where that cannot be had.
    auto load = [this](int size) {
        const auto name = MAKEINTRESOURCEW(IDI_APPLICATION_ICON);
        HICON icon = nullptr;
        const auto scaleDown = system_.loadIconWithScaleDown;
        if (scaleDown && SUCCEEDED(scaleDown(instance_, name, size, size, &icon))) return icon;
        return static_cast<HICON>(LoadImageW(instance_, name, IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    };
    // Each pair is loaded once for the sizes asked, whatever came of it.
    for (const Icons& icons : icons_)
        if (icons.bigSize == big && icons.smallSize == little) return small ? icons.smallIcon : icons.bigIcon;
    icons_.push_back({big, little, load(big), load(little)});
    return small ? icons_.back().smallIcon : icons_.back().bigIcon;
}

HICON Win32Toolkit::SmallIconFor(HICON big) const {
    for (const Icons& icons : icons_)
        if (icons.bigIcon == big) return icons.smallIcon;
    return big;
}

FormWindow* Win32Toolkit::WindowOf(const ui::Form& form) const {
    for (const auto& window : windows_)
        if (&window->GetForm() == &form) return window.get();
    return nullptr;
}

void Win32Toolkit::Forget(FormWindow* window) {
    windows_.erase(std::remove_if(windows_.begin(), windows_.end(),
                                  [window](const std::unique_ptr<FormWindow>& w) { return w.get() == window; }),
                   windows_.end());
}

FormWindow* Win32Toolkit::Load(ui::Form& form, ui::Form* owner, int show) {
    FormWindow* ownerWindow = owner ? WindowOf(*owner) : nullptr;
    // A window that fails to be made, or whose load step fails, goes at once.
    auto window = std::make_unique<FormWindow>(*this, form);
    if (!window->Create(ownerWindow)) return nullptr;
    windows_.push_back(std::move(window));
    FormWindow* loaded = windows_.back().get();
    loaded->Show(show);
    return loaded;
}

void Win32Toolkit::Dispatch(MSG& message) {
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    // Keyboard navigation: Tab, Shift+Tab, mnemonics, Enter and Esc, as in a dialog.
    if (root && IsDialogMessageW(root, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

bool Win32Toolkit::RunUntilUnloaded(const FormWindow& window, int& exitCode) {
    MSG message;
    while (!window.IsUnloaded()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            exitCode = got < 0 ? 1 : static_cast<int>(message.wParam);
            return false;
        }
        Dispatch(message);
    }
    return true;
}

int Win32Toolkit::Run(ui::Form& startup, int show) {
    FormWindow* window = Load(startup, nullptr, show);
    if (!window) return kCouldNotStart;
    int exitCode = 0;
    RunUntilUnloaded(*window, exitCode);
    Forget(window);
    return exitCode;
}

namespace {

// Every other window of the program takes no input while a modal one is
// open; they take it again when this ends, however the modal window went.
class OtherWindowsDisabled {
public:
    explicit OtherWindowsDisabled(const std::vector<std::unique_ptr<FormWindow>>& windows) {
        for (const auto& other : windows)
            if (IsWindowEnabled(other->Handle())) {
                EnableWindow(other->Handle(), FALSE);
                disabled_.push_back(other->Handle());
            }
    }
    ~OtherWindowsDisabled() {
        for (HWND hwnd : disabled_) EnableWindow(hwnd, TRUE);
    }
    OtherWindowsDisabled(const OtherWindowsDisabled&) = delete;
    OtherWindowsDisabled& operator=(const OtherWindowsDisabled&) = delete;

private:
    std::vector<HWND> disabled_;
};

}  // namespace

// A failure of the modal window's load step goes on to the event that opened
// it, which tells the user like any failed event.
void Win32Toolkit::ShowModal(ui::Form& form, ui::Form* owner) {
    FormWindow* window = nullptr;
    {
        const OtherWindowsDisabled others(windows_);
        window = Load(form, owner);
        int exitCode = 0;
        if (window && !RunUntilUnloaded(*window, exitCode)) PostQuitMessage(exitCode);  // for the outer loop
        // The owner is enabled before the modal window goes, so that it can be activated.
    }
    if (!window) return;
    HandActivationBack(*window, owner ? WindowOf(*owner) : nullptr);
    Forget(window);
}

// As Windows' own modal windows do when they end: the modal window is hidden
// and, if it was the active window, its owner is activated before it is
// destroyed, so that the activation never falls to no window at all (which
// some window managers leave it to).
void Win32Toolkit::HandActivationBack(const FormWindow& modal, const FormWindow* owner) {
    HWND hwnd = modal.Handle();
    const bool wasActive = GetActiveWindow() == hwnd;
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (wasActive && owner && IsWindowEnabled(owner->Handle())) SetForegroundWindow(owner->Handle());
}

}  // namespace orvanta::win32
