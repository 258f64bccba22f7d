// One form's real window: creates the controls of its layout table, routes
// their notifications to the form's handlers and carries out the form's
// operations on them.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit.h"
#include "window_focus.h"
#include "window_font.h"

namespace orvanta::win32 {

class ResourcePicture;
class Win32Toolkit;

inline constexpr int kFirstControlId = 1000;  // control id = kFirstControlId + index in the layout

class FormWindow : public ui::FormHost {
public:
    FormWindow(Win32Toolkit& toolkit, ui::Form& form);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // Creates the window and its controls (hidden) and runs the form's load
    // step. Returns false when a window could not be created; a failure of
    // the load step goes on to the caller as it came.
    bool Create(const FormWindow* owner);
    // Shows the window at its first position, as `show` (a SW_ value) asks,
    // and focuses the first tab stop once the window is not minimised.
    void Show(int show);

    HWND Handle() const { return window_; }
    HWND ControlHandle(ui::ControlId id) const { return At(id).hwnd; }
    bool IsUnloaded() const { return unloaded_; }
    int Dpi() const { return dpi_; }
    ui::Form& GetForm() const { return form_; }

    // ui::FormHost (form_window_operations.cpp)
    std::string Text(ui::ControlId id) const override;
    int TextLength(ui::ControlId id) const override;
    void SetText(ui::ControlId id, std::string_view text) override;
    void SetSelStart(ui::ControlId id, int start) override;
    void SetSelLength(ui::ControlId id, int length) override;
    void SetSelText(ui::ControlId id, std::string_view text) override;
    void SetFocus(ui::ControlId id) override;
    void SetEnabled(ui::ControlId id, bool enabled) override;
    int Value(ui::ControlId checkBox) const override;
    int ListIndex(ui::ControlId combo) const override;
    void SetListIndex(ui::ControlId combo, int index) override;
    void AddItem(ui::ControlId combo, std::string_view item) override;
    void MsgBox(std::string_view text, ui::MessageIcon icon, std::string_view title) override;
    void Unload() override;
    ui::IconRef Icon() const override { return reinterpret_cast<ui::IconRef>(bigIcon_); }
    void SetIcon(ui::IconRef icon) override;
    ui::CursorRef MouseIcon(ui::ControlId label) const override;
    void SetMouseIcon(ui::ControlId label, ui::CursorRef cursor) override;

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Control {
        ui::ControlLayout layout;
        HWND hwnd = nullptr;
        std::wstring knownText;  // input fields: the text last reported, to tell a real change
        HCURSOR cursor = nullptr;
    };

    Control& At(ui::ControlId id) { return controls_.at(static_cast<std::size_t>(id)); }
    const Control& At(ui::ControlId id) const { return controls_.at(static_cast<std::size_t>(id)); }
    ui::ControlId IdOf(const Control& control) const { return static_cast<ui::ControlId>(&control - controls_.data()); }
    Control* FromHandle(HWND hwnd);
    const Control* FromHandle(HWND hwnd) const;

    // Creation (form_window.cpp).
    bool CreateControls();
    bool CreateControl(Control& control);
    ui::ControlId LabelNaming(const Control& field) const;
    bool CreateHiddenName(const Control& field);
    RECT FirstPosition(HWND owner, SIZE size) const;
    // Centres the window, at its size now, where FirstPosition puts it.
    void MoveToFirstPosition(HWND owner);

    // Messages (form_window.cpp): one handler each.
    static LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR self);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleControlMessage(HWND hwnd, ui::ControlId id, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int code, HWND control);
    LRESULT OnGetDefId();
    LRESULT OnControlColor(HDC dc, HWND control, UINT message);
    bool OnSetCursor(HWND control);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    bool OnActivate(WORD state);
    void OnDpiChanged(int dpi, const RECT& suggested);
    LRESULT OnGetDpiScaledSize(int dpi, SIZE& size) const;
    void OnSysColorChange();
    void OnSettingChange();

    // The window's focus (form_window.cpp; its state is focus_).
    LRESULT OnControlFocus(HWND hwnd, ui::ControlId id, WindowFocus::Move move, UINT message, WPARAM other);
    bool StaysInProgram(HWND next) const;
    bool ReturnToWindow();
    ui::ControlId FocusTarget() const;
    HWND FocusHandle(ui::ControlId id) const;
    bool CanTakeFocus(ui::ControlId id) const;

    // Events to the form (form_window.cpp).
    void Raise(ui::ControlId id, ui::Event event);
    // Raises Change when an input field's text differs from the one last reported.
    void ReportText(ui::ControlId id, std::wstring now);
    // The push button that carries the default border: the one with the
    // focus, else the window's default button.
    ui::ControlId DefaultBorderOwner() const;
    void ShowDefaultButton();

    // Rectangles and fonts for the current dpi, and the pass that applies
    // them all again for another (form_window_layout.cpp).
    void ApplyDpi(int dpi, const RECT* suggested);
    void MakeFonts(int dpi);
    void ApplyFonts();
    void PlaceControls();
    void FitClosedComboHeight(const Control& combo, int height);
    int WindowHeight(const Control& control, const RECT& rect) const;
    int LinePixels(HFONT font) const;
    SIZE WindowSize(int dpi) const;
    void SizeWindowToLayout(const RECT* suggested);
    void FitClientArea();
    RECT PixelRect(const Control& control) const;
    RECT PlacedRect(const Control& control) const;
    void ClipOverlaps();
    SIZE CaptionPixels(const Control& control) const;
    HFONT FontFor(const Control& control) const;

    Win32Toolkit& toolkit_;
    ui::Form& form_;
    HWND window_ = nullptr;
    DWORD style_ = 0;
    DWORD exStyle_ = 0;
    std::vector<Control> controls_;
    int dpi_ = 96;
    WindowFont font_;
    WindowFont linkFont_;
    HICON bigIcon_ = nullptr;
    std::unique_ptr<ResourcePicture> picture_;
    WindowFocus focus_;
    HWND keepingSelection_ = nullptr;  // the field whose selection nothing may change just now
    bool unloaded_ = false;
};

}  // namespace orvanta::win32
