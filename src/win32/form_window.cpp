#include "form_window.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>
#include <numeric>

#include "about_picture.h"
#include "dpi_scaling.h"
#include "resource_ids.h"
#include "text_convert.h"
#include "win32_toolkit.h"

namespace orvanta::win32 {

using ui::ControlId;
using ui::ControlKind;
using ui::Event;

namespace {

constexpr int kFontPoints = 9;
constexpr UINT kDpiChangedMessage = 0x02E0;  // WM_DPICHANGED
constexpr COLORREF kLinkColour = RGB(0, 0, 255);
constexpr int kDropDownItems = 8;

const wchar_t* ClassOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::Frame:
    case ControlKind::CheckBox:
    case ControlKind::PushButton: return L"BUTTON";
    case ControlKind::TextBox:
    case ControlKind::ResultBox: return L"EDIT";
    case ControlKind::EditCombo:
    case ControlKind::ListCombo: return L"COMBOBOX";
    default: return L"STATIC";
    }
}

DWORD StyleOf(const ui::ControlLayout& c) {
    DWORD style = WS_CHILD | WS_VISIBLE | (c.enabled ? 0 : WS_DISABLED);
    switch (c.kind) {
    case ControlKind::Frame: return style | BS_GROUPBOX;
    case ControlKind::Label: return style | SS_LEFTNOWORDWRAP | SS_NOPREFIX;
    case ControlKind::LinkLabel: return style | SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY;
    case ControlKind::Picture: return style | SS_OWNERDRAW | SS_NOTIFY;
    case ControlKind::TextBox: return style | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL;
    case ControlKind::ResultBox:
        return style | WS_TABSTOP | WS_GROUP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL;
    case ControlKind::EditCombo: return style | WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
    case ControlKind::ListCombo: return style | WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWNLIST;
    case ControlKind::CheckBox: return style | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX | BS_NOTIFY;
    case ControlKind::PushButton:
        return style | WS_TABSTOP | WS_GROUP | BS_NOTIFY | (c.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    }
    return style;
}

bool IsEdit(ControlKind kind) { return kind == ControlKind::TextBox || kind == ControlKind::ResultBox; }
bool IsCombo(ControlKind kind) { return kind == ControlKind::EditCombo || kind == ControlKind::ListCombo; }

std::wstring ItemText(HWND combo, LRESULT index) {
    std::wstring item(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, index, 0)) + 1, L'\0');
    item.resize(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item.data()))));
    return item;
}

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

FormWindow::FormWindow(Win32Toolkit& toolkit, ui::Form& form) : toolkit_(toolkit), form_(form) {
    const ui::FormLayout& layout = form.Layout();
    for (std::size_t i = 0; i < layout.controlCount; ++i) controls_.push_back({layout.controls[i]});
}

FormWindow::~FormWindow() {
    if (form_.Host() == this) form_.Attach(nullptr);
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

bool FormWindow::Create(HWND owner) {
    const ui::FormLayout& layout = form_.Layout();
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU |
                        (layout.minButton ? WS_MINIMIZEBOX : 0) | (layout.maxButton ? WS_MAXIMIZEBOX : 0);
    // An owned window keeps a task bar button of its own.
    const DWORD exStyle = WS_EX_CONTROLPARENT | (owner ? WS_EX_APPWINDOW : 0);
    window_ = CreateWindowExW(exStyle, kFormClassName, Widen(layout.caption).c_str(), style, CW_USEDEFAULT,
                              CW_USEDEFAULT, 0, 0, owner, nullptr, toolkit_.Instance(), this);
    if (!window_) return false;
    dpi_ = DpiForWindow(window_);
    font_ = WindowFont(kFontPoints, dpi_, false);
    linkFont_ = WindowFont(kFontPoints, dpi_, true);

    // Controls are created in tab order, so that the z-order is the tab order
    // and every frame lies beneath the controls it holds.
    std::vector<std::size_t> order(controls_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
        const int ta = controls_[a].layout.tabIndex, tb = controls_[b].layout.tabIndex;
        return (ta < 0 ? INT_MAX : ta) < (tb < 0 ? INT_MAX : tb);
    });
    for (std::size_t index : order)
        if (!CreateControl(controls_[index])) return false;

    if (layout.applicationIcon) SetIcon(reinterpret_cast<ui::IconRef>(toolkit_.ApplicationIcon(dpi_, false)));
    ApplyDpi(dpi_, nullptr);

    RECT frame;
    GetWindowRect(window_, &frame);
    RECT area;
    if (layout.startPosition == ui::StartPosition::CenterOwner && owner) {
        GetWindowRect(owner, &area);
    } else {
        MONITORINFO monitor{sizeof monitor};
        GetMonitorInfoW(MonitorFromWindow(owner ? owner : window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
        area = monitor.rcWork;
    }
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    SetWindowPos(window_, nullptr, area.left + ((area.right - area.left) - width) / 2,
                 area.top + ((area.bottom - area.top) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    form_.Attach(this);
    try {
        form_.Form_Load();
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

bool FormWindow::CreateControl(Control& c) {
    const auto id = static_cast<int>(&c - controls_.data());
    const bool hasCaption = c.layout.kind != ControlKind::ListCombo && c.layout.kind != ControlKind::Picture;
    const DWORD exStyle = IsEdit(c.layout.kind) ? WS_EX_CLIENTEDGE : 0;
    c.hwnd = CreateWindowExW(exStyle, ClassOf(c.layout.kind), hasCaption ? Widen(c.layout.caption).c_str() : L"",
                             StyleOf(c.layout), 0, 0, 0, 0, window_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + id)), toolkit_.Instance(),
                             nullptr);
    if (!c.hwnd) return false;
    // A combo box takes its edit field's first text after it exists.
    if (c.layout.kind == ControlKind::EditCombo) SetWindowTextW(c.hwnd, Widen(c.layout.caption).c_str());
    if (TracksText(c)) c.knownText = WindowText(c.hwnd);
    for (std::size_t i = 0; i < c.layout.itemCount; ++i) AddItem(id, c.layout.items[i]);
    if (c.layout.handCursor) c.cursor = toolkit_.HandCursor();
    if (c.layout.kind == ControlKind::ResultBox) {
        // No length limit: the result box collects every report for as long as the window is open.
        SendMessageW(c.hwnd, EM_SETLIMITTEXT, 0, 0);
        SetWindowSubclass(c.hwnd, ResultBoxProc, 0, 0);
    }
    if (c.layout.kind == ControlKind::Picture && !picture_)
        picture_ = std::make_unique<ResourcePicture>(IDR_ABOUT_PICTURE);
    return true;
}

bool FormWindow::TracksText(const Control& c) const {
    return c.layout.kind == ControlKind::TextBox || c.layout.kind == ControlKind::EditCombo;
}

SIZE FormWindow::CaptionPixels(const Control& c) const {
    HDC dc = GetDC(c.hwnd);
    HGDIOBJ old = SelectObject(dc, c.layout.kind == ControlKind::LinkLabel ? linkFont_.Handle() : font_.Handle());
    const std::wstring caption = WindowText(c.hwnd);
    RECT rect{0, 0, 0, 0};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(c.hwnd, dc);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

RECT FormWindow::PixelRect(const Control& c) const {
    int left = c.layout.leftTwips, top = c.layout.topTwips;
    if (c.layout.container != ui::kNoControl) {
        left += controls_[static_cast<std::size_t>(c.layout.container)].layout.leftTwips;
        top += controls_[static_cast<std::size_t>(c.layout.container)].layout.topTwips;
    }
    RECT rect;
    rect.left = ui::TwipsToPixels(left, dpi_);
    rect.top = ui::TwipsToPixels(top, dpi_);
    rect.right = ui::TwipsToPixels(left + c.layout.widthTwips, dpi_);
    rect.bottom = ui::TwipsToPixels(top + c.layout.heightTwips, dpi_);
    if (c.layout.widthTwips == ui::kSizeToCaption) {
        // A label sized to its caption takes the caption's width and, where
        // the face in use is taller than the layout's line, its height too,
        // so that nothing of it (an underline, say) is cut off.
        const SIZE caption = CaptionPixels(c);
        rect.right = rect.left + caption.cx;
        rect.bottom = std::max<LONG>(rect.bottom, rect.top + caption.cy);
    }
    return rect;
}

void FormWindow::ApplyDpi(int dpi, const RECT* suggested) {
    if (dpi != dpi_ || !font_.Handle()) {
        dpi_ = dpi;
        font_ = WindowFont(kFontPoints, dpi_, false);
        linkFont_ = WindowFont(kFontPoints, dpi_, true);
    }
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
    for (Control& c : controls_) {
        HFONT font = c.layout.kind == ControlKind::LinkLabel ? linkFont_.Handle() : font_.Handle();
        SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    for (Control& c : controls_) {
        const RECT r = PixelRect(c);
        int height = r.bottom - r.top;
        if (IsCombo(c.layout.kind)) {
            // The closed combo box is as high as its layout says: its field's
            // item height is set, measured and corrected until it is. The
            // height given to the window is that of the field with its open list.
            SendMessageW(c.hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), std::max(1, height - 6));
            for (int attempt = 0; attempt < 4; ++attempt) {
                SetWindowPos(c.hwnd, nullptr, r.left, r.top, r.right - r.left, height, SWP_NOZORDER | SWP_NOACTIVATE);
                RECT closed;
                GetWindowRect(c.hwnd, &closed);
                const int off = (closed.bottom - closed.top) - height;
                const auto item = SendMessageW(c.hwnd, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
                if (off == 0 || item - off < 1) break;
                SendMessageW(c.hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), item - off);
            }
            const auto item = SendMessageW(c.hwnd, CB_GETITEMHEIGHT, 0, 0);
            height += static_cast<int>(item) * kDropDownItems + 2;
        }
        SetWindowPos(c.hwnd, nullptr, r.left, r.top, r.right - r.left, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const ui::FormLayout& layout = form_.Layout();
    const RECT outer = WindowRectForClient(ui::TwipsToPixels(layout.clientWidthTwips, dpi_),
                                           ui::TwipsToPixels(layout.clientHeightTwips, dpi_),
                                           static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)),
                                           static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)), dpi_);
    RECT now;
    GetWindowRect(window_, &now);
    const int x = suggested ? suggested->left : now.left, y = suggested ? suggested->top : now.top;
    int width = outer.right - outer.left, height = outer.bottom - outer.top;
    SetWindowPos(window_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    // Where the frame is not drawn at the new dpi (an older system), the
    // client area is set right by what it turned out to be.
    RECT client;
    GetClientRect(window_, &client);
    const int wantWidth = ui::TwipsToPixels(layout.clientWidthTwips, dpi_);
    const int wantHeight = ui::TwipsToPixels(layout.clientHeightTwips, dpi_);
    if (client.right != wantWidth || client.bottom != wantHeight)
        SetWindowPos(window_, nullptr, 0, 0, width + wantWidth - client.right, height + wantHeight - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window_, nullptr, TRUE);
}

void FormWindow::Show() {
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    if (HWND first = GetNextDlgTabItem(window_, nullptr, FALSE)) ::SetFocus(first);
}

LRESULT CALLBACK FormWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->HandleMessage(message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
}

// Tab, Enter and Esc belong to the window's keyboard navigation, not to the
// read-only result box.
LRESULT CALLBACK FormWindow::ResultBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR) {
    if (message == WM_GETDLGCODE) {
        const LRESULT code = DefSubclassProc(hwnd, message, wParam, lParam);
        return code & ~(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | DLGC_WANTTAB);
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, ResultBoxProc, 0);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT FormWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (lParam) OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case DM_GETDEFID: {
        // Enter presses the push button that has the focus, else the default button.
        HWND focus = GetFocus();
        for (std::size_t i = 0; i < controls_.size(); ++i)
            if (controls_[i].hwnd == focus && controls_[i].layout.kind == ControlKind::PushButton)
                return MAKELONG(kFirstControlId + i, DC_HASDEFID);
        for (std::size_t i = 0; i < controls_.size(); ++i)
            if (controls_[i].layout.isDefault) return MAKELONG(kFirstControlId + i, DC_HASDEFID);
        return 0;
    }
    case WM_CTLCOLORSTATIC:
        return OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), true);
    case WM_CTLCOLOREDIT:
        return OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), false);
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && OnSetCursor(reinterpret_cast<HWND>(wParam))) return TRUE;
        break;
    case WM_DRAWITEM:
        OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_ACTIVATE:
        // The focus goes back to the control that had it when the window was left.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(window_, focus)) lastFocus_ = focus;
        } else if (lastFocus_ && IsWindow(lastFocus_) && IsWindowEnabled(lastFocus_)) {
            ::SetFocus(lastFocus_);
            return 0;
        }
        break;
    case WM_CLOSE:
        Unload();
        return 0;
    case kDpiChangedMessage:
        ApplyDpi(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    default: break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

FormWindow::Control* FormWindow::FromHandle(HWND hwnd) {
    for (Control& c : controls_)
        if (c.hwnd == hwnd) return &c;
    return nullptr;
}

void FormWindow::OnCommand(int id, int code, HWND hwnd) {
    const int index = id - kFirstControlId;
    if (index < 0 || index >= static_cast<int>(controls_.size()) || controls_[index].hwnd != hwnd) return;
    Control& c = controls_[static_cast<std::size_t>(index)];
    switch (c.layout.kind) {
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
        if (code == BN_CLICKED) {
            Raise(index, Event::Click);
        } else if (code == BN_SETFOCUS) {
            if (c.layout.kind == ControlKind::PushButton) ShowDefaultButton(index);
            Raise(index, Event::GotFocus);
        } else if (code == BN_KILLFOCUS) {
            if (c.layout.kind == ControlKind::PushButton) ShowDefaultButton(ui::kNoControl);
            Raise(index, Event::LostFocus);
        }
        break;
    case ControlKind::TextBox:
    case ControlKind::ResultBox:
        if (code == EN_CHANGE) {
            // Windows reports every write to a field; only a real change is a change.
            if (c.layout.kind == ControlKind::TextBox) ReportText(index, WindowText(hwnd));
            else Raise(index, Event::Change);
        } else if (code == EN_SETFOCUS) {
            Raise(index, Event::GotFocus);
        } else if (code == EN_KILLFOCUS) {
            Raise(index, Event::LostFocus);
        }
        break;
    case ControlKind::EditCombo:
    case ControlKind::ListCombo:
        if (c.layout.kind == ControlKind::EditCombo && code == CBN_EDITCHANGE) {
            ReportText(index, WindowText(hwnd));
        } else if (c.layout.kind == ControlKind::EditCombo && code == CBN_SELENDOK) {
            // The edit field takes the picked item's text after this notification.
            const auto pick = SendMessageW(hwnd, CB_GETCURSEL, 0, 0);
            if (pick >= 0) ReportText(index, ItemText(hwnd, pick));
        } else if (code == CBN_SETFOCUS) {
            Raise(index, Event::GotFocus);
        } else if (code == CBN_KILLFOCUS) {
            Raise(index, Event::LostFocus);
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

// As in a dialog, the push button with the focus is the one Enter presses and
// carries the default border; otherwise the window's default button does.
void FormWindow::ShowDefaultButton(ControlId focused) {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const Control& button = controls_[i];
        if (button.layout.kind != ControlKind::PushButton) continue;
        const bool isDefault =
            focused == ui::kNoControl ? button.layout.isDefault : static_cast<ControlId>(i) == focused;
        SendMessageW(button.hwnd, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
}

void FormWindow::ReportText(ControlId id, std::wstring now) {
    Control& c = controls_[static_cast<std::size_t>(id)];
    if (now == c.knownText) return;
    c.knownText = std::move(now);
    Raise(id, Event::Change);
}

void FormWindow::Raise(ControlId id, Event event) {
    if (unloaded_) return;
    // No exception leaves a window procedure; the forms handle their own.
    try {
        form_.OnEvent(id, event);
    } catch (const std::exception&) {
        MessageBeep(MB_ICONHAND);
    }
}

LRESULT FormWindow::OnControlColor(HDC dc, HWND hwnd, bool isStatic) {
    const Control* c = FromHandle(hwnd);
    if (c && c->layout.kind == ControlKind::ResultBox) {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_MENU));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_MENU));
    }
    if (c && c->layout.kind == ControlKind::LinkLabel) {
        SetTextColor(dc, kLinkColour);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    return DefWindowProcW(window_, isStatic ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(hwnd));
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

std::string FormWindow::Text(ControlId id) const {
    const Control& c = controls_.at(static_cast<std::size_t>(id));
    if (c.layout.kind == ControlKind::ListCombo) {
        const auto index = SendMessageW(c.hwnd, CB_GETCURSEL, 0, 0);
        return index < 0 ? std::string() : Narrow(ItemText(c.hwnd, index));
    }
    return Narrow(WindowText(c.hwnd));
}

int FormWindow::TextLength(ControlId id) const {
    return GetWindowTextLengthW(controls_.at(static_cast<std::size_t>(id)).hwnd);
}

void FormWindow::SetText(ControlId id, std::string_view text) {
    Control& c = controls_.at(static_cast<std::size_t>(id));
    const std::wstring wide = Widen(text);
    if (TracksText(c) && WindowText(c.hwnd) == wide) return;  // no write, no change
    SetWindowTextW(c.hwnd, wide.c_str());
    // An edit field reports the write itself; a combo box's edit field does not.
    if (c.layout.kind == ControlKind::EditCombo) ReportText(id, wide);
}

void FormWindow::SetSelStart(ControlId id, int start) {
    HWND hwnd = controls_.at(static_cast<std::size_t>(id)).hwnd;
    if (IsCombo(controls_[static_cast<std::size_t>(id)].layout.kind))
        SendMessageW(hwnd, CB_SETEDITSEL, 0, MAKELPARAM(start, start));
    else
        SendMessageW(hwnd, EM_SETSEL, static_cast<WPARAM>(start), start);
}

void FormWindow::SetSelLength(ControlId id, int length) {
    const Control& c = controls_.at(static_cast<std::size_t>(id));
    if (IsCombo(c.layout.kind)) {
        const DWORD sel = static_cast<DWORD>(SendMessageW(c.hwnd, CB_GETEDITSEL, 0, 0));
        SendMessageW(c.hwnd, CB_SETEDITSEL, 0, MAKELPARAM(LOWORD(sel), LOWORD(sel) + length));
        return;
    }
    DWORD start = 0;
    SendMessageW(c.hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    SendMessageW(c.hwnd, EM_SETSEL, start, static_cast<LPARAM>(start + length));
}

void FormWindow::SetSelText(ControlId id, std::string_view text) {
    if (text.empty()) return;  // replacing nothing with nothing changes nothing
    const std::wstring wide = Widen(text);
    SendMessageW(controls_.at(static_cast<std::size_t>(id)).hwnd, EM_REPLACESEL, FALSE,
                 reinterpret_cast<LPARAM>(wide.c_str()));
}

void FormWindow::SetFocus(ControlId id) { ::SetFocus(controls_.at(static_cast<std::size_t>(id)).hwnd); }

void FormWindow::SetEnabled(ControlId id, bool enabled) {
    EnableWindow(controls_.at(static_cast<std::size_t>(id)).hwnd, enabled);
}

int FormWindow::Value(ControlId id) const {
    return static_cast<int>(SendMessageW(controls_.at(static_cast<std::size_t>(id)).hwnd, BM_GETCHECK, 0, 0));
}

int FormWindow::ListIndex(ControlId id) const {
    return static_cast<int>(SendMessageW(controls_.at(static_cast<std::size_t>(id)).hwnd, CB_GETCURSEL, 0, 0));
}

void FormWindow::SetListIndex(ControlId id, int index) {
    SendMessageW(controls_.at(static_cast<std::size_t>(id)).hwnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void FormWindow::AddItem(ControlId id, std::string_view item) {
    const std::wstring wide = Widen(item);
    SendMessageW(controls_.at(static_cast<std::size_t>(id)).hwnd, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(wide.c_str()));
}

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
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(toolkit_.SmallIconFor(bigIcon_)));
}

ui::CursorRef FormWindow::MouseIcon(ControlId id) const {
    return reinterpret_cast<ui::CursorRef>(controls_.at(static_cast<std::size_t>(id)).cursor);
}

void FormWindow::SetMouseIcon(ControlId id, ui::CursorRef cursor) {
    controls_.at(static_cast<std::size_t>(id)).cursor = reinterpret_cast<HCURSOR>(cursor);
}

}  // namespace orvanta::win32
