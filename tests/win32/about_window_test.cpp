// The real About window under Wine: owned by the main window, its geometry,
// the keyboard, the hand cursor over the links and a clean reopen.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include "about_picture.h"
#include "dpi_scaling.h"
#include "frm_about.h"
#include "frm_main.h"
#include "readable_colours.h"
#include "resource_ids.h"
#include "window_driver.h"

namespace orvanta::win32 {
namespace {

using namespace ui::about_controls;
using testing::ChildRect;
using testing::Pump;

// A control's text as drawn is the colour that stands out most from its
// background, its commonest colour: readable, and the one expected.
void ExpectDrawn(HWND control, COLORREF background, COLORREF text) {
    std::map<COLORREF, int> counts;
    for (COLORREF c : testing::ShownPixels(control, testing::ClientRect(control))) ++counts[c];
    const auto byCount = [](const auto& a, const auto& b) { return a.second < b.second; };
    const COLORREF drawnBackground = std::max_element(counts.begin(), counts.end(), byCount)->first;
    COLORREF drawnText = drawnBackground;
    for (const auto& [colour, count] : counts)
        if (ContrastRatio(colour, drawnBackground) > ContrastRatio(drawnText, drawnBackground)) drawnText = colour;
    EXPECT_EQ(drawnBackground, background);
    EXPECT_EQ(drawnText, text);
    EXPECT_GE(ContrastRatio(drawnText, drawnBackground), kReadableContrast);
}

// A colour scheme, high contrast reported or not: the window and menu
// colours, the link colours to choose from (pure blue first), and what the
// links and the result box show.
struct Scheme {
    const char* name;
    bool highContrast;
    COLORREF face, hyperlink, buttonText, menu, windowText, menuText;
    COLORREF link, resultText;
};

constexpr COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255), kLight = RGB(240, 240, 240);
constexpr COLORREF kYellow = RGB(255, 255, 0), kDark = RGB(32, 32, 32), kPale = RGB(230, 230, 230);
constexpr COLORREF kRed = RGB(255, 0, 0), kHyperlink = RGB(0, 102, 204);

constexpr Scheme kSchemes[] = {
    {"light", false, kLight, kHyperlink, kBlack, kLight, kBlack, kBlack, RGB(0, 0, 255), kBlack},
    {"light, high contrast on", true, kLight, kHyperlink, kBlack, kLight, kBlack, kBlack, kHyperlink, kBlack},
    {"high contrast black", false, kBlack, kYellow, kWhite, kBlack, kWhite, kWhite, kYellow, kWhite},
    {"dark, dark hyperlinks", false, kDark, RGB(0, 0, 128), kPale, kDark, kBlack, kPale, kPale, kPale},
    {"red: black alone reads", false, kRed, kYellow, kWhite, kRed, kWhite, kYellow, kBlack, kBlack},
};

HRESULT WINAPI MonitorAt144Dpi(HMONITOR, MONITOR_DPI_TYPE, UINT* x, UINT* y) {
    *x = *y = 144;
    return S_OK;
}

class RealAboutWindow : public testing::FormFixture<> {
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
        about.Unload();
    });
}

TEST_F(RealAboutWindow, OwnedByTheMainWindowWithTheFocusOnOk) {
    OpenAbout([&](FormWindow& about) {
        EXPECT_EQ(GetWindow(about.Handle(), GW_OWNER), window->Handle()) << "never hidden behind the main window";
        EXPECT_EQ(GetFocus(), about.ControlHandle(Command1));
        about.Unload();
    });
}

// Windows 8.1 and 10 before 1607 tell a per-monitor-aware window its dpi only
// by WM_DPICHANGED, when its monitor changes or takes another dpi; the system
// dpi stays what it was at sign-in.
TEST_F(RealAboutWindow, WithoutThePerWindowDpiCallsItOpensAtTheDpiItsOwnerHas) {
    system.dpiForWindow = nullptr, system.dpiForSystem = nullptr, system.adjustWindowRectForDpi = nullptr;
    system.systemMetricForDpi = nullptr;
    system.dpiForMonitor = MonitorAt144Dpi;
    RECT suggested;
    GetWindowRect(window->Handle(), &suggested);
    SendMessageW(window->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    OpenAbout([&](FormWindow& about) {
        RECT client;
        GetClientRect(about.Handle(), &client);
        EXPECT_EQ(client.right, testing::Pixels(designed::kAbout.clientWidth, 144));
        EXPECT_EQ(client.bottom, testing::Pixels(designed::kAbout.clientHeight, 144));
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

// Each scheme is chosen while the windows are open (Wine never reports high
// contrast: the test does); the About window covers part of the result box,
// which is read once it has gone.
TEST_F(RealAboutWindow, TheLinksAndTheResultBoxAreReadableInEveryColourScheme) {
    SendMessageW(Control(ui::main_controls::Command1), BM_CLICK, 0, 0);  // a report to read
    for (const Scheme& scheme : kSchemes) {
        SCOPED_TRACE(scheme.name);
        system.highContrast = scheme.highContrast ? +[] { return true; } : +[] { return false; };
        std::optional<testing::SystemColours> colours;
        OpenAbout([&](FormWindow& about) {
            colours.emplace(std::vector<int>{COLOR_BTNFACE, COLOR_HOTLIGHT, COLOR_BTNTEXT, COLOR_MENU, COLOR_WINDOWTEXT,
                                             COLOR_MENUTEXT},
                            std::vector<COLORREF>{scheme.face, scheme.hyperlink, scheme.buttonText, scheme.menu,
                                                  scheme.windowText, scheme.menuText});
            Pump(toolkit);
            for (ui::ControlId link : {Label4, Label6, Label8})
                ExpectDrawn(about.ControlHandle(link), scheme.face, scheme.link);
            about.Unload();
        });
        testing::Settle(toolkit);
        ExpectDrawn(Control(ui::main_controls::txtResult), scheme.menu, scheme.resultText);
    }
}

// Each pixel of the picture shrunk to its size at 96 and 168 dpi lies, in
// every channel, between the darkest and the lightest of the picture's
// pixels it stands for: halftone stretching averages them (Wine 8's takes
// the nearest), the default mode ANDs them into darker ones.
TEST(AboutPicture, ShrinksWithoutDarkLinesAtEveryDpi) {
    ResourcePicture picture(IDR_ABOUT_PICTURE);
    ASSERT_TRUE(picture.Loaded());
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, CreateCompatibleBitmap(screen, 128, 128));
    const auto drawn = [&](int width, int height) {
        picture.Draw(dc, {0, 0, width, height});
        return testing::ReadPixels(dc, {0, 0, width, height});
    };
    const std::vector<COLORREF> full = drawn(128, 128);
    for (const SIZE size : {SIZE{37, 40}, SIZE{65, 70}}) {
        const std::vector<COLORREF> small = drawn(size.cx, size.cy);
        int outside = 0;
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x)
                for (int shift : {0, 8, 16}) {
                    int low = 255, high = 0;
                    for (int sy = y * 128 / size.cy; sy < ((y + 1) * 128 + size.cy - 1) / size.cy; ++sy)
                        for (int sx = x * 128 / size.cx; sx < ((x + 1) * 128 + size.cx - 1) / size.cx; ++sx) {
                            low = std::min<int>(low, (full[sy * 128 + sx] >> shift) & 0xFF);
                            high = std::max<int>(high, (full[sy * 128 + sx] >> shift) & 0xFF);
                        }
                    const int v = (small[y * size.cx + x] >> shift) & 0xFF;
                    outside += v < low || v > high;
                }
        EXPECT_EQ(outside, 0) << size.cx << " x " << size.cy;
    }
    DeleteObject(SelectObject(dc, old));
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
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
