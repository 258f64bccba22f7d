// A handler that fails: the failure ends inside the window procedure, the
// user is told, and the window goes on.
#include <gtest/gtest.h>

#include <new>
#include <string>

#include "text_convert.h"
#include "toolkit_driver.h"
#include "window_driver.h"

namespace orvanta::win32 {
namespace {

using namespace ui::main_controls;

// The main window's layout, in a form that fails as a test asks.
class FailingForm : public contract::RecordingForm {
public:
    FailingForm() : RecordingForm(ui::kMainLayout) {}
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

class EventFailure : public testing::FormFixture<FailingForm> {
protected:
    // Types `typed` at the end of the current level; returns what the message box that follows said.
    testing::MessageBoxSeen TypeAtTheEnd(const wchar_t* typed) {
        HWND field = Control(txtGradeCur);
        SetFocus(field);
        const int end = GetWindowTextLengthW(field);
        SendMessageW(field, EM_SETSEL, end, end);
        return testing::MessageBoxAfter(toolkit, [&] { testing::TypeText(toolkit, field, typed); });
    }
};

TEST_F(EventFailure, IsToldAndTheWindowGoesOn) {
    for (const HandlerFailure& failure : kHandlerFailures) {
        SCOPED_TRACE(failure.what);
        form.react = [&failure, this](ui::ControlId, ui::Event event) {
            if (event != ui::Event::Change) return;
            form.react = nullptr;
            failure.fail();
        };
        const testing::MessageBoxSeen seen = TypeAtTheEnd(L"7");
        EXPECT_EQ(seen.text, failure.told);
        EXPECT_EQ(seen.title, L"Orvanta");
    }
    testing::TypeText(toolkit, Control(txtGradeCur), L"8");
    EXPECT_EQ(window->Text(txtGradeCur), "0778");
    EXPECT_EQ(form.Count(txtGradeCur, ui::Event::Change), 3);
}

// A window whose load step fails, opened from an event of another window:
// the failure is told like that of any event, the window does not open and
// the window that opened it goes on.
class FailingLoadForm : public FailingForm {
public:
    void Form_Load() override { throw std::bad_alloc(); }
};

TEST_F(EventFailure, OfALoadStepIsToldAndTheWindowDoesNotOpen) {
    FailingLoadForm failing;
    form.react = [&](ui::ControlId, ui::Event event) {
        if (event == ui::Event::Change) toolkit.ShowModal(failing, &form);
    };
    EXPECT_EQ(TypeAtTheEnd(L"7").text, L"内存不足，此操作未能完成。");
    EXPECT_EQ(toolkit.WindowOf(failing), nullptr);
    EXPECT_EQ(failing.Host(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(window->Handle())) << "the window that opened it takes input again";
    EXPECT_EQ(window->Text(txtGradeCur), "07");
}

}  // namespace
}  // namespace orvanta::win32
