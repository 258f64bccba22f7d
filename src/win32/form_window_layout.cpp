// The layout pass of a form's window: fonts, control rectangles and the
// window's size for one dpi, from the layout table in twips.
#include <algorithm>

#include "control_kinds.h"
#include "dpi_scaling.h"
#include "form_window.h"
#include "text_convert.h"

namespace orvanta::win32 {

using ui::ControlKind;

namespace {

constexpr int kFontPoints = 9;
constexpr int kDropDownItems = 8;  // how many items an open combo box's list shows

}  // namespace

// When the window moves to a display of another dpi, everything is laid out
// again for it.
void FormWindow::ApplyDpi(int dpi, const RECT* suggested) {
    MakeFonts(dpi);
    ApplyFonts();
    PlaceControls();
    SizeWindowToLayout(suggested);
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void FormWindow::MakeFonts(int dpi) {
    dpi_ = dpi;
    font_ = WindowFont(kFontPoints, dpi_, false);
    linkFont_ = WindowFont(kFontPoints, dpi_, true);
}

HFONT FormWindow::FontFor(const Control& c) const {
    return c.layout.kind == ControlKind::LinkLabel ? linkFont_.Handle() : font_.Handle();
}

void FormWindow::ApplyFonts() {
    // Nothing is redrawn yet: the whole window is, once the layout pass is done.
    for (const Control& c : controls_) SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(c)), FALSE);
}

// Sizes and places only: the z-order made at creation, which names the
// fields and their groups for accessibility, stays as it is.
void FormWindow::PlaceControls() {
    for (const Control& c : controls_) {
        const RECT r = PixelRect(c);
        SetWindowPos(c.hwnd, nullptr, r.left, r.top, r.right - r.left, WindowHeight(c, r), SWP_NOZORDER | SWP_NOACTIVATE);
        if (IsCombo(c.layout.kind)) FitClosedComboHeight(c, r.bottom - r.top);
    }
    ClipOverlaps();
}

RECT FormWindow::PlacedRect(const Control& c) const {
    RECT rect;
    GetWindowRect(c.hwnd, &rect);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Where the layout lets a control reach under a field that comes after it
// in the tab order (the check box under the member list), the control is cut
// back to what is its own: the field is drawn whole and takes the clicks
// there, whichever of the two was drawn last.
void FormWindow::ClipOverlaps() {
    for (const Control& c : controls_) {
        if (c.layout.kind == ControlKind::Frame) continue;
        const RECT own = PlacedRect(c);
        HRGN region = nullptr;
        for (const Control& field : controls_) {
            RECT under;
            const RECT placed = PlacedRect(field);
            if (&field == &c || !TakesFocus(field.layout.kind) ||
                (TakesFocus(c.layout.kind) && field.layout.tabIndex < c.layout.tabIndex) ||
                !IntersectRect(&under, &own, &placed))
                continue;
            if (!region) region = CreateRectRgn(0, 0, own.right - own.left, own.bottom - own.top);
            OffsetRect(&under, -own.left, -own.top);
            HRGN part = CreateRectRgnIndirect(&under);
            CombineRgn(region, region, part, RGN_DIFF);
            DeleteObject(part);
        }
        // A control of a class with CS_PARENTDC (a button) draws with its
        // parent's clipping, which knows nothing of its region; Windows
        // ignores that style for a window that clips its children.
        if (region) SetWindowLongPtrW(c.hwnd, GWL_STYLE, GetWindowLongPtrW(c.hwnd, GWL_STYLE) | WS_CLIPCHILDREN);
        // None where nothing is cut; the system owns a region once it is the
        // window's. Whoever places the controls draws them again.
        SetWindowRgn(c.hwnd, region, FALSE);
    }
}

// A combo box's window reaches down to the bottom of its open list, whose
// items are a line of the window's font high.
int FormWindow::WindowHeight(const Control& c, const RECT& r) const {
    const int height = r.bottom - r.top;
    if (!IsCombo(c.layout.kind)) return height;
    return height + LinePixels(font_.Handle()) * kDropDownItems + 2;
}

// The closed combo box is as high as its layout says: its field's item height
// is corrected by what the box measures too high or too low, until it fits or
// a correction changes nothing (Wine keeps a closed combo box as high as its
// font needs).
void FormWindow::FitClosedComboHeight(const Control& combo, int height) {
    int lastOff = 0;
    for (int attempt = 0; attempt < 4; ++attempt) {
        RECT now;
        GetWindowRect(combo.hwnd, &now);
        const int off = (now.bottom - now.top) - height;
        const LRESULT item = SendMessageW(combo.hwnd, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
        if (off == 0 || off == lastOff || item - off < 1) return;
        lastOff = off;
        SendMessageW(combo.hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), item - off);
    }
}

// The window's outer size for the layout's client area at `dpi`.
SIZE FormWindow::WindowSize(int dpi) const {
    const ui::FormLayout& layout = form_.Layout();
    const RECT outer = WindowRectForClient(ui::TwipsToPixels(layout.clientWidthTwips, dpi),
                                           ui::TwipsToPixels(layout.clientHeightTwips, dpi), style_, exStyle_, dpi);
    return {outer.right - outer.left, outer.bottom - outer.top};
}

// The client area takes the layout's size at the current dpi.
void FormWindow::SizeWindowToLayout(const RECT* suggested) {
    const SIZE size = WindowSize(dpi_);
    if (suggested)
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    else
        SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    FitClientArea();
}

// Where the frame is not drawn at the window's dpi (an older system), the
// client area is set right by what it turned out to be.
void FormWindow::FitClientArea() {
    const ui::FormLayout& layout = form_.Layout();
    const int wantWidth = ui::TwipsToPixels(layout.clientWidthTwips, dpi_);
    const int wantHeight = ui::TwipsToPixels(layout.clientHeightTwips, dpi_);
    RECT client, outer;
    GetClientRect(window_, &client);
    if (client.right == wantWidth && client.bottom == wantHeight) return;
    GetWindowRect(window_, &outer);
    SetWindowPos(window_, nullptr, 0, 0, (outer.right - outer.left) + wantWidth - client.right,
                 (outer.bottom - outer.top) + wantHeight - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT FormWindow::PixelRect(const Control& c) const {
    const auto [left, top] = ui::PositionInWindow(form_.Layout(), c.layout);
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

SIZE FormWindow::CaptionPixels(const Control& c) const {
    HDC dc = GetDC(window_);
    if (!dc) return {0, 0};
    HGDIOBJ old = SelectObject(dc, FontFor(c));
    const std::wstring caption = Widen(c.layout.caption);
    RECT rect{0, 0, 0, 0};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(window_, dc);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

int FormWindow::LinePixels(HFONT font) const {
    HDC dc = GetDC(window_);
    if (!dc) return 0;
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window_, dc);
    return metrics.tmHeight;
}

}  // namespace orvanta::win32
