// The real About window under Wine: modal over a disabled main window, its
// geometry, the keyboard, the hand cursor over the links and a clean reopen.
#include <gtest/gtest.h>

#include "about_picture.h"
#include "dpi_scaling.h"
#include "frm_about.h"
#include "frm_main.h"
#include "resource_ids.h"
#include "window_driver.h"

namespace orvanta::win32 {
namespace {

using namespace ui::about_controls;
using testing::ChildRect;
using testing::Pump;

class RealAboutWindow : public testing::MainWindowFixture<> {
protected:
    // Presses About and runs `act` once the About window is shown.
    void OpenAbout(const std::function<void(FormWindow&)>& act) {
        bool opened = false;
        modal.whileOpen = [&](FormWindow& about) {
            opened = true;
            act(about);
        };
        SendMessageW(Control(ui::main_controls::Command3), BM_CLICK, 0, 0);
        Pump(toolkit);
        EXPECT_TRUE(opened) << "the About window opened";
    }
};

TEST_F(RealAboutWindow, GeometryAt96Dpi) {
    OpenAbout([&](FormWindow& about) {
        testing::ExpectAsDesigned(about, designed::kAbout, 96);
        // The captions and the links do not run into each other.
        EXPECT_LT(ChildRect(about.ControlHandle(Label5)).right, ChildRect(about.ControlHandle(Label6)).left);
        const LONG style = GetWindowLongW(about.Handle(), GWL_STYLE);
        EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
        EXPECT_TRUE(GetWindowLongW(about.Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
        about.Unload();
    });
}

TEST_F(RealAboutWindow, ModalOverADisabledMainWindowCentredOnIt) {
    OpenAbout([&](FormWindow& about) {
        EXPECT_FALSE(IsWindowEnabled(window->Handle()));
        EXPECT_EQ(GetWindow(about.Handle(), GW_OWNER), window->Handle()) << "never hidden behind the main window";
        RECT a, m;
        GetWindowRect(about.Handle(), &a);
        GetWindowRect(window->Handle(), &m);
        EXPECT_LE(std::abs((a.left + a.right) - (m.left + m.right)), 1);
        EXPECT_LE(std::abs((a.top + a.bottom) - (m.top + m.bottom)), 1);
        EXPECT_EQ(GetFocus(), about.ControlHandle(Command1));
        about.Unload();
    });
    EXPECT_TRUE(IsWindowEnabled(window->Handle()));
}

// Windows 8.1 and 10 before 1607 tell a per-monitor-aware window its dpi only
// by WM_DPICHANGED, when its monitor changes or takes another dpi; the system
// dpi stays what it was at sign-in.
TEST_F(RealAboutWindow, WithoutThePerWindowDpiCallsItOpensAtTheDpiItsOwnerHas) {
    const PerWindowDpiCallsMissing asOnWindows81([](HMONITOR) -> UINT { return 144; });
    RECT suggested;
    GetWindowRect(window->Handle(), &suggested);
    SendMessageW(window->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    OpenAbout([&](FormWindow& about) {
        RECT client, a, m;
        GetClientRect(about.Handle(), &client);
        EXPECT_EQ(client.right, testing::Pixels(designed::kAbout.clientWidth, 144));
        EXPECT_EQ(client.bottom, testing::Pixels(designed::kAbout.clientHeight, 144));
        GetWindowRect(about.Handle(), &a);
        GetWindowRect(window->Handle(), &m);
        EXPECT_LE(std::abs((a.left + a.right) - (m.left + m.right)), 1);
        EXPECT_LE(std::abs((a.top + a.bottom) - (m.top + m.bottom)), 1);
        about.Unload();
    });
}

TEST_F(RealAboutWindow, EnterClosesItAndEscapeDoesNot) {
    OpenAbout([&](FormWindow& about) {
        HWND ok = about.ControlHandle(Command1);
        testing::PressKey(toolkit, ok, VK_ESCAPE);
        EXPECT_FALSE(about.IsUnloaded()) << "Esc does nothing";
        testing::PressKey(toolkit, ok, VK_RETURN);
        EXPECT_TRUE(about.IsUnloaded()) << "Enter closes it";
    });
}

TEST_F(RealAboutWindow, TheHandCursorOverEveryLinkAndOnlyThere) {
    OpenAbout([&](FormWindow& about) {
        const auto cursorOver = [&](ui::ControlId id) {
            SetCursor(nullptr);
            SendMessageW(about.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(about.ControlHandle(id)),
                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            return GetCursor();
        };
        for (ui::ControlId link : {Label4, Label6, Label8}) EXPECT_EQ(cursorOver(link), toolkit.HandCursor());
        EXPECT_NE(cursorOver(Label5), toolkit.HandCursor());
        about.Unload();
    });
}

TEST_F(RealAboutWindow, EveryOpeningIsAFreshWindowInTheSamePlaceWithTheMainIcon) {
    RECT first{}, second{};
    HWND firstHandle = nullptr;
    for (RECT* place : {&first, &second}) {
        OpenAbout([&](FormWindow& about) {
            GetWindowRect(about.Handle(), place);
            if (!firstHandle) firstHandle = about.Handle();
            const LRESULT icon = SendMessageW(window->Handle(), WM_GETICON, ICON_BIG, 0);
            EXPECT_NE(icon, 0) << "the main window has an icon to give";
            EXPECT_EQ(SendMessageW(about.Handle(), WM_GETICON, ICON_BIG, 0), icon);
            SendMessageW(about.ControlHandle(Command1), BM_CLICK, 0, 0);
            EXPECT_TRUE(about.IsUnloaded()) << "OK closes the window";
        });
        Pump(toolkit);
    }
    EXPECT_FALSE(IsWindow(firstHandle)) << "the closed window is gone";
    EXPECT_TRUE(EqualRect(&first, &second));
    EXPECT_TRUE(IsWindowEnabled(window->Handle()));
}

TEST(AboutPicture, TheJpegResourceDecodes) {
    ResourcePicture picture(IDR_ABOUT_PICTURE);
    ASSERT_TRUE(picture.Loaded());
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 37, 40);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, 37, 40};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    picture.Draw(dc, all);
    int coloured = 0;
    for (int y = 0; y < 40; y += 4)
        for (int x = 0; x < 37; x += 4) coloured += GetPixel(dc, x, y) != RGB(255, 255, 255);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    EXPECT_GT(coloured, 20) << "the picture was drawn over the whole rectangle";
}

}  // namespace
}  // namespace orvanta::win32
