// The layout pass of a form's window: its fonts, its controls' rectangles
// and its own size for one dpi, from the layout table in twips.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "form_controls.h"
#include "system_reports.h"
#include "toolkit.h"
#include "window_font.h"

namespace orvanta::win32 {

using FormControls = std::vector<std::unique_ptr<FormControl>>;

class WindowLayout {
public:
    WindowLayout(const ui::FormLayout& form, const SystemReports& system) : form_(form), system_(system) {}

    // The window's styles, which decide its frame, before it is made; the
    // window once it is.
    void SetFrame(DWORD style, DWORD exStyle);
    void Attach(HWND window) { window_ = window; }

    int Dpi() const { return dpi_; }
    // The window's fonts for `dpi`, which becomes the layout's.
    void MakeFonts(int dpi);
    HFONT FontFor(const FormControl& control) const;
    // The control's rectangle in the window's client area at the layout's dpi.
    RECT PixelRect(const FormControl& control) const;
    // How far an open drop-down list reaches below its combo box.
    int ListPixels() const;
    // The window's outer size for the layout's client area at `dpi`.
    SIZE WindowSize(int dpi) const;

    // Everything laid out again for `dpi` (the window moved to a display of
    // another dpi), at the `suggested` place.
    void Apply(int dpi, const RECT* suggested, const FormControls& controls);
    // Sizes and places only: the z-order made at creation, which names the
    // fields and their groups for accessibility, stays as it is.
    void PlaceControls(const FormControls& controls) const;
    void ClipOverlaps(const FormControls& controls) const;
    // The client area takes the layout's size at the current dpi.
    void SizeWindowToLayout(const RECT* suggested) const;
    // Where the frame is not drawn as predicted (an older system, a new
    // frame size), the client area is set right by what it turned out to be.
    void FitClientArea() const;

private:
    RECT PlacedRect(const FormControl& control) const;
    SIZE CaptionPixels(const FormControl& control) const;
    int LinePixels(HFONT font) const;

    const ui::FormLayout& form_;
    const SystemReports& system_;
    HWND window_ = nullptr;
    DWORD style_ = 0;
    DWORD exStyle_ = 0;
    int dpi_ = 96;
    WindowFont font_;
    WindowFont linkFont_;
};

}  // namespace orvanta::win32
