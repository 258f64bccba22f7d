// The controls of a form's window, one small class for each kind of control
// in the layout tables: the window class and styles it is made with, the
// notifications it turns into the form's events, the messages it answers in
// its own way, its colours and the window that takes the focus for it. The
// form's window routes messages to its controls; it does not ask their kind.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "system_reports.h"
#include "toolkit.h"
#include "window_focus.h"

namespace orvanta::win32 {

inline constexpr int kFirstControlId = 1000;  // control id = kFirstControlId + index in the layout

// What a control asks of the window that holds it.
class ControlSite {
public:
    // Raises `event` of control `id` to the form.
    virtual void Raise(ui::ControlId id, ui::Event event) = 0;
    // Whether the push button `id` is the one that carries the default border now.
    virtual bool CarriesDefaultBorder(ui::ControlId id) const = 0;

protected:
    ~ControlSite() = default;
};

// Where and how a control's window is made.
struct ControlPlace {
    HWND parent;
    HINSTANCE instance;
    RECT rect;        // the layout's rectangle in pixels, in the parent's client area
    int listPixels;   // how far an open drop-down list reaches below its combo box
    HFONT font;
    HCURSOR handCursor;
};

class FormControl {
public:
    // The control of `layout`'s kind, its window not yet made.
    static std::unique_ptr<FormControl> Of(ui::ControlId id, const ui::ControlLayout& layout);
    FormControl(ui::ControlId id, const ui::ControlLayout& layout) : id_(id), layout_(layout) {}
    virtual ~FormControl() = default;
    FormControl(const FormControl&) = delete;
    FormControl& operator=(const FormControl&) = delete;

    // Makes the control's window, in its font and complete. Returns false when it could not be made.
    bool Create(const ControlPlace& place);

    ui::ControlId Id() const { return id_; }
    const ui::ControlLayout& Layout() const { return layout_; }
    HWND Handle() const { return hwnd_; }
    // The window that holds the keyboard focus (and the selection) for the control.
    virtual HWND FocusWindow() const { return hwnd_; }
    // The mouse cursor over the control; null for its class's.
    HCURSOR MouseCursor() const { return cursor_; }
    void SetMouseCursor(HCURSOR cursor) { cursor_ = cursor; }

    // What the layout pass needs to know of it.
    virtual bool IsContainer() const { return false; }  // a frame, drawn under the controls it holds
    virtual bool Underlined() const { return false; }   // its font is the window's, underlined
    // Its window's height for the layout's `height`: a combo box's reaches down to its open list.
    virtual int WindowHeight(int height, int listPixels) const;
    // Brings the control back to the layout's `height` where Windows sized it otherwise.
    virtual void FitHeight(int height) const;

    // A notification (WM_COMMAND) from the control.
    virtual void OnNotify(int code, ControlSite& site);
    // A message to its focus window that the control answers in its own way; nullopt: as usual.
    virtual std::optional<LRESULT> OnOwnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                                const ControlSite& site);
    // Its colours (WM_CTLCOLOR...): the background brush, or null for the usual ones.
    virtual HBRUSH Colour(HDC dc, const SystemReports& system) const;
    // The form's GotFocus or LostFocus comes: what the control does besides.
    virtual void OnFocusMove(WindowFocus::Move move);
    // A push button carries the default border, and is what Enter presses while it has the focus.
    virtual bool IsPushButton() const { return false; }
    virtual void ShowDefaultBorder(bool) {}
    virtual void Draw(const DRAWITEMSTRUCT& item) const;

    // The form's operations on the control's text.
    virtual std::string Text() const;
    // A write that leaves a field's text as it was raises no change.
    virtual void SetText(std::string_view text, ControlSite& site);
    // A check box's value (0 clear, 1 ticked); 0 for any other control.
    virtual int Value() const { return 0; }
    // A list's selected position (-1 for none) and its items; nothing for any other control.
    virtual int ListIndex() const { return -1; }
    virtual void SetListIndex(int) {}
    virtual void AddItem(std::string_view) {}

protected:
    virtual const wchar_t* WindowClass() const = 0;
    virtual DWORD KindStyle() const = 0;
    virtual DWORD ExStyle() const { return 0; }
    virtual bool ShowsCaption() const { return true; }
    // Completes the control once its window exists.
    virtual bool Finish() { return true; }

private:
    ui::ControlId id_;
    ui::ControlLayout layout_;
    HWND hwnd_ = nullptr;
    HCURSOR cursor_ = nullptr;
};

// A static text with a field's name that is never shown: it takes no room,
// no click and no focus, and is read only by accessibility.
bool CreateHiddenName(HWND parent, HINSTANCE instance, std::string_view name);

}  // namespace orvanta::win32
