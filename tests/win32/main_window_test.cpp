// The real main window under Wine: geometry at two DPIs, keyboard, default
// button, message boxes, the result box, the end of the program, and what a
// screen reader finds.
#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "dpi_scaling.h"
#include "frm_main.h"
#include "text_convert.h"
#include "window_driver.h"
#include "window_text.h"

namespace orvanta::win32 {
namespace {

using namespace ui::main_controls;
using testing::ChildRect;
using testing::ClientRect;
using testing::Pump;

bool HasClass(HWND window, const wchar_t* name) {
    wchar_t found[64] = {};
    GetClassNameW(window, found, 64);
    return lstrcmpiW(found, name) == 0;
}

// Windows' rule for the name of an edit field or a combo box (oleacc's
// proxies): back along the z-order to the first static text, shown or not;
// a control that both starts a group and is a tab stop ends the search.
HWND NamingStatic(HWND field) {
    for (HWND w = GetWindow(field, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) {
        if (HasClass(w, L"Static")) return w;
        if ((GetWindowLongW(w, GWL_STYLE) & (WS_GROUP | WS_TABSTOP)) == (WS_GROUP | WS_TABSTOP)) return nullptr;
    }
    return nullptr;
}

// The name oleacc's object for the control's client area gives.
std::wstring OleaccName(HWND control) {
    IAccessible* object = nullptr;
    BSTR name = nullptr;
    VARIANT self;
    VariantInit(&self);
    V_VT(&self) = VT_I4;
    V_I4(&self) = CHILDID_SELF;
    // The interface's id from the header: the 64-bit import library gives a thunk of that name.
    if (SUCCEEDED(AccessibleObjectFromWindow(control, OBJID_CLIENT, IID_PPV_ARGS(&object)))) {
        object->get_accName(self, &name);
        object->Release();
    }
    std::wstring text = name ? name : L"";
    SysFreeString(name);
    return text;
}

// Expects `window` centred on `area`, to the pixel that an odd difference leaves.
void ExpectCentredOn(HWND window, const RECT& area) {
    RECT frame;
    GetWindowRect(window, &frame);
    EXPECT_LE(std::abs((frame.left + frame.right) - (area.left + area.right)), 1);
    EXPECT_LE(std::abs((frame.top + frame.bottom) - (area.top + area.bottom)), 1);
}

class RealMainWindow : public testing::FormFixture<> {};

TEST_F(RealMainWindow, EveryControlStandsWhereTheLayoutSaysAt96Dpi) {
    ASSERT_EQ(window->Dpi(), 96) << "the Wine prefix is expected at 96 dpi";
    testing::ExpectAsDesigned(*window, designed::kMain, 96);
    // Eight full-width characters of 12 pixels and a colon, which the face in
    // use may draw narrower than 宋体's 6 pixels, within the layout's 1530 twips.
    const LONG label2 = ChildRect(Control(Label2)).right - ChildRect(Control(Label2)).left;
    EXPECT_GE(label2, 8 * 12);
    EXPECT_LE(label2, testing::Pixels(designed::kMain[Label2].width, 96));
}

// Whether a control still held a font that was deleted when it was given another.
bool heldDeletedFont = false;
LRESULT CALLBACK NoteDeletedFont(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_SETFONT) {
        const auto held = reinterpret_cast<HGDIOBJ>(SendMessageW(sent->hwnd, WM_GETFONT, 0, 0));
        heldDeletedFont |= held && GetObjectType(held) != OBJ_FONT;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(RealMainWindow, LayoutAndFontScaleWhenTheDpiChanges) {
    RECT suggested;
    GetWindowRect(window->Handle(), &suggested);
    const HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, NoteDeletedFont, nullptr, GetCurrentThreadId());
    SendMessageW(window->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    UnhookWindowsHookEx(hook);
    EXPECT_FALSE(heldDeletedFont) << "the old fonts are deleted only once no control holds them";
    testing::ExpectAsDesigned(*window, designed::kMain, 144);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Control(txtGradeCur), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -18);
    EXPECT_EQ(font.lfCharSet, GB2312_CHARSET);
    SendMessageW(window->Handle(), WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
    testing::ExpectAsDesigned(*window, designed::kMain, 96);
}

// Windows 10 1607 draws a per-monitor-aware (v1) window's frame at the system
// dpi, not at the window's, which AdjustWindowRectExForDpi assumes: away from
// the system dpi the frame is thinner or thicker than predicted.
TEST_F(RealMainWindow, AFrameThickerThanPredictedLeavesBothWindowsTheirClientAreasAndCentres) {
    const testing::ThickerFrames thicker;
    ui::frmMain thickForm{modal, shell};
    FormWindow* thick = toolkit.Load(thickForm, nullptr);
    ASSERT_NE(thick, nullptr);
    RECT frame;
    GetWindowRect(thick->Handle(), &frame);
    const RECT client = ClientRect(thick->Handle());
    const RECT predicted = WindowRectForClient(system, client.right, client.bottom,
                                               GetWindowLongW(thick->Handle(), GWL_STYLE),
                                               GetWindowLongW(thick->Handle(), GWL_EXSTYLE), 96);
    ASSERT_EQ(frame.right - frame.left, predicted.right - predicted.left + 2 * testing::ThickerFrames::kExtraPixels);
    EXPECT_EQ(client.right, testing::Pixels(designed::kMain.clientWidth, 96));
    EXPECT_EQ(client.bottom, testing::Pixels(designed::kMain.clientHeight, 96));
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    ExpectCentredOn(thick->Handle(), work);
    // The About window is centred over it away from the screen's centre.
    SetWindowPos(thick->Handle(), nullptr, work.left + 8, work.top + 8, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    GetWindowRect(thick->Handle(), &frame);
    bool opened = false;
    modal.whileOpen = [&](FormWindow& about) {
        opened = true;
        const RECT aboutClient = ClientRect(about.Handle());
        EXPECT_EQ(aboutClient.right, testing::Pixels(designed::kAbout.clientWidth, 96));
        EXPECT_EQ(aboutClient.bottom, testing::Pixels(designed::kAbout.clientHeight, 96));
        ExpectCentredOn(about.Handle(), frame);
        about.Unload();
    };
    SendMessageW(thick->ControlHandle(Command3), BM_CLICK, 0, 0);
    Pump(toolkit);
    EXPECT_TRUE(opened);
}

// Windows broadcasts many a settings change: the window refits its frame and
// controls, and repaints, for those it depends on and leaves itself alone for
// the rest; one that comes while it is minimised, once it is restored. (Wine
// 8 leaves an open window's frame as it was when the size of borders and
// title bars changes, where Windows draws the new one; a visual style may
// draw the combo boxes' fields taller.)
TEST_F(RealMainWindow, ASettingsBroadcastRefitsTheWindowOnlyWhereItDependsOnIt) {
    const struct { UINT message; WPARAM action; const wchar_t* section; bool refits, minimised; } cases[] = {
        {WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, nullptr, true}, {WM_SETTINGCHANGE, 0, L"WindowMetrics", true},
        {WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, nullptr, true},     {WM_THEMECHANGED, 0, nullptr, true},
        {WM_SETTINGCHANGE, 0, L"Environment", false},               {WM_SETTINGCHANGE, 0, L"intl", false},
        {WM_SETTINGCHANGE, 0, L"Policy", false},                    {WM_SETTINGCHANGE, 0, L"TraySettings", false},
        {WM_SETTINGCHANGE, 0, L"ImmersiveColorSet", false},
        {WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, nullptr, true, true},
    };
    testing::ThickerFrames::Thicken(window->Handle());
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        // Out of shape, as a new frame or style leaves it, and drawn.
        for (ui::ControlId combo : {cboGradeDir, cboGradeVip})
            SendMessageW(Control(combo), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                         SendMessageW(Control(combo), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0) + 4);
        RECT frame;
        GetWindowRect(window->Handle(), &frame);
        SetWindowPos(window->Handle(), nullptr, 0, 0, frame.right - frame.left - 8, frame.bottom - frame.top - 8,
                     SWP_NOMOVE | SWP_NOZORDER);
        Pump(toolkit);
        if (c.minimised) ShowWindow(window->Handle(), SW_MINIMIZE);
        SendMessageW(window->Handle(), c.message, c.action, reinterpret_cast<LPARAM>(c.section));
        if (c.minimised) ShowWindow(window->Handle(), SW_RESTORE);
        EXPECT_EQ(GetUpdateRect(window->Handle(), nullptr, FALSE) != FALSE, c.refits) << "repainted";
        if (c.refits) testing::ExpectAsDesigned(*window, designed::kMain, 96);
    }
}

// LoadIconWithScaleDown failing: the icon comes from LoadImage instead.
HRESULT WINAPI NoScaleDown(HINSTANCE, PCWSTR, int, int, HICON*) { return E_FAIL; }

// The size proposed before a dpi change is the layout's at the new dpi with
// the frame Windows draws there (Wine draws it at the system's); the icons
// in the title bar and on the task bar are picked again for the new dpi, each
// loaded once for its size.
TEST_F(RealMainWindow, ADpiChangeProposesTheLayoutsSizeAndPicksTheIconsAgain) {
    const auto iconWidth = [&](WPARAM which) {
        ICONINFO info{};
        BITMAP bitmap{};
        GetIconInfo(reinterpret_cast<HICON>(SendMessageW(window->Handle(), WM_GETICON, which, 0)), &info);
        GetObjectW(info.hbmMask, sizeof bitmap, &bitmap);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        return static_cast<int>(bitmap.bmWidth);
    };
    std::map<int, LRESULT> iconAt;
    const struct { int dpi; bool scaleDownFails; } cases[] = {{144, false}, {168, false}, {96, false}, {120, true},
                                                              {96, true},   {120, true}};
    for (const auto& [dpi, scaleDownFails] : cases) {
        SCOPED_TRACE(dpi);
        if (scaleDownFails) system.loadIconWithScaleDown = NoScaleDown;
        SIZE proposed{};
        EXPECT_TRUE(SendMessageW(window->Handle(), kGetDpiScaledSize, dpi, reinterpret_cast<LPARAM>(&proposed)));
        const RECT frame = WindowRectForClient(system, 0, 0, GetWindowLongW(window->Handle(), GWL_STYLE),
                                               GetWindowLongW(window->Handle(), GWL_EXSTYLE), dpi);
        EXPECT_EQ(proposed.cx - (frame.right - frame.left), testing::Pixels(designed::kMain.clientWidth, dpi));
        EXPECT_EQ(proposed.cy - (frame.bottom - frame.top), testing::Pixels(designed::kMain.clientHeight, dpi));
        RECT suggested;
        GetWindowRect(window->Handle(), &suggested);
        SendMessageW(window->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        EXPECT_EQ(iconWidth(ICON_BIG), SystemMetricForDpi(system, SM_CXICON, dpi));
        EXPECT_EQ(iconWidth(ICON_SMALL), SystemMetricForDpi(system, SM_CXSMICON, dpi));
        const LRESULT icon = SendMessageW(window->Handle(), WM_GETICON, ICON_BIG, 0);
        EXPECT_EQ(iconAt.emplace(dpi, icon).first->second, icon) << "loaded once for its size";
    }
}

// The check box reaches under the member list: drawn after it, focused and
// ticked, it leaves the list whole.
TEST_F(RealMainWindow, TheMemberListIsDrawnWholeOverTheCheckBoxAtEveryDpi) {
    for (int dpi : {96, 168}) {
        RECT suggested;
        GetWindowRect(window->Handle(), &suggested);
        SendMessageW(window->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        SendMessageW(Control(Check1), BM_CLICK, 0, 0);
        SetFocus(Control(Check1));
        Pump(toolkit);
        const RECT list = ChildRect(Control(cboGradeVip));
        RECT overlap, box = ChildRect(Control(Check1));
        IntersectRect(&overlap, &list, &box);
        POINT centre{(overlap.left + overlap.right) / 2, (overlap.top + overlap.bottom) / 2};
        ClientToScreen(window->Handle(), &centre);
        if (dpi == 96) {  // at 168 dpi, Wine's hit test finds neither control there but the window itself
            EXPECT_EQ(WindowFromPoint(centre), Control(cboGradeVip)) << "on top where they overlap";
        }
        RedrawWindow(Control(cboGradeVip), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        const std::vector<COLORREF> whole = testing::ShownPixels(window->Handle(), list);
        RedrawWindow(Control(Check1), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        EXPECT_TRUE(testing::ShownPixels(window->Handle(), list) == whole) << dpi;
    }
}

TEST_F(RealMainWindow, AltAPressesTheAboutButton) {
    int opened = 0;
    modal.whileOpen = [&](FormWindow& about) {
        ++opened;
        EXPECT_FALSE(IsWindowEnabled(window->Handle()));
        about.Unload();
    };
    PostMessageW(Control(txtGradeCur), WM_SYSCHAR, L'a', 1 << 29);
    Pump(toolkit);
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(IsWindowEnabled(window->Handle()));
}

TEST_F(RealMainWindow, ExitAndTheCloseBoxUnloadTheWindow) {
    SendMessageW(Control(Command2), BM_CLICK, 0, 0);
    EXPECT_TRUE(window->IsUnloaded());
    ui::frmMain second{toolkit, shell};
    FormWindow* other = toolkit.Load(second, nullptr);
    ASSERT_NE(other, nullptr);
    SendMessageW(other->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump(toolkit);
    EXPECT_TRUE(other->IsUnloaded());
}

TEST_F(RealMainWindow, AScreenReaderFindsEachFieldsNameInTheZOrder) {
    const std::pair<ui::ControlId, const wchar_t*> fields[] = {
        {txtGradeCur, L"当前等级"}, {cboGradeDir, L"目标等级(可直接输入)"}, {cboGradeVip, L"会员等级"},
        {txtGradeNext, L"下次升级剩余天数:"}, {txtResult, L"计算结果"},
    };
    const auto expectNames = [&] {
        for (const auto& [field, name] : fields) {
            SCOPED_TRACE(ui::kMainControls[field].name);
            HWND label = NamingStatic(Control(field));
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(WindowText(label), name);
            if (field == txtGradeNext) EXPECT_EQ(label, Control(Label2));
            else EXPECT_FALSE(IsWindowVisible(label)) << "a name no sighted user reads is not shown";
        }
    };
    expectNames();
    // Laying the window out for another dpi leaves the z-order as it was.
    RECT suggested;
    GetWindowRect(window->Handle(), &suggested);
    SendMessageW(window->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    expectNames();
}

TEST_F(RealMainWindow, OleaccNamesTheEditFieldsByTheStaticTextsBeforeThem) {
    // Wine's oleacc names an edit field as Windows does, by the first static
    // text before it, shown or not. It does not proxy combo boxes and group
    // boxes yet (a combo box is named by its own text), so their names and
    // groups are checked above by Windows' rule alone.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    EXPECT_EQ(OleaccName(Control(txtGradeCur)), L"当前等级");
    EXPECT_EQ(OleaccName(Control(txtGradeNext)), L"下次升级剩余天数:");
    EXPECT_EQ(OleaccName(Control(txtResult)), L"计算结果");
    if (SUCCEEDED(com)) CoUninitialize();
}

}  // namespace
}  // namespace orvanta::win32
