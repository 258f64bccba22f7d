// One form's real window: creates the controls of its layout table, routes
// the messages of the window and its controls to the form's handlers and
// carries out the form's operations on them.
#pragma once

#include <windows.h>

#include <string>

#include "form_controls.h"
#include "form_window_layout.h"
#include "toolkit.h"
#include "window_focus.h"
#include "window_resources.h"

namespace orvanta::win32 {

inline constexpr wchar_t kFormClassName[] = L"OrvantaForm";

class FormWindow : public ui::FormHost, private ControlSite {
public:
    FormWindow(const WindowResources& resources, ui::Form& form);
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
    HWND ControlHandle(ui::ControlId id) const { return At(id).Handle(); }
    bool IsUnloaded() const { return unloaded_; }
    int Dpi() const { return layout_.Dpi(); }
    ui::Form& GetForm() const { return form_; }

    // ui::FormHost
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
    FormControl& At(ui::ControlId id) { return *controls_.at(static_cast<std::size_t>(id)); }
    const FormControl& At(ui::ControlId id) const { return *controls_.at(static_cast<std::size_t>(id)); }
    const FormControl* FromHandle(HWND hwnd) const;

    bool CreateControls();
    // Centres the window, at its size now, where its first position is.
    void MoveToFirstPosition(HWND owner);
    RECT FirstPosition(HWND owner, SIZE size) const;

    // Messages: one handler each.
    static LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR self);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleControlMessage(HWND hwnd, ui::ControlId id, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int code, HWND control);
    LRESULT OnGetDefId() const;
    LRESULT OnControlColor(HDC dc, HWND control, UINT message);
    bool OnSetCursor(HWND control) const;
    void OnDrawItem(const DRAWITEMSTRUCT& item) const;
    bool OnActivate(WORD state);
    void OnGetMinMaxInfo(MINMAXINFO& info) const;
    void OnSize(WPARAM kind);
    void OnDpiChanged(int dpi, const RECT& suggested);
    LRESULT OnGetDpiScaledSize(int dpi, SIZE& size) const;
    void OnSysColorChange() const;
    void OnSettingChange();
    LRESULT OnControlFocus(HWND hwnd, ui::ControlId id, WindowFocus::Move move, UINT message, WPARAM other);

    // The focus goes back to the control that had it, or to the first tab
    // stop. Returns whether the focus was placed.
    bool ReturnToWindow();
    ui::ControlId DefaultButton() const;
    void ShowDefaultButton();

    // ControlSite
    void Raise(ui::ControlId id, ui::Event event) override;
    bool CarriesDefaultBorder(ui::ControlId id) const override { return id == DefaultButton(); }

    const WindowResources& resources_;
    ui::Form& form_;
    HWND window_ = nullptr;
    FormControls controls_;
    WindowLayout layout_;
    HICON bigIcon_ = nullptr;
    WindowFocus focus_;
    bool refitWhenRestored_ = false;  // the frame changed while the window was minimised
    bool unloaded_ = false;
};

}  // namespace orvanta::win32
