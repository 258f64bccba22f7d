#include "form_window_layout.h"

#include <algorithm>
#include <utility>

#include "dpi_scaling.h"
#include "text_convert.h"

namespace orvanta::win32 {

namespace {

constexpr int kFontPoints = 9;
constexpr int kDropDownItems = 8;  // how many items an open combo box's list shows

}  // namespace

void WindowLayout::SetFrame(DWORD style, DWORD exStyle) {
    style_ = style;
    exStyle_ = exStyle;
}

void WindowLayout::MakeFonts(int dpi) {
    dpi_ = dpi;
    font_ = WindowFont(kFontPoints, dpi_, false);
    linkFont_ = WindowFont(kFontPoints, dpi_, true);
}

HFONT WindowLayout::FontFor(const FormControl& c) const { return c.Underlined() ? linkFont_.Handle() : font_.Handle(); }

void WindowLayout::Apply(int dpi, const RECT* suggested, const FormControls& controls) {
    {
        // The old fonts go only once every control has its new one: a control
        // never holds a deleted font, whatever it draws or measures meanwhile.
        const WindowFont oldFont = std::move(font_), oldLinkFont = std::move(linkFont_);
        MakeFonts(dpi);
        // Nothing is redrawn yet: the whole window is, once the layout pass is done.
        for (const auto& c : controls)
            SendMessageW(c->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(*c)), FALSE);
    }
    PlaceControls(controls);
    SizeWindowToLayout(suggested);
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void WindowLayout::PlaceControls(const FormControls& controls) const {
    const int listPixels = ListPixels();
    for (const auto& c : controls) {
        const RECT r = PixelRect(*c);
        const int height = c->WindowHeight(r.bottom - r.top, listPixels);
        SetWindowPos(c->Handle(), nullptr, r.left, r.top, r.right - r.left, height, SWP_NOZORDER | SWP_NOACTIVATE);
        c->FitHeight(r.bottom - r.top);
    }
    ClipOverlaps(controls);
}

RECT WindowLayout::PlacedRect(const FormControl& c) const {
    RECT rect;
    GetWindowRect(c.Handle(), &rect);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Where the layout lets a control reach under a field that comes after it
// in the tab order (the check box under the member list), the control is cut
// back to what is its own: the field is drawn whole and takes the clicks
// there, whichever of the two was drawn last. A frame lies under the
// controls it holds by design.
void WindowLayout::ClipOverlaps(const FormControls& controls) const {
    for (const auto& c : controls) {
        if (c->IsContainer()) continue;
        const RECT own = PlacedRect(*c);
        const bool takesFocus = ui::TakesFocus(c->Layout().kind);
        HRGN region = nullptr;
        for (const auto& field : controls) {
            RECT under;
            const RECT placed = PlacedRect(*field);
            const bool before = takesFocus && field->Layout().tabIndex < c->Layout().tabIndex;
            if (field == c || !ui::TakesFocus(field->Layout().kind) || before || !IntersectRect(&under, &own, &placed))
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
        if (region)
            SetWindowLongPtrW(c->Handle(), GWL_STYLE, GetWindowLongPtrW(c->Handle(), GWL_STYLE) | WS_CLIPCHILDREN);
        // None where nothing is cut; the system owns a region once it is the
        // window's. Whoever places the controls draws them again.
        SetWindowRgn(c->Handle(), region, FALSE);
    }
}

int WindowLayout::ListPixels() const { return LinePixels(font_.Handle()) * kDropDownItems + 2; }

SIZE WindowLayout::WindowSize(int dpi) const {
    const RECT outer = WindowRectForClient(system_, ui::TwipsToPixels(form_.clientWidthTwips, dpi),
                                           ui::TwipsToPixels(form_.clientHeightTwips, dpi), style_, exStyle_, dpi);
    return {outer.right - outer.left, outer.bottom - outer.top};
}

void WindowLayout::SizeWindowToLayout(const RECT* suggested) const {
    const SIZE size = WindowSize(dpi_);
    if (suggested)
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, size.cx, size.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    else
        SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    FitClientArea();
}

void WindowLayout::FitClientArea() const {
    const int wantWidth = ui::TwipsToPixels(form_.clientWidthTwips, dpi_);
    const int wantHeight = ui::TwipsToPixels(form_.clientHeightTwips, dpi_);
    RECT client, outer;
    GetClientRect(window_, &client);
    if (client.right == wantWidth && client.bottom == wantHeight) return;
    GetWindowRect(window_, &outer);
    SetWindowPos(window_, nullptr, 0, 0, (outer.right - outer.left) + wantWidth - client.right,
                 (outer.bottom - outer.top) + wantHeight - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT WindowLayout::PixelRect(const FormControl& c) const {
    const ui::ControlLayout& layout = c.Layout();
    const auto [left, top] = ui::PositionInWindow(form_, layout);
    RECT rect;
    rect.left = ui::TwipsToPixels(left, dpi_);
    rect.top = ui::TwipsToPixels(top, dpi_);
    rect.right = ui::TwipsToPixels(left + layout.widthTwips, dpi_);
    rect.bottom = ui::TwipsToPixels(top + layout.heightTwips, dpi_);
    if (layout.widthTwips == ui::kSizeToCaption) {
        // A label sized to its caption takes the caption's width and, where
        // the face in use is taller than the layout's line, its height too,
        // so that nothing of it (an underline, say) is cut off.
        const SIZE caption = CaptionPixels(c);
        rect.right = rect.left + caption.cx;
        rect.bottom = std::max<LONG>(rect.bottom, rect.top + caption.cy);
    }
    return rect;
}

SIZE WindowLayout::CaptionPixels(const FormControl& c) const {
    HDC dc = GetDC(window_);
    if (!dc) return {0, 0};
    HGDIOBJ old = SelectObject(dc, FontFor(c));
    const std::wstring caption = Widen(c.Layout().caption);
    RECT rect{0, 0, 0, 0};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(window_, dc);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

int WindowLayout::LinePixels(HFONT font) const {
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
