// The layout pass of a form's window: fonts, control rectangles and the
// window's size for one dpi, from the layout table in twips.
#include <algorithm>

#include "control_kinds.h"
#include "dpi_scaling.h"
#include "form_window.h"
#include "window_text.h"

namespace orvanta::win32 {

using ui::ControlKind;

namespace {

constexpr int kFontPoints = 9;
constexpr int kDropDownItems = 8;  // how many items an open combo box's list shows

}  // namespace

void FormWindow::ApplyDpi(int dpi, const RECT* suggested) {
    if (dpi != dpi_ || !font_.Handle()) MakeFonts(dpi);
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

void FormWindow::PlaceControls() {
    for (const Control& c : controls_) {
        const RECT r = PixelRect(c);
        int height = r.bottom - r.top;
        // A combo box's window reaches down to the bottom of its open list.
        if (IsCombo(c.layout.kind))
            height += static_cast<int>(SendMessageW(c.hwnd, CB_GETITEMHEIGHT, 0, 0)) * kDropDownItems + 2;
        SetWindowPos(c.hwnd, nullptr, r.left, r.top, r.right - r.left, height, SWP_NOZORDER | SWP_NOACTIVATE);
        if (IsCombo(c.layout.kind)) FitClosedComboHeight(c, r.bottom - r.top);
    }
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

// The client area takes the layout's size at the current dpi.
void FormWindow::SizeWindowToLayout(const RECT* suggested) {
    const ui::FormLayout& layout = form_.Layout();
    const int wantWidth = ui::TwipsToPixels(layout.clientWidthTwips, dpi_);
    const int wantHeight = ui::TwipsToPixels(layout.clientHeightTwips, dpi_);
    const RECT outer = WindowRectForClient(wantWidth, wantHeight, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)),
                                           static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)), dpi_);
    RECT now;
    GetWindowRect(window_, &now);
    const int x = suggested ? suggested->left : now.left, y = suggested ? suggested->top : now.top;
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    SetWindowPos(window_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    // Where the frame is not drawn at the new dpi (an older system), the
    // client area is set right by what it turned out to be.
    RECT client;
    GetClientRect(window_, &client);
    if (client.right != wantWidth || client.bottom != wantHeight)
        SetWindowPos(window_, nullptr, 0, 0, width + wantWidth - client.right, height + wantHeight - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT FormWindow::PixelRect(const Control& c) const {
    int left = c.layout.leftTwips, top = c.layout.topTwips;
    if (c.layout.container != ui::kNoControl) {
        left += At(c.layout.container).layout.leftTwips;
        top += At(c.layout.container).layout.topTwips;
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

SIZE FormWindow::CaptionPixels(const Control& c) const {
    HDC dc = GetDC(c.hwnd);
    if (!dc) return {0, 0};
    HGDIOBJ old = SelectObject(dc, FontFor(c));
    const std::wstring caption = WindowText(c.hwnd);
    RECT rect{0, 0, 0, 0};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(c.hwnd, dc);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace orvanta::win32
