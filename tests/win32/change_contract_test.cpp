// A text field's Change comes only when its text really changes, whoever writes it.
#include <gtest/gtest.h>

#include <array>
#include <new>
#include <string>

#include "text_convert.h"
#include "window_driver.h"

namespace orvanta::win32 {
namespace {

const std::array<ui::ControlLayout, 2> kFields = {{
    {0, "txtField", ui::ControlKind::TextBox, ui::kNoControl, 120, 120, 1500, 270, 0, "5"},
    {1, "cboField", ui::ControlKind::EditCombo, ui::kNoControl, 120, 600, 1500, 300, 1, "16"},
}};
const ui::FormLayout kFieldsLayout = {"frmFields", "Fields", 2000, 1200, ui::StartPosition::CenterScreen,
                                      ui::kNoFormFlags, kFields.data(), kFields.size()};

class RecordingForm : public ui::Form {
public:
    const ui::FormLayout& Layout() const override { return kFieldsLayout; }
    void Form_Load() override {}
    void OnEvent(ui::ControlId id, ui::Event event) override {
        if (event == ui::Event::Change) ++changes[static_cast<std::size_t>(id)];
    }
    std::array<int, 2> changes{};
};

class ChangeContract : public testing::FormFixture<RecordingForm> {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        form.changes = {};
    }
};

TEST_F(ChangeContract, ProgramWritesRaiseChangeOnlyForANewText) {
    for (ui::ControlId id : {0, 1}) {
        const std::string same = window->Text(id);
        window->SetText(id, same);
        EXPECT_EQ(form.changes[id], 0) << kFields[id].name;
        window->SetText(id, "42");
        EXPECT_EQ(form.changes[id], 1) << kFields[id].name;
        window->SetText(id, "42");
        EXPECT_EQ(form.changes[id], 1) << kFields[id].name;
    }
}

TEST_F(ChangeContract, RawWritesOfTheSameTextAreNotChanges) {
    // Windows itself reports every WM_SETTEXT to an edit field.
    HWND field = window->ControlHandle(0);
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"5"));
    EXPECT_EQ(form.changes[0], 0);
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"6"));
    EXPECT_EQ(form.changes[0], 1);
}

TEST_F(ChangeContract, TypingRaisesChangeForEachRealEdit) {
    HWND field = window->ControlHandle(0);
    SetFocus(field);
    SendMessageW(field, EM_SETSEL, 0, -1);
    testing::TypeText(toolkit, field, L"5");  // replaces "5" with "5": nothing changed
    EXPECT_EQ(form.changes[0], 0);
    testing::TypeText(toolkit, field, L"12");
    EXPECT_EQ(form.changes[0], 2);
    EXPECT_EQ(window->Text(0), "512");
}

TEST_F(ChangeContract, UtfTextRoundTripsThroughTheControls) {
    const std::string chinese = "\xE6\x9C\xAA\xE7\x9F\xA5";  // 未知
    window->SetText(0, chinese);
    EXPECT_EQ(window->Text(0), chinese);
    EXPECT_EQ(window->TextLength(0), 2);
}

// A handler that fails: the failure ends inside the window procedure, the
// user is told, and the window goes on.
class FailingForm : public RecordingForm {
public:
    void OnEvent(ui::ControlId id, ui::Event event) override {
        RecordingForm::OnEvent(id, event);
        if (event == ui::Event::Change && failNext) {
            void (*const fail)() = failNext;
            failNext = nullptr;
            fail();
        }
    }
    void (*failNext)() = nullptr;
};

struct HandlerFailure {
    const char* what;
    void (*fail)();
    const wchar_t* told;
};

class EventFailure : public testing::FormFixture<FailingForm> {};

const HandlerFailure kHandlerFailures[] = {
    {"out of memory", [] { throw std::bad_alloc(); }, L"内存不足，此操作未能完成。"},
    // Thrown inside the C++ library's own string functions, which the
    // failure has to be unwound through on its way to the guard.
    {"a failure inside the library's string code",
     [] {
         std::string text;
         text.reserve(text.max_size() + 1);
     },
     L"发生意外错误，此操作未能完成。"},
};

// Types `typed` at the end of the window's text field; returns what the
// message box that follows said.
testing::MessageBoxSeen TypeAtTheEnd(Win32Toolkit& toolkit, FormWindow& window, const wchar_t* typed) {
    HWND field = window.ControlHandle(0);
    SetFocus(field);
    const int end = GetWindowTextLengthW(field);
    SendMessageW(field, EM_SETSEL, end, end);
    return testing::MessageBoxAfter(toolkit, [&] { testing::TypeText(toolkit, field, typed); });
}

TEST_F(EventFailure, IsToldAndTheWindowGoesOn) {
    for (const HandlerFailure& failure : kHandlerFailures) {
        SCOPED_TRACE(failure.what);
        form.failNext = failure.fail;
        const testing::MessageBoxSeen seen = TypeAtTheEnd(toolkit, *window, L"7");
        EXPECT_EQ(seen.text, failure.told);
        EXPECT_EQ(seen.title, L"Orvanta");
    }
    testing::TypeText(toolkit, window->ControlHandle(0), L"8");
    EXPECT_EQ(window->Text(0), "5778");
    EXPECT_EQ(form.changes[0], 3);
}

// A window whose load step fails, opened from an event of another window:
// the failure is told like that of any event, the window does not open and
// the window that opened it goes on.
class FailingLoadForm : public RecordingForm {
public:
    void Form_Load() override { throw std::bad_alloc(); }
};

class OpensOnChange : public RecordingForm {
public:
    OpensOnChange(ui::Toolkit& toolkit, ui::Shell&) : toolkit_(toolkit) {}
    void OnEvent(ui::ControlId id, ui::Event event) override {
        RecordingForm::OnEvent(id, event);
        if (event == ui::Event::Change) toolkit_.ShowModal(failing, this);
    }
    FailingLoadForm failing;

private:
    ui::Toolkit& toolkit_;
};

class LoadFailure : public testing::FormFixture<OpensOnChange> {};

TEST_F(LoadFailure, IsToldAndTheWindowDoesNotOpen) {
    EXPECT_EQ(TypeAtTheEnd(toolkit, *window, L"7").text, L"内存不足，此操作未能完成。");
    EXPECT_EQ(toolkit.WindowOf(form.failing), nullptr);
    EXPECT_EQ(form.failing.Host(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(window->Handle())) << "the window that opened it takes input again";
    EXPECT_EQ(window->Text(0), "57");
}

}  // namespace
}  // namespace orvanta::win32
