#include "form_window.h"

#include <commctrl.h>

#include "callback_guard.h"
#include "dpi_scaling.h"
#include "form_arrangement.h"
#include "text_convert.h"

namespace orvanta::win32 {

using ui::ControlId;
using ui::Event;

FormWindow::FormWindow(const WindowResources& resources, ui::Form& form)
    : resources_(resources), form_(form), layout_(form.Layout(), resources.System()) {
    const ui::FormLayout& layout = form.Layout();
    for (std::size_t i = 0; i < layout.controlCount; ++i)
        controls_.push_back(FormControl::Of(static_cast<ControlId>(i), layout.controls[i]));
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
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | (layout.Has(ui::kMinButton) ? WS_MINIMIZEBOX : 0) |
                        (layout.Has(ui::kMaxButton) ? WS_MAXIMIZEBOX : 0);
    // An owned window keeps a task bar button of its own.
    const DWORD exStyle = WS_EX_CONTROLPARENT | (owner ? WS_EX_APPWINDOW : 0);
    layout_.SetFrame(style, exStyle);
    // The window is made at its first place and size for the dpi it is
    // expected to get there: its owner's, which the owner has followed
    // through every change, or the system's. Should the system give it
    // another, it is laid out again for that one.
    const int expectedDpi = owner ? owner->Dpi() : SystemDpi(resources_.System());
    const SIZE size = layout_.WindowSize(expectedDpi);
    const RECT first = FirstPosition(ownerHandle, size);
    window_ = CreateWindowExW(exStyle, kFormClassName, Widen(layout.caption).c_str(), style, first.left, first.top,
                              size.cx, size.cy, ownerHandle, nullptr, resources_.Instance(), this);
    if (!window_) return false;
    layout_.Attach(window_);
    layout_.MakeFonts(DpiForWindow(resources_.System(), window_, expectedDpi));
    if (!CreateControls()) return false;
    layout_.ClipOverlaps(controls_);
    if (layout.Has(ui::kApplicationIcon))
        SetIcon(reinterpret_cast<ui::IconRef>(resources_.ApplicationIcon(layout_.Dpi(), false)));
    if (layout_.Dpi() != expectedDpi) layout_.SizeWindowToLayout(nullptr);
    else layout_.FitClientArea();
    // Centred as it now is: a frame thicker or thinner than predicted has
    // changed its outer size.
    MoveToFirstPosition(ownerHandle);

    form_.Attach(this);
    form_.Form_Load();
    return true;
}

// Each control is made where the layout puts it, in the window's font, in
// the order that names the fields and their groups for screen readers; a
// control that takes the focus tells the window of it through its own
// messages (an editable combo box through its edit field).
bool FormWindow::CreateControls() {
    const int listPixels = layout_.ListPixels();
    for (const ui::CreationStep& step : ui::CreationOrder(form_.Layout())) {
        FormControl& c = At(step.id);
        if (step.hiddenName) {
            if (!CreateHiddenName(window_, resources_.Instance(), c.Layout().accessibleName)) return false;
            continue;
        }
        const ControlPlace place{window_, resources_.Instance(), layout_.PixelRect(c), listPixels,
                                 layout_.FontFor(c),  resources_.HandCursor()};
        if (!c.Create(place)) return false;
        if (ui::TakesFocus(c.Layout().kind) && !SetWindowSubclass(c.FocusWindow(), ControlProc,
                                                                  static_cast<UINT_PTR>(step.id),
                                                                  reinterpret_cast<DWORD_PTR>(this)))
            return false;
    }
    return true;
}

// The rectangle of a window of `size` at its first position: centred over
// its owner window, or on the work area of the screen the owner is on, or
// of the primary one.
RECT FormWindow::FirstPosition(HWND owner, SIZE size) const {
    std::optional<ui::ScreenRect> ownerRect;
    if (RECT r; owner && GetWindowRect(owner, &r)) ownerRect = ui::ScreenRect{r.left, r.top, r.right, r.bottom};
    MONITORINFO monitor{sizeof monitor};
    GetMonitorInfoW(owner ? MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY)
                          : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY),
                    &monitor);
    const RECT& work = monitor.rcWork;
    const ui::ScreenRect first = ui::FirstPosition(form_.Layout().startPosition, ownerRect,
                                                   {work.left, work.top, work.right, work.bottom}, size.cx, size.cy);
    return {first.left, first.top, first.right, first.bottom};
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
    // ShowWindow maximises a window without a maximize button as readily as
    // any other; such a window (one that cannot be resized) opens in its
    // normal state instead, also where a launcher's own show command (a
    // shortcut's "Run: Maximized") takes the place of the one given here.
    const bool sizeFixed = !form_.Layout().Has(ui::kMaxButton);
    ShowWindow(window_, sizeFixed && show == SW_SHOWMAXIMIZED ? SW_SHOWNORMAL : show);
    if (sizeFixed && IsZoomed(window_)) ShowWindow(window_, SW_RESTORE);
    // A window shown minimised is entered when it is restored, one shown
    // without the activation when it is activated: placing the focus would
    // activate it.
    if (!IsIconic(window_) && GetActiveWindow() == window_) ReturnToWindow();
    UpdateWindow(window_);
}

const FormControl* FormWindow::FromHandle(HWND hwnd) const {
    for (const auto& c : controls_)
        if (c->Handle() == hwnd) return c.get();
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

// The messages of a control's focus window in which the window has a say.
LRESULT FormWindow::HandleControlMessage(HWND hwnd, ControlId id, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETFOCUS: return OnControlFocus(hwnd, id, focus_.Gaining(id), message, wParam);
    case WM_KILLFOCUS: {
        const auto next = reinterpret_cast<HWND>(wParam);
        ControlId nextControl = ui::kNoControl;
        for (const auto& c : controls_)
            if (next && (c->Handle() == next || c->FocusWindow() == next)) nextControl = c->Id();
        const WindowFocus::Destination to{next != nullptr, next == window_,
                                          next && GetWindowThreadProcessId(next, nullptr) == GetCurrentThreadId(),
                                          nextControl};
        return OnControlFocus(hwnd, id, focus_.Losing(id, to), message, wParam);
    }
    case EM_SETSEL:
        if (focus_.SelectionKept(id)) return 0;  // the user is leaving or coming back: the selection stays
        break;
    case WM_NCDESTROY: RemoveWindowSubclass(hwnd, ControlProc, static_cast<UINT_PTR>(id)); break;
    default:
        if (const auto answer = At(id).OnOwnMessage(hwnd, message, wParam, lParam, *this)) return *answer;
        break;
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
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam)); return 0;
    case WM_SIZE: OnSize(wParam); break;
    case WM_DPICHANGED: OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case kGetDpiScaledSize: return OnGetDpiScaledSize(static_cast<int>(wParam), *reinterpret_cast<SIZE*>(lParam));
    case WM_SYSCOLORCHANGE: OnSysColorChange(); return 0;
    case WM_SETTINGCHANGE:
        if (ChangesTheWindows(static_cast<UINT>(wParam), reinterpret_cast<LPCWSTR>(lParam))) OnSettingChange();
        break;
    case WM_THEMECHANGED: OnSettingChange(); break;
    default: break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

// A control's notification goes to the control, which knows what it means.
void FormWindow::OnCommand(int id, int code, HWND hwnd) {
    const int index = id - kFirstControlId;
    if (index < 0 || index >= static_cast<int>(controls_.size()) || At(index).Handle() != hwnd) return;
    At(index).OnNotify(code, *this);
}

LRESULT FormWindow::OnGetDefId() const {
    const ControlId button = DefaultButton();
    return button == ui::kNoControl ? 0 : MAKELONG(kFirstControlId + button, DC_HASDEFID);
}

LRESULT FormWindow::OnControlColor(HDC dc, HWND hwnd, UINT message) {
    if (const FormControl* c = FromHandle(hwnd))
        if (HBRUSH brush = c->Colour(dc, resources_.System())) return reinterpret_cast<LRESULT>(brush);
    return DefWindowProcW(window_, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd));
}

bool FormWindow::OnSetCursor(HWND hwnd) const {
    const FormControl* c = FromHandle(hwnd);
    if (!c || !c->MouseCursor()) return false;
    SetCursor(c->MouseCursor());
    return true;
}

void FormWindow::OnDrawItem(const DRAWITEMSTRUCT& item) const {
    if (const FormControl* c = FromHandle(item.hwndItem)) c->Draw(item);
}

// The window activated (or restored while active): the focus goes back to
// the control that had it. Returns whether the focus was placed.
bool FormWindow::OnActivate(WORD state) { return state != WA_INACTIVE && !IsIconic(window_) && ReturnToWindow(); }

// A window that cannot be resized is maximised where and as it stands, so
// that a maximise forced on it (Windows puts a launcher's "Run: Maximized" in
// the place of the program's first ShowWindow) changes nothing on the
// screen. Windows reads the position as one on the primary monitor and moves
// it to the same place on the window's own.
void FormWindow::OnGetMinMaxInfo(MINMAXINFO& info) const {
    RECT now;
    MONITORINFO monitor{sizeof monitor};
    if (form_.Layout().Has(ui::kMaxButton) || IsIconic(window_) || !GetWindowRect(window_, &now) ||
        !GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    info.ptMaxPosition = {now.left - monitor.rcMonitor.left, now.top - monitor.rcMonitor.top};
    info.ptMaxSize = {now.right - now.left, now.bottom - now.top};
}

// The window restored: a frame that changed while it was minimised takes no
// room from the layout's client area.
void FormWindow::OnSize(WPARAM kind) {
    if (kind == SIZE_MINIMIZED || !refitWhenRestored_) return;
    refitWhenRestored_ = false;
    layout_.FitClientArea();
}

// The window's icon, the application's, is picked again from its images for
// the sizes of the new dpi.
void FormWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    layout_.Apply(dpi, &suggested, controls_);
    if (bigIcon_) SetIcon(reinterpret_cast<ui::IconRef>(resources_.ApplicationIcon(layout_.Dpi(), false)));
}

// Asked before a dpi change (per-monitor v2): the window's size for the new
// dpi is the layout's, so that the rectangle Windows proposes is that size.
LRESULT FormWindow::OnGetDpiScaledSize(int dpi, SIZE& size) const {
    size = layout_.WindowSize(dpi);
    return TRUE;
}

// Windows tells the top-level windows only: the controls are told too, as
// WM_SYSCOLORCHANGE's documentation asks. Windows then draws the windows
// again, and the colours the window picks itself are decided again as they
// are drawn.
void FormWindow::OnSysColorChange() const {
    for (const auto& c : controls_) SendMessageW(c->Handle(), WM_SYSCOLORCHANGE, 0, 0);
}

// High contrast, the visual style or the size of title bars and borders
// changed: the frame Windows now draws takes no room from the layout's
// client area, and the controls take the layout's sizes again. A minimised
// window has no client area to measure: it is fitted when it is restored.
void FormWindow::OnSettingChange() {
    layout_.PlaceControls(controls_);
    refitWhenRestored_ = IsIconic(window_) != FALSE;
    if (!refitWhenRestored_) layout_.FitClientArea();
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// ---------------------------------------------------------------------------
// The focus

// A control gets or loses the focus: the form hears of a field entered or
// left, not of the user leaving the window or coming back, and the field's
// selection stays as it was meanwhile.
LRESULT FormWindow::OnControlFocus(HWND hwnd, ControlId id, WindowFocus::Move move, UINT message, WPARAM other) {
    focus_.Moving(id, move);
    const LRESULT result = DefSubclassProc(hwnd, message, other, 0);
    focus_.Moved();
    FormControl& control = At(id);
    if (control.IsPushButton()) ShowDefaultButton();
    if (!WindowFocus::ForTheForm(move)) return result;
    control.OnFocusMove(move);
    Raise(id, move == WindowFocus::Move::FieldEntered ? Event::GotFocus : Event::LostFocus);
    return result;
}

bool FormWindow::ReturnToWindow() {
    const FormControl* first = FromHandle(GetNextDlgTabItem(window_, nullptr, FALSE));
    const ControlId target = focus_.ReturnTarget(
        [this](ControlId id) {
            const HWND hwnd = At(id).Handle();
            return IsWindow(hwnd) && IsWindowEnabled(hwnd) && IsWindowVisible(hwnd);
        },
        first ? first->Id() : ui::kNoControl);
    if (target != ui::kNoControl) SetFocus(target);
    return target != ui::kNoControl;
}

ControlId FormWindow::DefaultButton() const {
    ControlId windowDefault = ui::kNoControl;
    for (const auto& c : controls_)
        if (c->Layout().IsDefault() && windowDefault == ui::kNoControl) windowDefault = c->Id();
    return focus_.DefaultButton([this](ControlId id) { return At(id).IsPushButton(); }, windowDefault);
}

void FormWindow::ShowDefaultButton() {
    const ControlId owner = DefaultButton();
    for (const auto& c : controls_) c->ShowDefaultBorder(c->Id() == owner);
}

// ---------------------------------------------------------------------------
// The form's operations, carried out on the real controls

std::string FormWindow::Text(ControlId id) const { return At(id).Text(); }

int FormWindow::TextLength(ControlId id) const { return GetWindowTextLengthW(At(id).Handle()); }

void FormWindow::SetText(ControlId id, std::string_view text) { At(id).SetText(text, *this); }

// Selections are set and replaced in the field that holds the text (a combo
// box's edit field), whose positions are not limited to 16 bits as the
// combo box's are.
void FormWindow::SetSelStart(ControlId id, int start) {
    SendMessageW(At(id).FocusWindow(), EM_SETSEL, static_cast<WPARAM>(start), start);
}

void FormWindow::SetSelLength(ControlId id, int length) {
    const HWND field = At(id).FocusWindow();
    DWORD start = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    SendMessageW(field, EM_SETSEL, start, static_cast<LPARAM>(start + length));
}

void FormWindow::SetSelText(ControlId id, std::string_view text) {
    if (text.empty()) return;  // replacing nothing with nothing changes nothing
    const std::wstring wide = Widen(text);
    SendMessageW(At(id).FocusWindow(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
}

// A combo box with an edit field takes the focus in that field; a control
// that has the focus already keeps it, with no notification.
void FormWindow::SetFocus(ControlId id) {
    HWND target = At(id).FocusWindow();
    if (GetFocus() != target) ::SetFocus(target);
}

void FormWindow::SetEnabled(ControlId id, bool enabled) { EnableWindow(At(id).Handle(), enabled); }

int FormWindow::Value(ControlId id) const { return At(id).Value(); }

int FormWindow::ListIndex(ControlId id) const { return At(id).ListIndex(); }

void FormWindow::SetListIndex(ControlId id, int index) { At(id).SetListIndex(index); }

void FormWindow::AddItem(ControlId id, std::string_view item) { At(id).AddItem(item); }

void FormWindow::MsgBox(std::string_view text, ui::MessageIcon icon, std::string_view title) {
    MessageBoxW(window_, Widen(text).c_str(), Widen(title).c_str(),
                MB_OK | (icon == ui::MessageIcon::Warning ? MB_ICONWARNING : MB_ICONINFORMATION));
}

void FormWindow::Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    PostMessageW(window_, WM_NULL, 0, 0);  // wakes the loop that waits for this window
}

void FormWindow::SetIcon(ui::IconRef icon) {
    bigIcon_ = reinterpret_cast<HICON>(icon);
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(resources_.SmallIconFor(bigIcon_)));
}

ui::CursorRef FormWindow::MouseIcon(ControlId id) const {
    return reinterpret_cast<ui::CursorRef>(At(id).MouseCursor());
}

void FormWindow::SetMouseIcon(ControlId id, ui::CursorRef cursor) {
    At(id).SetMouseCursor(reinterpret_cast<HCURSOR>(cursor));
}

// ---------------------------------------------------------------------------
// Events

void FormWindow::Raise(ControlId id, Event event) {
    if (unloaded_) return;
    // A failure ends this event's work only; the window goes on.
    Guarded(window_, false, [&] {
        form_.OnEvent(id, event);
        return true;
    });
}

}  // namespace orvanta::win32
