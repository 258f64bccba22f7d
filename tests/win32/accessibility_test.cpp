// What a screen reader finds in the real main window: each field's name and
// the group it lies in, read from the z-order as Windows reads them, and the
// names Wine's oleacc gives the edit fields.
#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>

#include "frm_main.h"
#include "shell_links.h"
#include "window_driver.h"
#include "window_text.h"

namespace orvanta::win32 {
namespace {

using namespace ui::main_controls;

bool HasClass(HWND window, const wchar_t* name) {
    wchar_t found[64] = {};
    GetClassNameW(window, found, 64);
    return lstrcmpiW(found, name) == 0;
}

// Windows' rule for the name of an edit field or a combo box (oleacc's
// proxies): back along the z-order to the first static text, shown or not;
// a control that both starts a group and is a tab stop ends the search
// without a name.
HWND NamingStatic(HWND field) {
    for (HWND w = GetWindow(field, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) {
        if (HasClass(w, L"Static")) return w;
        if ((GetWindowLongW(w, GWL_STYLE) & (WS_GROUP | WS_TABSTOP)) == (WS_GROUP | WS_TABSTOP)) return nullptr;
    }
    return nullptr;
}

// The group a screen reader (NVDA) announces for a control: the nearest
// visible group box before it in z-order that contains it.
HWND GroupOf(HWND control) {
    RECT inner;
    GetWindowRect(control, &inner);
    for (HWND w = GetWindow(control, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) {
        if (!HasClass(w, L"Button") || (GetWindowLongW(w, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX ||
            !IsWindowVisible(w))
            continue;
        RECT outer;
        GetWindowRect(w, &outer);
        if (inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
            inner.bottom <= outer.bottom)
            return w;
    }
    return nullptr;
}

// The name oleacc's standard object for the control's client area gives.
std::wstring OleaccName(HWND control) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object))))
        return L"(no accessible object)";
    VARIANT self;
    VariantInit(&self);
    V_VT(&self) = VT_I4;
    V_I4(&self) = CHILDID_SELF;
    BSTR name = nullptr;
    const HRESULT result = object->get_accName(self, &name);
    std::wstring text = name ? std::wstring(name, SysStringLen(name)) : L"";
    SysFreeString(name);
    object->Release();
    return result == S_OK ? text : L"(no name)";
}

struct NamedField {
    ui::ControlId field;
    const wchar_t* name;
    ui::ControlId label;  // the form's label that names it, or kNoControl for a static text never shown
    ui::ControlId group;
};

const NamedField kNamedFields[] = {
    {txtGradeCur, L"当前等级", ui::kNoControl, Frame1},
    {cboGradeDir, L"目标等级(可直接输入)", ui::kNoControl, Frame2},
    {cboGradeVip, L"会员等级", ui::kNoControl, Frame3},
    {txtGradeNext, L"下次升级剩余天数:", Label2, Frame3},
    {txtResult, L"计算结果", ui::kNoControl, Frame4},
};

class MainWindowAccessibility : public ::testing::Test {
protected:
    void SetUp() override {
        com_ = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ASSERT_TRUE(toolkit.Initialize());
        window = toolkit.Load(form, nullptr);
        ASSERT_NE(window, nullptr);
        testing::Pump(toolkit);
    }
    void TearDown() override {
        if (SUCCEEDED(com_)) CoUninitialize();
    }
    HWND Control(ui::ControlId id) const { return window->ControlHandle(id); }

    void ExpectNamesAndGroups() {
        for (const NamedField& f : kNamedFields) {
            SCOPED_TRACE(ui::kMainControls[f.field].name);
            HWND label = NamingStatic(Control(f.field));
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(WindowText(label), f.name);
            if (f.label != ui::kNoControl) {
                EXPECT_EQ(label, Control(f.label));
            } else {
                EXPECT_FALSE(IsWindowVisible(label)) << "a name no sighted user reads is not shown";
            }
            EXPECT_EQ(GroupOf(Control(f.field)), Control(f.group));
        }
        EXPECT_EQ(GroupOf(Control(Check1)), Control(Frame3));
    }

    HRESULT com_ = E_FAIL;
    Win32Toolkit toolkit{GetModuleHandleW(nullptr)};
    testing::ModalProbe modal{toolkit};
    ShellLinks shell{toolkit, [] { return ShellExecuteAFunction(nullptr); }};
    ui::frmMain form{modal, shell};
    FormWindow* window = nullptr;
};

TEST_F(MainWindowAccessibility, EachFieldIsNamedByTheStaticTextBeforeItAndLiesInItsFrame) {
    ExpectNamesAndGroups();
    // The layout pass for another dpi leaves the z-order as it was.
    RECT suggested;
    GetWindowRect(window->Handle(), &suggested);
    SendMessageW(window->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    ExpectNamesAndGroups();
    SendMessageW(window->Handle(), WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
    ExpectNamesAndGroups();
}

TEST_F(MainWindowAccessibility, AClickOnAFieldReachesTheFieldThoughItsFrameLiesAbove) {
    // A group box lets the mouse through to what lies beneath it, and a
    // static text that is not shown takes no click. (A disabled window takes
    // none either: the box is ticked, so that the member list takes them.)
    SendMessageW(Control(Check1), BM_CLICK, 0, 0);
    testing::Pump(toolkit);
    for (const NamedField& f : kNamedFields) {
        RECT r;
        GetWindowRect(Control(f.field), &r);
        const POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        HWND hit = WindowFromPoint(middle);
        EXPECT_TRUE(hit == Control(f.field) || GetParent(hit) == Control(f.field)) << ui::kMainControls[f.field].name;
    }
}

TEST_F(MainWindowAccessibility, OleaccNamesTheEditFieldsByTheirStaticTexts) {
    // Wine's oleacc proxies edit fields as Windows does: named by the first
    // static text before them, shown or not. Its combo boxes and group boxes
    // are not proxied yet (a combo box is named by its own text, "16"), so
    // their names are checked above by Windows' rule only.
    EXPECT_EQ(OleaccName(Control(txtGradeCur)), L"当前等级");
    EXPECT_EQ(OleaccName(Control(txtGradeNext)), L"下次升级剩余天数:");
    EXPECT_EQ(OleaccName(Control(txtResult)), L"计算结果");
}

}  // namespace
}  // namespace orvanta::win32
