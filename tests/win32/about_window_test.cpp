// The real About window under Wine: modal over a disabled main window, its
// geometry, the keyboard, the hand cursor over the links and a clean reopen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

#include "about_picture.h"
#include "dpi_scaling.h"
#include "frm_about.h"
#include "frm_main.h"
#include "readable_colours.h"
#include "resource_ids.h"
#include "shell_links.h"
#include "window_driver.h"

namespace orvanta::win32 {
namespace {

using namespace ui::about_controls;
using testing::ChildRect;
using testing::Pump;

// A control's background and text as drawn: its commonest colour, and the
// colour that stands out most from it.
struct DrawnColours {
    COLORREF background = 0, text = 0;
};

DrawnColours DrawnIn(HWND control) {
    std::map<COLORREF, int> counts;
    for (COLORREF c : testing::ShownPixels(control, testing::ClientRect(control)).at) ++counts[c];
    DrawnColours drawn;
    drawn.background = std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
                           return a.second < b.second;
                       })->first;
    drawn.text = drawn.background;
    for (const auto& [colour, count] : counts)
        if (ContrastRatio(colour, drawn.background) > ContrastRatio(drawn.text, drawn.background)) drawn.text = colour;
    return drawn;
}

void ExpectDrawn(HWND control, COLORREF background, COLORREF text) {
    const DrawnColours drawn = DrawnIn(control);
    EXPECT_EQ(drawn.background, background);
    EXPECT_EQ(drawn.text, text);
    EXPECT_GE(ContrastRatio(drawn.text, drawn.background), kReadableContrast);
}

// A colour scheme: the colours the links and the result box stand on and
// may take, and what the program draws them in.
struct Scheme {
    const char* name;
    COLORREF face, hyperlink, buttonText, menu, windowText, menuText;
    bool highContrast;
    COLORREF link, resultText;
};

constexpr COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255), kLight = RGB(240, 240, 240);
constexpr COLORREF kYellow = RGB(255, 255, 0), kDark = RGB(32, 32, 32), kPale = RGB(230, 230, 230);
constexpr COLORREF kHyperlink = RGB(0, 102, 204), kGrey = RGB(128, 128, 128);

constexpr Scheme kSchemes[] = {
    {"light: pure blue", kLight, kHyperlink, kBlack, kLight, kBlack, kBlack, false, RGB(0, 0, 255), kBlack},
    {"high contrast black: the hyperlink colour", kBlack, kYellow, kWhite, kBlack, kWhite, kWhite, false, kYellow,
     kWhite},
    {"dark with a dark hyperlink colour: the button text", kDark, RGB(0, 0, 128), kPale, kDark, kBlack, kPale, false,
     kPale, kPale},
    {"light, high contrast on: the hyperlink colour", kLight, kHyperlink, kBlack, kLight, kBlack, kBlack, true,
     kHyperlink, kBlack},
    {"nothing readable on grey: black", kGrey, RGB(100, 100, 100), RGB(150, 150, 150), kGrey, RGB(120, 120, 120),
     RGB(140, 140, 140), false, kBlack, kBlack},
};

testing::SystemColours Apply(const Scheme& s) {
    return {{COLOR_BTNFACE, s.face},  {COLOR_HOTLIGHT, s.hyperlink},   {COLOR_BTNTEXT, s.buttonText},
            {COLOR_MENU, s.menu},     {COLOR_WINDOWTEXT, s.windowText}, {COLOR_MENUTEXT, s.menuText}};
}

class RealAboutWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(toolkit.Initialize());
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
        };
        SendMessageW(main->ControlHandle(ui::main_controls::Command3), BM_CLICK, 0, 0);
        Pump(toolkit);
        EXPECT_TRUE(opened) << "the About window opened";
    }
    Win32Toolkit toolkit{GetModuleHandleW(nullptr)};
    testing::ModalProbe modal{toolkit};
    ShellLinks shell{toolkit, [] { return ShellExecuteAFunction(nullptr); }};
    ui::frmMain mainForm{modal, shell};
    FormWindow* main = nullptr;
};

TEST_F(RealAboutWindow, GeometryAt96Dpi) {
    OpenAbout([&](FormWindow& about) {
        RECT client;
        GetClientRect(about.Handle(), &client);
        EXPECT_EQ(client.right, 4890 / 15);
        EXPECT_EQ(client.bottom, 2400 / 15);
        for (ui::ControlId id = 0; id < Count; ++id) {
            const ui::ControlLayout& c = ui::kAboutControls[id];
            const RECT r = ChildRect(about.ControlHandle(id));
            SCOPED_TRACE(c.name);
            EXPECT_EQ(r.left, c.leftTwips / 15);
            EXPECT_EQ(r.top, c.topTwips / 15);
            if (c.widthTwips != ui::kSizeToCaption) {
                EXPECT_EQ(r.bottom, (c.topTwips + c.heightTwips) / 15);
                EXPECT_EQ(r.right, (c.leftTwips + c.widthTwips) / 15);
            } else {
                // Sized to the caption in the face in use, underline included.
                EXPECT_GE(r.bottom, (c.topTwips + c.heightTwips) / 15);
                EXPECT_LE(r.bottom, (c.topTwips + c.heightTwips) / 15 + 3);
                EXPECT_LE(r.right, client.right);
            }
        }
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
        EXPECT_FALSE(IsWindowEnabled(main->Handle()));
        EXPECT_EQ(GetWindow(about.Handle(), GW_OWNER), main->Handle()) << "never hidden behind the main window";
        RECT a, m;
        GetWindowRect(about.Handle(), &a);
        GetWindowRect(main->Handle(), &m);
        EXPECT_LE(std::abs((a.left + a.right) - (m.left + m.right)), 1);
        EXPECT_LE(std::abs((a.top + a.bottom) - (m.top + m.bottom)), 1);
        EXPECT_EQ(GetFocus(), about.ControlHandle(Command1));
        about.Unload();
    });
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));
}

// Windows 8.1 and 10 before 1607 tell a per-monitor-aware window its dpi only
// by WM_DPICHANGED, when its monitor changes or takes another dpi; the system
// dpi stays what it was at sign-in.
TEST_F(RealAboutWindow, WithoutThePerWindowDpiCallsItOpensAtTheDpiItsOwnerHas) {
    const PerWindowDpiCallsMissing asOnWindows81([](HMONITOR) -> UINT { return 144; });
    RECT suggested;
    GetWindowRect(main->Handle(), &suggested);
    SendMessageW(main->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    OpenAbout([&](FormWindow& about) {
        RECT client, a, m;
        GetClientRect(about.Handle(), &client);
        EXPECT_EQ(client.right, ui::TwipsToPixels(4890, 144));
        EXPECT_EQ(client.bottom, ui::TwipsToPixels(2400, 144));
        GetWindowRect(about.Handle(), &a);
        GetWindowRect(main->Handle(), &m);
        EXPECT_LE(std::abs((a.left + a.right) - (m.left + m.right)), 1);
        EXPECT_LE(std::abs((a.top + a.bottom) - (m.top + m.bottom)), 1);
        about.Unload();
    });
}

TEST_F(RealAboutWindow, EnterClosesItAndEscapeDoesNot) {
    bool closedByEnter = false;
    OpenAbout([&](FormWindow& about) {
        HWND ok = about.ControlHandle(Command1);
        testing::PressKey(toolkit, ok, VK_ESCAPE);
        EXPECT_FALSE(about.IsUnloaded()) << "Esc does nothing";
        testing::PressKey(toolkit, ok, VK_RETURN);
        closedByEnter = about.IsUnloaded();
        if (!closedByEnter) about.Unload();
    });
    EXPECT_TRUE(closedByEnter);
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
            EXPECT_EQ(SendMessageW(about.Handle(), WM_GETICON, ICON_BIG, 0),
                      SendMessageW(main->Handle(), WM_GETICON, ICON_BIG, 0));
            EXPECT_EQ(SendMessageW(about.ControlHandle(Command1), BM_CLICK, 0, 0), 0);
        });
        Pump(toolkit);
    }
    EXPECT_FALSE(IsWindow(firstHandle)) << "the closed window is gone";
    EXPECT_TRUE(EqualRect(&first, &second));
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));
}

TEST(ReadableColours, ContrastRatiosAreWcags) {
    const struct {
        COLORREF a, b;
        double ratio;
    } cases[] = {{kBlack, kWhite, 21.0}, {RGB(0, 0, 255), kBlack, 2.44}, {RGB(0, 0, 255), kWhite, 8.59},
                 {RGB(255, 0, 0), kWhite, 4.00}, {kWhite, RGB(118, 118, 118), 4.54}};
    for (const auto& c : cases) EXPECT_NEAR(ContrastRatio(c.a, c.b), c.ratio, 0.005);
}

TEST_F(RealAboutWindow, TheLinksAndTheResultBoxAreReadableInEveryColourScheme) {
    SendMessageW(main->ControlHandle(ui::main_controls::Command1), BM_CLICK, 0, 0);  // a report to read
    for (const Scheme& scheme : kSchemes) {
        SCOPED_TRACE(scheme.name);
        std::optional<HighContrastReported> highContrast;
        if (scheme.highContrast) highContrast.emplace();
        const testing::SystemColours colours = Apply(scheme);
        Pump(toolkit);
        ExpectDrawn(main->ControlHandle(ui::main_controls::txtResult), scheme.menu, scheme.resultText);
        OpenAbout([&](FormWindow& about) {
            for (ui::ControlId link : {Label4, Label6, Label8})
                ExpectDrawn(about.ControlHandle(link), scheme.face, scheme.link);
            about.Unload();
        });
    }
}

// Windows tells the top-level windows of a new colour scheme, and they tell
// their controls.
HHOOK colourHook = nullptr;
std::vector<HWND> toldOfColours;

LRESULT CALLBACK NoteColourChange(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_SYSCOLORCHANGE) toldOfColours.push_back(sent->hwnd);
    return CallNextHookEx(colourHook, code, wParam, lParam);
}

TEST_F(RealAboutWindow, ASchemeChosenWhileBothWindowsAreOpenReachesEveryControlAndIsDrawn) {
    colourHook = SetWindowsHookExW(WH_CALLWNDPROC, NoteColourChange, nullptr, GetCurrentThreadId());
    toldOfColours.clear();
    OpenAbout([&](FormWindow& about) {
        const Scheme& dark = kSchemes[1];
        {
            const testing::SystemColours colours = Apply(dark);
            Pump(toolkit);
            ExpectDrawn(about.ControlHandle(Label4), dark.face, dark.link);
            for (const FormWindow* window : {main, &about})
                for (ui::ControlId id = 0; id < static_cast<ui::ControlId>(window->GetForm().Layout().controlCount); ++id)
                    EXPECT_NE(std::count(toldOfColours.begin(), toldOfColours.end(), window->ControlHandle(id)), 0)
                        << window->GetForm().Layout().controls[id].name;
        }
        // High contrast turned on, the colours as they were.
        const Scheme& light = kSchemes[3];
        const testing::SystemColours colours = Apply(light);
        const HighContrastReported highContrast;
        SendMessageW(about.Handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
        Pump(toolkit);
        ExpectDrawn(about.ControlHandle(Label4), light.face, light.link);
        about.Unload();
    });
    UnhookWindowsHookEx(colourHook);
}

// The picture drawn at a size, in a bitmap of its own.
testing::Pixels DrawnPicture(const ResourcePicture& picture, int width, int height) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT all{0, 0, width, height};
    picture.Draw(dc, all);
    const testing::Pixels drawn = testing::ReadPixels(dc, all);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return drawn;
}

// Each pixel drawn against the part of the picture it stands for: its
// colour lies between the darkest and the lightest there (the default
// stretching mode ANDs them into darker ones), and on the whole it is close
// to their average, weighted by area. Windows' halftone stretching averages;
// Wine 8's takes the nearest pixel, which stays within those bounds too.
TEST(AboutPicture, ShrinksSmoothlyWithoutDarkLinesAtEveryDpi) {
    ResourcePicture picture(IDR_ABOUT_PICTURE);
    ASSERT_TRUE(picture.Loaded());
    constexpr int kSide = 128;
    const testing::Pixels full = DrawnPicture(picture, kSide, kSide);
    for (const SIZE size : {SIZE{37, 40}, SIZE{65, 70}}) {  // at 96 and 168 dpi
        SCOPED_TRACE(size.cx);
        const testing::Pixels small = DrawnPicture(picture, size.cx, size.cy);
        double deviation = 0;
        int outside = 0;
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x)
                for (int shift : {0, 8, 16}) {
                    const double x0 = double(x) * kSide / size.cx, x1 = double(x + 1) * kSide / size.cx;
                    const double y0 = double(y) * kSide / size.cy, y1 = double(y + 1) * kSide / size.cy;
                    double sum = 0;
                    int low = 255, high = 0;
                    for (int sy = int(y0); sy < y1; ++sy)
                        for (int sx = int(x0); sx < x1; ++sx) {
                            const int v = (full.At(sx, sy) >> shift) & 0xFF;
                            sum += v * (std::min<double>(sx + 1, x1) - std::max<double>(sx, x0)) *
                                   (std::min<double>(sy + 1, y1) - std::max<double>(sy, y0));
                            low = std::min(low, v);
                            high = std::max(high, v);
                        }
                    const int drawn = (small.At(x, y) >> shift) & 0xFF;
                    outside += drawn < low || drawn > high;
                    deviation += std::abs(drawn - sum / ((x1 - x0) * (y1 - y0)));
                }
        EXPECT_EQ(outside, 0);
        EXPECT_LE(deviation / (size.cx * size.cy * 3), 12.0);
    }
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
