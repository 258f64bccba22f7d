// The windows' first size and place where Windows is not what the program
// predicts: on Windows 8.1 and 10 before 1607, which lack the per-window dpi
// calls, and with a frame other than AdjustWindowRectEx(ForDpi) says.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>

#include "dpi_scaling.h"
#include "frm_main.h"
#include "shell_links.h"
#include "window_driver.h"

namespace orvanta::win32 {
namespace {

using testing::Pump;

RECT WindowRect(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return rect;
}

RECT WorkArea() {
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

void ExpectClientArea(HWND window, int widthTwips, int heightTwips, int dpi) {
    const RECT client = testing::ClientRect(window);
    EXPECT_EQ(client.right, ui::TwipsToPixels(widthTwips, dpi));
    EXPECT_EQ(client.bottom, ui::TwipsToPixels(heightTwips, dpi));
}

// Centred to the pixel: an odd difference of sizes leaves half a pixel over.
void ExpectCentredOn(HWND window, const RECT& area) {
    const RECT frame = WindowRect(window);
    EXPECT_LE(std::abs((frame.left + frame.right) - (area.left + area.right)), 1) << "off centre across";
    EXPECT_LE(std::abs((frame.top + frame.bottom) - (area.top + area.bottom)), 1) << "off centre down";
}

// While one lives, every form window this thread makes has a frame
// `kExtraPixels` thicker on each side than Windows would draw it: its
// WM_NCCALCSIZE, answered first by Windows, gives it a smaller client area.
class ThickerFrames {
public:
    static constexpr int kExtraPixels = 4;
    ThickerFrames() : hook_(SetWindowsHookExW(WH_CBT, OnCbt, nullptr, GetCurrentThreadId())) {}
    ~ThickerFrames() { UnhookWindowsHookEx(hook_); }
    ThickerFrames(const ThickerFrames&) = delete;
    ThickerFrames& operator=(const ThickerFrames&) = delete;
    bool Hooked() const { return hook_ != nullptr; }

private:
    // The window exists and has had no message yet.
    static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND) {
            const auto hwnd = reinterpret_cast<HWND>(wParam);
            wchar_t name[64] = {};
            GetClassNameW(hwnd, name, 64);
            if (lstrcmpW(name, kFormClassName) == 0) SetWindowSubclass(hwnd, ThickerFrame, 0, 0);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static LRESULT CALLBACK ThickerFrame(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR) {
        if (message == WM_NCCALCSIZE) {
            const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
            RECT& client =
                wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : *reinterpret_cast<RECT*>(lParam);
            InflateRect(&client, -kExtraPixels, -kExtraPixels);
            client.right = std::max(client.left, client.right);
            client.bottom = std::max(client.top, client.bottom);
            return result;
        }
        if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, ThickerFrame, 0);
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    HHOOK hook_;
};

class FirstPosition : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(toolkit.Initialize()); }
    void LoadMain() {
        main = toolkit.Load(mainForm, nullptr);
        ASSERT_NE(main, nullptr);
        Pump(toolkit);
    }
    // Presses About and runs `act` once the About window is shown.
    void OpenAbout(const std::function<void(FormWindow&)>& act) {
        bool opened = false;
        modal.whileOpen = [&](FormWindow& about) {
            opened = true;
            act(about);
            about.Unload();
        };
        SendMessageW(main->ControlHandle(ui::main_controls::Command3), BM_CLICK, 0, 0);
        Pump(toolkit);
        EXPECT_TRUE(opened);
    }
    Win32Toolkit toolkit{GetModuleHandleW(nullptr)};
    testing::ModalProbe modal{toolkit};
    ShellLinks shell{toolkit, [] { return ShellExecuteAFunction(nullptr); }};
    ui::frmMain mainForm{modal, shell};
    FormWindow* main = nullptr;
};

// On Windows 8.1 and 10 before 1607 a per-monitor-aware window hears of its
// dpi only from WM_DPICHANGED, when its monitor changes or takes another dpi;
// the system dpi stays what it was at sign-in.
TEST_F(FirstPosition, WithoutPerWindowDpiCallsTheAboutWindowOpensAtTheDpiItsOwnerHas) {
    LoadMain();
    const PerWindowDpiCallsMissing asOnWindows81([](HMONITOR) -> UINT { return 144; });
    RECT suggested = WindowRect(main->Handle());
    SendMessageW(main->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    ASSERT_EQ(main->Dpi(), 144);
    OpenAbout([&](FormWindow& about) {
        EXPECT_EQ(about.Dpi(), 144);
        ExpectClientArea(about.Handle(), 4890, 2400, 144);
        ExpectCentredOn(about.Handle(), WindowRect(main->Handle()));
    });
}

// Windows 10 1607 draws a per-monitor-aware (v1) window's frame at the system
// dpi, not at the window's, which AdjustWindowRectExForDpi assumes.
TEST_F(FirstPosition, AFrameThickerThanPredictedKeepsTheLayoutsClientAreaAndTheCentre) {
    const ThickerFrames thicker;
    ASSERT_TRUE(thicker.Hooked());
    LoadMain();
    const RECT frame = WindowRect(main->Handle()), client = testing::ClientRect(main->Handle());
    const RECT predicted = WindowRectForClient(client.right, client.bottom, GetWindowLongW(main->Handle(), GWL_STYLE),
                                               GetWindowLongW(main->Handle(), GWL_EXSTYLE), main->Dpi());
    ASSERT_EQ(frame.right - frame.left, predicted.right - predicted.left + 2 * ThickerFrames::kExtraPixels)
        << "the frame is as thick as Windows draws it";
    ExpectClientArea(main->Handle(), 5625, 3345, 96);
    ExpectCentredOn(main->Handle(), WorkArea());
    OpenAbout([&](FormWindow& about) {
        ExpectClientArea(about.Handle(), 4890, 2400, 96);
        ExpectCentredOn(about.Handle(), WindowRect(main->Handle()));
    });
}

}  // namespace
}  // namespace orvanta::win32
