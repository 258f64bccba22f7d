#include "form_window.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <numeric>
#include <string_view>

#include "about_picture.h"
#include "callback_guard.h"
#include "control_kinds.h"
#include "dpi_scaling.h"
#include "readable_colours.h"
#include "resource_ids.h"
#include "text_convert.h"
#include "win32_toolkit.h"
#include "window_text.h"

namespace orvanta::win32 {

using ui::ControlId;
using ui::ControlKind;
using ui::Event;

namespace {

constexpr INT_PTR kStaticId = -1;  // the id of a static text that nothing addresses

}  // namespace

FormWindow::FormWindow(Win32Toolkit& toolkit, ui::Form& form) : toolkit_(toolkit), form_(form) {
    const ui::FormLayout& layout = form.Layout();
    for (std::size_t i = 0; i < layout.controlCount; ++i) controls_.push_back({layout.controls[i]});
}

FormWindow::~FormWindow() {
    if (form_.Host() == this) form_.Attach(nullptr);
    unloaded_ = true;  // the focus leaving the controls as they go raises nothing
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

// ---------------------------------------------------------------------------
// Creation

bool FormWindow::Create(const FormWindow* owner) {
    const ui::FormLayout& layout = form_.Layout();
    HWND ownerHandle = owner ? owner->Handle() : nullptr;
    style_ = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | (layout.Has(ui::kMinButton) ? WS_MINIMIZEBOX : 0) |
             (layout.Has(ui::kMaxButton) ? WS_MAXIMIZEBOX : 0);
    // An owned window keeps a task bar button of its own.
    exStyle_ = WS_EX_CONTROLPARENT | (owner ? WS_EX_APPWINDOW : 0);
    // The window is made at its first place and size for the dpi it is
    // expected to get there: its owner's, which the owner has followed
    // through every change, or the system's. Should the system give it
    // another, it is laid out again for that one.
    dpi_ = owner ? owner->Dpi() : SystemDpi();
    const RECT first = FirstPosition(ownerHandle, WindowSize(dpi_));
    window_ = CreateWindowExW(exStyle_, kFormClassName, Widen(layout.caption).c_str(), style_, first.left, first.top,
                              first.right - first.left, first.bottom - first.top, ownerHandle, nullptr,
                              toolkit_.Instance(), this);
    if (!window_) return false;
    const int expectedDpi = dpi_;
    MakeFonts(DpiForWindow(window_, expectedDpi));
    if (!CreateControls()) return false;
    ClipOverlaps();
    if (layout.Has(ui::kApplicationIcon)) SetIcon(reinterpret_cast<ui::IconRef>(toolkit_.ApplicationIcon(dpi_, false)));
    if (dpi_ != expectedDpi) SizeWindowToLayout(nullptr);
    else FitClientArea();
    // Centred as it now is: a frame thicker or thinner than predicted has
    // changed its outer size.
    MoveToFirstPosition(ownerHandle);

    form_.Attach(this);
    form_.Form_Load();
    return true;
}

// Controls are created in the z-order that Windows reads for Tab and for
// accessibility (a new child window goes to the bottom of its siblings):
// - the tab stops in tab order;
// - each frame just before the first control it holds, as a screen reader
//   looks back from a control for the group box around it (as in a dialog
//   box: the controls are drawn over their frame, and a group box lets
//   clicks through to them);
// - just before each named field, the static text that names it: oleacc
//   names an edit field or a combo box by the nearest static text before it,
//   shown or not. That is the form's label with that caption in the same
//   container where there is one, else a static text that is never shown;
// - a frame's other labels (hints) just after its last field, so that they
//   are read with the fields they are about.
bool FormWindow::CreateControls() {
    std::vector<std::size_t> order(controls_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
        const int ta = controls_[a].layout.tabIndex, tb = controls_[b].layout.tabIndex;
        return (ta < 0 ? INT_MAX : ta) < (tb < 0 ? INT_MAX : tb);
    });
    std::vector<bool> created(controls_.size(), false);
    const auto create = [&](ControlId id) {
        if (created.at(static_cast<std::size_t>(id))) return true;
        created.at(static_cast<std::size_t>(id)) = true;
        return CreateControl(At(id));
    };
    // The last control of each frame in this order, after which its other
    // labels (hints that name no field) are read.
    std::vector<ControlId> lastInFrame(controls_.size(), ui::kNoControl);
    for (std::size_t index : order)
        if (const ControlId frame = controls_[index].layout.container;
            frame != ui::kNoControl && controls_[index].layout.kind != ControlKind::Label)
            lastInFrame.at(static_cast<std::size_t>(frame)) = static_cast<ControlId>(index);
    for (std::size_t index : order) {
        const Control& c = controls_[index];
        if (c.layout.container != ui::kNoControl && !create(c.layout.container)) return false;
        if (c.layout.accessibleName) {
            // A label already made elsewhere in the order cannot stand just before the field.
            const ControlId label = LabelNaming(c);
            const bool labelFree = label != ui::kNoControl && !created.at(static_cast<std::size_t>(label));
            if (!(labelFree ? create(label) : CreateHiddenName(c))) return false;
        }
        if (!create(static_cast<ControlId>(index))) return false;
        if (c.layout.container != ui::kNoControl &&
            lastInFrame.at(static_cast<std::size_t>(c.layout.container)) == static_cast<ControlId>(index))
            for (const Control& label : controls_)
                if (label.layout.kind == ControlKind::Label && label.layout.container == c.layout.container &&
                    !create(IdOf(label)))
                    return false;
    }
    return true;
}

// The form's label whose caption names the field: a label in the same
// container whose caption is the field's name.
ControlId FormWindow::LabelNaming(const Control& field) const {
    for (const Control& c : controls_) {
        if (c.layout.kind == ControlKind::Label && c.layout.container == field.layout.container &&
            std::string_view(c.layout.caption) == field.layout.accessibleName)
            return IdOf(c);
    }
    return ui::kNoControl;
}

// A static text with the field's name that is never shown: it takes no
// room, no click and no focus, and is read only by accessibility.
bool FormWindow::CreateHiddenName(const Control& field) {
    HWND name = CreateWindowExW(0, L"STATIC", Widen(field.layout.accessibleName).c_str(),
                                WS_CHILD | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, 0, 0, 0, window_,
                                reinterpret_cast<HMENU>(kStaticId), toolkit_.Instance(), nullptr);
    return name != nullptr;
}

bool FormWindow::CreateControl(Control& c) {
    const ControlId id = IdOf(c);
    const ControlKind kind = c.layout.kind;
    // Created where the layout puts it, in the window's font: the window is
    // ready to be shown without a second pass over its controls.
    const RECT r = PixelRect(c);
    c.hwnd = CreateWindowExW(ExStyleOf(kind), WindowClassOf(kind), HasCaption(kind) ? Widen(c.layout.caption).c_str() : L"",
                             StyleOf(c.layout), r.left, r.top, r.right - r.left, WindowHeight(c, r), window_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + id)), toolkit_.Instance(),
                             nullptr);
    if (!c.hwnd) return false;
    SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(c)), FALSE);
    if (IsCombo(kind)) FitClosedComboHeight(c, r.bottom - r.top);
    // A combo box takes its edit field's first text after it exists.
    if (kind == ControlKind::EditCombo) SetWindowTextW(c.hwnd, Widen(c.layout.caption).c_str());
    if (IsInputField(kind)) {
        c.knownText = WindowText(c.hwnd);
        // No length limit: whatever is typed or pasted is kept whole and read whole.
        SendMessageW(c.hwnd, kind == ControlKind::EditCombo ? CB_LIMITTEXT : EM_SETLIMITTEXT, 0, 0);
    }
    for (const char* item : c.layout.items) AddItem(id, item);
    if (c.layout.HasHandCursor()) c.cursor = toolkit_.HandCursor();
    // No length limit: the result box collects every report for as long as the window is open.
    if (kind == ControlKind::ResultBox) SendMessageW(c.hwnd, EM_SETLIMITTEXT, 0, 0);
    // A control that takes the focus tells the window of it through its own
    // messages (an editable combo box through its edit field, which holds the
    // focus for it).
    if (TakesFocus(kind) &&
        !SetWindowSubclass(FocusHandle(id), ControlProc, static_cast<UINT_PTR>(id), reinterpret_cast<DWORD_PTR>(this)))
        return false;
    if (kind == ControlKind::Picture && !picture_) picture_ = std::make_unique<ResourcePicture>(IDR_ABOUT_PICTURE);
    return true;
}

// The rectangle of a window of `size` at its first position: centred on its
// owner window, or on the work area of the screen.
RECT FormWindow::FirstPosition(HWND owner, SIZE size) const {
    RECT area;
    if (form_.Layout().startPosition == ui::StartPosition::CenterOwner && owner) {
        GetWindowRect(owner, &area);
    } else {
        MONITORINFO monitor{sizeof monitor};
        GetMonitorInfoW(owner ? MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY)
                              : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY),
                        &monitor);
        area = monitor.rcWork;
    }
    const LONG left = area.left + ((area.right - area.left) - size.cx) / 2;
    const LONG top = area.top + ((area.bottom - area.top) - size.cy) / 2;
    return {left, top, left + size.cx, top + size.cy};
}

void FormWindow::MoveToFirstPosition(HWND owner) {
    RECT now;
    GetWindowRect(window_, &now);
    const RECT first = FirstPosition(owner, {now.right - now.left, now.bottom - now.top});
    if (first.left != now.left || first.top != now.top)
        SetWindowPos(window_, nullptr, first.left, first.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::Show(int show) {
    // Focus rectangles and access keys show as the user's last input and
    // settings say, as in a dialog: hidden after the mouse, unless the user
    // asked to see them always.
    SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
    ShowWindow(window_, show);
    // A window shown minimised is entered when it is restored.
    if (!IsIconic(window_)) ReturnToWindow();
    UpdateWindow(window_);
}

FormWindow::Control* FormWindow::FromHandle(HWND hwnd) {
    return const_cast<Control*>(static_cast<const FormWindow*>(this)->FromHandle(hwnd));
}

const FormWindow::Control* FormWindow::FromHandle(HWND hwnd) const {
    for (const Control& c : controls_)
        if (c.hwnd == hwnd) return &c;
    return nullptr;
}

// ---------------------------------------------------------------------------
// Messages

LRESULT CALLBACK FormWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    return Guarded<LRESULT>(hwnd, 0, [&] { return self->HandleMessage(message, wParam, lParam); });
}

LRESULT CALLBACK FormWindow::ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self) {
    auto* window = reinterpret_cast<FormWindow*>(self);
    return Guarded<LRESULT>(window->window_, 0, [&] {
        return window->HandleControlMessage(hwnd, static_cast<ControlId>(id), message, wParam, lParam);
    });
}

// The controls' own messages in which the window has a say.
LRESULT FormWindow::HandleControlMessage(HWND hwnd, ControlId id, UINT message, WPARAM wParam, LPARAM lParam) {
    const ControlKind kind = At(id).layout.kind;
    switch (message) {
    case WM_SETFOCUS: return OnControlFocus(hwnd, id, focus_.Gaining(id), message, wParam);
    case WM_KILLFOCUS: {
        const bool staysInProgram = StaysInProgram(reinterpret_cast<HWND>(wParam));
        return OnControlFocus(hwnd, id, focus_.Losing(id, staysInProgram), message, wParam);
    }
    case EM_SETSEL:
        if (hwnd == keepingSelection_) return 0;  // the user is leaving or coming back: the selection stays
        break;
    case WM_GETDLGCODE:
        // Tab, Enter and Esc belong to the window's keyboard navigation, not
        // to the read-only result box.
        if (kind == ControlKind::ResultBox)
            return DefSubclassProc(hwnd, message, wParam, lParam) & ~(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | DLGC_WANTTAB);
        break;
    case BM_SETSTYLE:
        // Which push button carries the default border is the window's to
        // say, whoever asks a button to change it (the dialog manager, on Tab).
        if (kind == ControlKind::PushButton)
            return DefSubclassProc(hwnd, message, id == DefaultBorderOwner() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, lParam);
        break;
    case WM_NCDESTROY: RemoveWindowSubclass(hwnd, ControlProc, static_cast<UINT_PTR>(id)); break;
    default: break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT FormWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (lParam) OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case DM_GETDEFID: return OnGetDefId();
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: return OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message);
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && OnSetCursor(reinterpret_cast<HWND>(wParam))) return TRUE;
        break;
    case WM_DRAWITEM: OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_ACTIVATE:
        if (OnActivate(LOWORD(wParam))) return 0;
        break;
    case WM_SETFOCUS:
        // The window itself has the focus (restored from the task bar, say): it
        // goes on to the control that had it, as in a dialog.
        if (!IsIconic(window_)) ReturnToWindow();
        return 0;
    case WM_CLOSE: Unload(); return 0;
    case WM_DPICHANGED: OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case kGetDpiScaledSize: return OnGetDpiScaledSize(static_cast<int>(wParam), *reinterpret_cast<SIZE*>(lParam));
    case WM_SYSCOLORCHANGE: OnSysColorChange(); return 0;
    case WM_SETTINGCHANGE:
    case WM_THEMECHANGED: OnSettingChange(); break;
    default: break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void FormWindow::OnCommand(int id, int code, HWND hwnd) {
    const int index = id - kFirstControlId;
    if (index < 0 || index >= static_cast<int>(controls_.size()) || At(index).hwnd != hwnd) return;
    const ControlKind kind = At(index).layout.kind;
    switch (kind) {
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
        if (code == BN_CLICKED) Raise(index, Event::Click);
        break;
    case ControlKind::TextBox:
    case ControlKind::ResultBox:
        if (code != EN_CHANGE) break;
        // Windows reports every write to a field; only a real change is a change.
        if (kind == ControlKind::TextBox) ReportText(index, WindowText(hwnd));
        else Raise(index, Event::Change);
        break;
    case ControlKind::EditCombo:
    case ControlKind::ListCombo:
        if (kind == ControlKind::EditCombo && code == CBN_EDITCHANGE) {
            ReportText(index, WindowText(hwnd));
        } else if (kind == ControlKind::EditCombo && code == CBN_SELENDOK) {
            // The edit field takes the picked item's text after this notification.
            const LRESULT pick = SendMessageW(hwnd, CB_GETCURSEL, 0, 0);
            if (pick >= 0) ReportText(index, ComboItemText(hwnd, pick));
        }
        break;
    case ControlKind::Label:
    case ControlKind::LinkLabel:
    case ControlKind::Picture:
        if (code == STN_CLICKED) Raise(index, Event::Click);
        break;
    case ControlKind::Frame: break;
    }
}

// Enter presses the push button that has the focus, else the default button.
LRESULT FormWindow::OnGetDefId() {
    if (const Control* focused = FromHandle(GetFocus()); focused && focused->layout.kind == ControlKind::PushButton)
        return MAKELONG(kFirstControlId + IdOf(*focused), DC_HASDEFID);
    for (const Control& c : controls_)
        if (c.layout.IsDefault()) return MAKELONG(kFirstControlId + IdOf(c), DC_HASDEFID);
    return 0;
}

LRESULT FormWindow::OnControlColor(HDC dc, HWND hwnd, UINT message) {
    const Control* c = FromHandle(hwnd);
    if (c && c->layout.kind == ControlKind::ResultBox) {
        SetTextColor(dc, ResultTextColour());
        SetBkColor(dc, GetSysColor(COLOR_MENU));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_MENU));
    }
    if (c && c->layout.kind == ControlKind::LinkLabel) {
        SetTextColor(dc, LinkColour());
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    return DefWindowProcW(window_, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd));
}

bool FormWindow::OnSetCursor(HWND hwnd) {
    const Control* c = FromHandle(hwnd);
    if (!c || !c->cursor) return false;
    SetCursor(c->cursor);
    return true;
}

void FormWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    if (picture_) picture_->Draw(item.hDC, item.rcItem);
}

// The window activated (or restored while active): the focus goes back to
// the control that had it. Returns whether the focus was placed.
bool FormWindow::OnActivate(WORD state) { return state != WA_INACTIVE && !IsIconic(window_) && ReturnToWindow(); }

// The window's icon, the application's, is picked again from its images for
// the sizes of the new dpi.
void FormWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    ApplyDpi(dpi, &suggested);
    if (bigIcon_) SetIcon(reinterpret_cast<ui::IconRef>(toolkit_.ApplicationIcon(dpi_, false)));
}

// Asked before a dpi change (per-monitor v2): the window's size for the new
// dpi is the layout's, so that the rectangle Windows proposes is that size.
LRESULT FormWindow::OnGetDpiScaledSize(int dpi, SIZE& size) const {
    size = WindowSize(dpi);
    return TRUE;
}

// Windows tells the top-level windows only: the controls are told too, as
// WM_SYSCOLORCHANGE's documentation asks. Windows then draws the windows
// again, and the colours the window picks itself are decided again as they
// are drawn.
void FormWindow::OnSysColorChange() {
    for (const Control& c : controls_) SendMessageW(c.hwnd, WM_SYSCOLORCHANGE, 0, 0);
}

// High contrast, the visual style or the size of title bars and borders
// changed: the frame Windows now draws takes no room from the layout's
// client area (a minimised window has none to measure), and the controls
// take the layout's sizes again.
void FormWindow::OnSettingChange() {
    PlaceControls();
    if (!IsIconic(window_)) FitClientArea();
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// ---------------------------------------------------------------------------
// The focus

// A control gets or loses the focus. Within the program that is entering or
// leaving a field, which the form hears of. Leaving the window (for another
// program, by minimising it, however that came) and coming back is neither:
// the field keeps its text, caret and selection as the user left them,
// kept meanwhile from the editable combo box, which selects its whole text
// when it gets the focus and clears the selection when it loses it.
LRESULT FormWindow::OnControlFocus(HWND hwnd, ControlId id, WindowFocus::Move move, UINT message, WPARAM other) {
    const bool keep = move == WindowFocus::Move::WindowEntered || move == WindowFocus::Move::WindowLeft;
    keepingSelection_ = keep ? hwnd : nullptr;
    const LRESULT result = DefSubclassProc(hwnd, message, other, 0);
    keepingSelection_ = nullptr;
    const ControlKind kind = At(id).layout.kind;
    if (kind == ControlKind::PushButton) ShowDefaultButton();
    if (keep) return result;
    // As Windows' editable combo box does (Wine's selects only on the first
    // entry): entering it selects its whole text (a click puts the caret
    // where it falls), leaving it clears the selection, so that no highlight
    // stays behind in a field left.
    if (kind == ControlKind::EditCombo && move == WindowFocus::Move::FieldLeft) SendMessageW(hwnd, EM_SETSEL, 0, 0);
    if (kind == ControlKind::EditCombo && move == WindowFocus::Move::FieldEntered && GetKeyState(VK_LBUTTON) >= 0)
        SendMessageW(hwnd, EM_SETSEL, 0, -1);
    Raise(id, move == WindowFocus::Move::FieldEntered ? Event::GotFocus : Event::LostFocus);
    return result;
}

// Where the focus goes when a control loses it: still in the program (another
// control, a message box, the About window), or out of the window (to no
// window, to the window itself, to another program's window), which is the
// user leaving the window, not the field.
bool FormWindow::StaysInProgram(HWND next) const {
    return next && next != window_ && GetWindowThreadProcessId(next, nullptr) == GetCurrentThreadId();
}

// The focus goes back to the control that had it, or to the first tab stop.
// Returns whether the focus was placed.
bool FormWindow::ReturnToWindow() {
    const ControlId target = FocusTarget();
    if (target != ui::kNoControl) SetFocus(target);
    return target != ui::kNoControl;
}

// The control that had the focus last, or the first tab stop if it can no
// longer take it.
ControlId FormWindow::FocusTarget() const {
    if (focus_.Last() != ui::kNoControl && CanTakeFocus(focus_.Last())) return focus_.Last();
    const Control* first = FromHandle(GetNextDlgTabItem(window_, nullptr, FALSE));
    return first ? IdOf(*first) : ui::kNoControl;
}

bool FormWindow::CanTakeFocus(ControlId id) const {
    const HWND hwnd = At(id).hwnd;
    return IsWindow(hwnd) && IsWindowEnabled(hwnd) && IsWindowVisible(hwnd);
}

// The window that takes the focus for a control: an editable combo box's edit field.
HWND FormWindow::FocusHandle(ControlId id) const {
    const Control& c = At(id);
    if (c.layout.kind == ControlKind::EditCombo) {
        COMBOBOXINFO info{sizeof info};
        if (GetComboBoxInfo(c.hwnd, &info) && info.hwndItem) return info.hwndItem;
    }
    return c.hwnd;
}

// As in a dialog, the push button with the focus is the one Enter presses and
// carries the default border; otherwise the window's default button does.
ControlId FormWindow::DefaultBorderOwner() const {
    if (const ControlId focused = focus_.Current();
        focused != ui::kNoControl && At(focused).layout.kind == ControlKind::PushButton)
        return focused;
    for (const Control& c : controls_)
        if (c.layout.IsDefault()) return IdOf(c);
    return ui::kNoControl;
}

void FormWindow::ShowDefaultButton() {
    const ControlId owner = DefaultBorderOwner();
    for (const Control& button : controls_)
        if (button.layout.kind == ControlKind::PushButton)
            SendMessageW(button.hwnd, BM_SETSTYLE, IdOf(button) == owner ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

// ---------------------------------------------------------------------------
// Events

void FormWindow::ReportText(ControlId id, std::wstring now) {
    Control& c = At(id);
    if (now == c.knownText) return;
    c.knownText = std::move(now);
    Raise(id, Event::Change);
}

void FormWindow::Raise(ControlId id, Event event) {
    if (unloaded_) return;
    // A failure ends this event's work only; the window goes on.
    Guarded(window_, false, [&] {
        form_.OnEvent(id, event);
        return true;
    });
}

}  // namespace orvanta::win32
