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

class ChangeContract : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(toolkit.Initialize());
        window = toolkit.Load(form, nullptr);
        ASSERT_NE(window, nullptr);
        testing::Pump(toolkit);
        form.changes = {};
    }
    Win32Toolkit toolkit{GetModuleHandleW(nullptr)};
    RecordingForm form;
    FormWindow* window = nullptr;
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

// Types `typed` after the "5" of the window's text field and pumps; `seen`
// notes the message box that follows.
void TypeAfterTheFive(Win32Toolkit& toolkit, FormWindow& window, const wchar_t* typed,
                      testing::MessageBoxSeen& seen) {
    HWND field = window.ControlHandle(0);
    SetFocus(field);
    SendMessageW(field, EM_SETSEL, 1, 1);
    testing::AnswerNextMessageBox(seen);
    testing::TypeText(toolkit, field, typed);
    testing::Pump(toolkit);
}

TEST(EventFailure, IsToldAndTheWindowGoesOn) {
    for (const HandlerFailure& failure : kHandlerFailures) {
        SCOPED_TRACE(failure.what);
        Win32Toolkit toolkit{GetModuleHandleW(nullptr)};
        ASSERT_TRUE(toolkit.Initialize());
        FailingForm form;
        FormWindow* window = toolkit.Load(form, nullptr);
        ASSERT_NE(window, nullptr);
        testing::Pump(toolkit);
        form.failNext = failure.fail;
        testing::MessageBoxSeen seen;
        TypeAfterTheFive(toolkit, *window, L"7", seen);
        ASSERT_TRUE(seen.seen);
        EXPECT_EQ(seen.text, failure.told);
        EXPECT_EQ(seen.title, L"Orvanta");
        EXPECT_TRUE(IsWindow(window->Handle()));
        testing::TypeText(toolkit, window->ControlHandle(0), L"8");
        EXPECT_EQ(window->Text(0), "578");
        EXPECT_EQ(form.changes[0], 2);
    }
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
    explicit OpensOnChange(ui::Toolkit& toolkit) : toolkit_(toolkit) {}
    void OnEvent(ui::ControlId id, ui::Event event) override {
        RecordingForm::OnEvent(id, event);
        if (event == ui::Event::Change) toolkit_.ShowModal(failing, this);
    }
    FailingLoadForm failing;

private:
    ui::Toolkit& toolkit_;
};

TEST(EventFailure, AWindowWhoseLoadFailsIsToldAndDoesNotOpen) {
    Win32Toolkit toolkit{GetModuleHandleW(nullptr)};
    ASSERT_TRUE(toolkit.Initialize());
    OpensOnChange form(toolkit);
    FormWindow* window = toolkit.Load(form, nullptr);
    ASSERT_NE(window, nullptr);
    testing::Pump(toolkit);
    testing::MessageBoxSeen seen;
    TypeAfterTheFive(toolkit, *window, L"7", seen);
    ASSERT_TRUE(seen.seen) << "the failed load is told";
    EXPECT_EQ(seen.text, L"内存不足，此操作未能完成。");
    EXPECT_EQ(toolkit.WindowOf(form.failing), nullptr);
    EXPECT_EQ(form.failing.Host(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(window->Handle())) << "the window that opened it takes input again";
    EXPECT_EQ(window->Text(0), "57");
}

}  // namespace
}  // namespace orvanta::win32
