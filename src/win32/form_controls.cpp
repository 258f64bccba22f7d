#include "form_controls.h"

#include <commctrl.h>

#include "about_picture.h"
#include "readable_colours.h"
#include "resource_ids.h"
#include "text_convert.h"
#include "window_text.h"

namespace orvanta::win32 {

using ui::ControlId;
using ui::ControlKind;
using ui::ControlLayout;
using ui::Event;

namespace {

constexpr INT_PTR kStaticId = -1;  // the id of a static text that nothing addresses

// The text of a field as last reported to the form: Windows reports every
// write to a field, and only a real change is a change.
class ReportedText {
public:
    void Start(HWND field) { known_ = WindowText(field); }
    void Report(ControlId id, std::wstring now, ControlSite& site) {
        if (now == known_) return;
        known_ = std::move(now);
        site.Raise(id, Event::Change);
    }

private:
    std::wstring known_;
};

class Frame : public FormControl {
public:
    using FormControl::FormControl;
    bool IsContainer() const override { return true; }

protected:
    const wchar_t* WindowClass() const override { return L"BUTTON"; }
    DWORD KindStyle() const override { return BS_GROUPBOX; }
};

class Label : public FormControl {
public:
    using FormControl::FormControl;
    void OnNotify(int code, ControlSite& site) override {
        if (code == STN_CLICKED) site.Raise(Id(), Event::Click);
    }

protected:
    const wchar_t* WindowClass() const override { return L"STATIC"; }
    DWORD KindStyle() const override { return SS_LEFTNOWORDWRAP | SS_NOPREFIX; }
};

// Underlined, in the link colour, and tells of its clicks.
class LinkLabel : public Label {
public:
    using Label::Label;
    bool Underlined() const override { return true; }
    HBRUSH Colour(HDC dc, const SystemReports& system) const override {
        SetTextColor(dc, LinkColour(system.highContrast && system.highContrast()));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return GetSysColorBrush(COLOR_BTNFACE);
    }

protected:
    DWORD KindStyle() const override { return Label::KindStyle() | SS_NOTIFY; }
};

// The About picture, stretched to the control.
class Picture : public Label {
public:
    using Label::Label;
    void Draw(const DRAWITEMSTRUCT& item) const override {
        FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
        if (picture_) picture_->Draw(item.hDC, item.rcItem);
    }

protected:
    DWORD KindStyle() const override { return SS_OWNERDRAW | SS_NOTIFY; }
    bool ShowsCaption() const override { return false; }
    bool Finish() override {
        picture_ = std::make_unique<ResourcePicture>(IDR_ABOUT_PICTURE);
        return true;
    }

private:
    std::unique_ptr<ResourcePicture> picture_;
};

class Button : public FormControl {
public:
    using FormControl::FormControl;
    void OnNotify(int code, ControlSite& site) override {
        if (code == BN_CLICKED) site.Raise(Id(), Event::Click);
    }

protected:
    const wchar_t* WindowClass() const override { return L"BUTTON"; }
};

class CheckBox : public Button {
public:
    using Button::Button;
    int Value() const override { return static_cast<int>(SendMessageW(Handle(), BM_GETCHECK, 0, 0)); }

protected:
    DWORD KindStyle() const override { return BS_AUTOCHECKBOX; }
};

class PushButton : public Button {
public:
    using Button::Button;
    bool IsPushButton() const override { return true; }
    // Which push button carries the default border is the window's to say,
    // whoever asks a button to change it (the dialog manager, on Tab).
    std::optional<LRESULT> OnOwnMessage(HWND hwnd, UINT message, WPARAM, LPARAM lParam,
                                        const ControlSite& site) override {
        if (message != BM_SETSTYLE) return std::nullopt;
        return DefSubclassProc(hwnd, message, site.CarriesDefaultBorder(Id()) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON,
                               lParam);
    }
    void ShowDefaultBorder(bool carries) override {
        SendMessageW(Handle(), BM_SETSTYLE, carries ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }

protected:
    DWORD KindStyle() const override { return Layout().IsDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON; }
};

class EditControl : public FormControl {
public:
    using FormControl::FormControl;

protected:
    const wchar_t* WindowClass() const override { return L"EDIT"; }
    DWORD ExStyle() const override { return WS_EX_CLIENTEDGE; }
};

// A single-line field the user types into.
class TextBox : public EditControl {
public:
    using EditControl::EditControl;
    void OnNotify(int code, ControlSite& site) override {
        if (code == EN_CHANGE) reported_.Report(Id(), WindowText(Handle()), site);
    }
    void SetText(std::string_view text, ControlSite& site) override {
        if (WindowText(Handle()) != Widen(text)) FormControl::SetText(text, site);  // its EN_CHANGE reports it
    }

protected:
    DWORD KindStyle() const override { return ES_AUTOHSCROLL; }
    bool Finish() override {
        reported_.Start(Handle());
        // No length limit: whatever is typed or pasted is kept whole and read whole.
        SendMessageW(Handle(), EM_SETLIMITTEXT, 0, 0);
        return true;
    }

private:
    ReportedText reported_;
};

// The read-only result box, on the menu colour.
class ResultBox : public EditControl {
public:
    using EditControl::EditControl;
    void OnNotify(int code, ControlSite& site) override {
        if (code == EN_CHANGE) site.Raise(Id(), Event::Change);
    }
    // Tab, Enter and Esc belong to the window's keyboard navigation.
    std::optional<LRESULT> OnOwnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                        const ControlSite&) override {
        if (message != WM_GETDLGCODE) return std::nullopt;
        return DefSubclassProc(hwnd, message, wParam, lParam) & ~(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | DLGC_WANTTAB);
    }
    HBRUSH Colour(HDC dc, const SystemReports&) const override {
        SetTextColor(dc, ResultTextColour());
        SetBkColor(dc, GetSysColor(COLOR_MENU));
        return GetSysColorBrush(COLOR_MENU);
    }

protected:
    DWORD KindStyle() const override { return WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL; }
    bool Finish() override {
        // No length limit: it collects every report for as long as the window is open.
        SendMessageW(Handle(), EM_SETLIMITTEXT, 0, 0);
        return true;
    }
};

class ComboBox : public FormControl {
public:
    using FormControl::FormControl;
    int ListIndex() const override { return static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0)); }
    void SetListIndex(int index) override { SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0); }
    void AddItem(std::string_view item) override {
        SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
    }
    int WindowHeight(int height, int listPixels) const override { return height + listPixels; }
    // The closed combo box is as high as its layout says: its field's item
    // height is corrected by what the box measures too high or too low,
    // until it fits or a correction changes nothing (Wine keeps a closed
    // combo box as high as its font needs).
    void FitHeight(int height) const override {
        int lastOff = 0;
        for (int attempt = 0; attempt < 4; ++attempt) {
            RECT now;
            GetWindowRect(Handle(), &now);
            const int off = (now.bottom - now.top) - height;
            const LRESULT item = SendMessageW(Handle(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
            if (off == 0 || off == lastOff || item - off < 1) return;
            lastOff = off;
            SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), item - off);
        }
    }

protected:
    const wchar_t* WindowClass() const override { return L"COMBOBOX"; }
    bool Finish() override {
        for (const char* item : Layout().items) AddItem(item);
        return true;
    }
};

// A drop-down list without an edit field: its text is the item chosen.
class ListCombo : public ComboBox {
public:
    using ComboBox::ComboBox;
    std::string Text() const override {
        const int index = ListIndex();
        return index < 0 ? std::string() : Narrow(ComboItemText(Handle(), index));
    }

protected:
    DWORD KindStyle() const override { return WS_VSCROLL | CBS_DROPDOWNLIST; }
    bool ShowsCaption() const override { return false; }
};

// A combo box with an edit field, which holds its text, selection and focus.
class EditCombo : public ComboBox {
public:
    using ComboBox::ComboBox;
    HWND FocusWindow() const override {
        COMBOBOXINFO info{sizeof info};
        return GetComboBoxInfo(Handle(), &info) && info.hwndItem ? info.hwndItem : Handle();
    }
    void OnNotify(int code, ControlSite& site) override {
        if (code == CBN_EDITCHANGE) {
            reported_.Report(Id(), WindowText(Handle()), site);
        } else if (code == CBN_SELENDOK) {
            // The edit field takes the picked item's text after this notification.
            const int pick = ListIndex();
            if (pick >= 0) reported_.Report(Id(), ComboItemText(Handle(), pick), site);
        }
    }
    // As Windows' editable combo box does (Wine's selects only on the first
    // entry): entering it selects its whole text (a click puts the caret
    // where it falls), leaving it clears the selection, so that no highlight
    // stays behind in a field left.
    void OnFocusMove(WindowFocus::Move move) override {
        if (move == WindowFocus::Move::FieldLeft) SendMessageW(FocusWindow(), EM_SETSEL, 0, 0);
        if (move == WindowFocus::Move::FieldEntered && GetKeyState(VK_LBUTTON) >= 0)
            SendMessageW(FocusWindow(), EM_SETSEL, 0, -1);
    }
    // The combo box's edit field does not report a write.
    void SetText(std::string_view text, ControlSite& site) override {
        std::wstring wide = Widen(text);
        if (WindowText(Handle()) == wide) return;
        SetWindowTextW(Handle(), wide.c_str());
        reported_.Report(Id(), std::move(wide), site);
    }

protected:
    DWORD KindStyle() const override { return WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL; }
    bool Finish() override {
        // A combo box takes its edit field's first text after it exists.
        SetWindowTextW(Handle(), Widen(Layout().caption).c_str());
        reported_.Start(Handle());
        // No length limit: whatever is typed or pasted is kept whole and read whole.
        SendMessageW(Handle(), CB_LIMITTEXT, 0, 0);
        return ComboBox::Finish();
    }

private:
    ReportedText reported_;
};

}  // namespace

std::unique_ptr<FormControl> FormControl::Of(ControlId id, const ControlLayout& layout) {
    switch (layout.kind) {
    case ControlKind::Frame: return std::make_unique<Frame>(id, layout);
    case ControlKind::Label: return std::make_unique<Label>(id, layout);
    case ControlKind::LinkLabel: return std::make_unique<LinkLabel>(id, layout);
    case ControlKind::Picture: return std::make_unique<Picture>(id, layout);
    case ControlKind::CheckBox: return std::make_unique<CheckBox>(id, layout);
    case ControlKind::PushButton: return std::make_unique<PushButton>(id, layout);
    case ControlKind::TextBox: return std::make_unique<TextBox>(id, layout);
    case ControlKind::ResultBox: return std::make_unique<ResultBox>(id, layout);
    case ControlKind::EditCombo: return std::make_unique<EditCombo>(id, layout);
    case ControlKind::ListCombo: return std::make_unique<ListCombo>(id, layout);
    }
    return nullptr;
}

bool FormControl::Create(const ControlPlace& place) {
    // Every control starts a group of its own (as a dialog's texts and frames
    // do), so that the arrow keys, which move the focus within a group in a
    // dialog, do not wander from a button to the next control, or from the
    // last one round to the first.
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_GROUP | (layout_.StartsEnabled() ? 0 : WS_DISABLED) |
                        (ui::TakesFocus(layout_.kind) ? WS_TABSTOP : 0) | KindStyle();
    const RECT& r = place.rect;
    hwnd_ = CreateWindowExW(ExStyle(), WindowClass(), ShowsCaption() ? Widen(layout_.caption).c_str() : L"", style,
                            r.left, r.top, r.right - r.left, WindowHeight(r.bottom - r.top, place.listPixels),
                            place.parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + id_)),
                            place.instance, nullptr);
    if (!hwnd_) return false;
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(place.font), FALSE);
    FitHeight(r.bottom - r.top);
    if (layout_.HasHandCursor()) cursor_ = place.handCursor;
    return Finish();
}

int FormControl::WindowHeight(int height, int) const { return height; }
void FormControl::FitHeight(int) const {}
void FormControl::OnNotify(int, ControlSite&) {}
std::optional<LRESULT> FormControl::OnOwnMessage(HWND, UINT, WPARAM, LPARAM, const ControlSite&) {
    return std::nullopt;
}
HBRUSH FormControl::Colour(HDC, const SystemReports&) const { return nullptr; }
void FormControl::OnFocusMove(WindowFocus::Move) {}
void FormControl::Draw(const DRAWITEMSTRUCT&) const {}

std::string FormControl::Text() const { return Narrow(WindowText(hwnd_)); }

void FormControl::SetText(std::string_view text, ControlSite&) { SetWindowTextW(hwnd_, Widen(text).c_str()); }

bool CreateHiddenName(HWND parent, HINSTANCE instance, std::string_view name) {
    return CreateWindowExW(0, L"STATIC", Widen(name).c_str(), WS_CHILD | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, 0, 0, 0,
                           parent, reinterpret_cast<HMENU>(kStaticId), instance, nullptr) != nullptr;
}

}  // namespace orvanta::win32
