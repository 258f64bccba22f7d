// The links reach ShellExecuteA bound once, with the owner form's window, the
// SW_ value of the show command and every text in the ANSI code page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell_links.h"
#include "text_convert.h"
#include "win32_toolkit.h"

namespace orvanta::win32 {
namespace {

struct RecordedCall {
    HWND owner;
    std::string operation, file, parameters, directory;
    bool nullOperation;
    INT show;
};
std::vector<RecordedCall> calls;

HINSTANCE WINAPI RecordShellExecute(HWND owner, LPCSTR op, LPCSTR file, LPCSTR params, LPCSTR dir, INT show) {
    calls.push_back({owner, op ? op : "", file, params, dir, op == nullptr, show});
    return reinterpret_cast<HINSTANCE>(2);  // "file not found": the result is ignored
}

// A window with nothing in it, to own what the shell shows.
const ui::FormLayout kOwnerLayout = {"frmOwner", "Owner", 1500, 900, ui::StartPosition::CenterScreen,
                                     ui::kNoFormFlags, nullptr, 0};

class OwnerForm : public ui::Form {
public:
    const ui::FormLayout& Layout() const override { return kOwnerLayout; }
    void Form_Load() override {}
    void OnEvent(ui::ControlId, ui::Event) override {}
};

TEST(ShellLinks, BindsOnceOnFirstUseAndPassesExactBytes) {
    Win32Toolkit toolkit{GetModuleHandleW(nullptr)};
    ASSERT_TRUE(toolkit.Initialize());
    OwnerForm owner;
    FormWindow* ownerWindow = toolkit.Load(owner, nullptr);
    ASSERT_NE(ownerWindow, nullptr);
    calls.clear();
    int binds = 0;
    ShellLinks links(toolkit, [&] {
        ++binds;
        return &RecordShellExecute;
    });
    EXPECT_EQ(binds, 0);
    links.Execute(&owner, "open", "https://orvanta.example.com/", "", "", ui::ShowCommand::ShowNormal);
    links.Execute(nullptr, "", "tovix://message?uin=20080513&Site=Orvanta&Menu=yes", "", "", ui::ShowCommand::Show);
    EXPECT_EQ(binds, 1);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].owner, ownerWindow->Handle());
    EXPECT_EQ(calls[0].operation, "open");
    EXPECT_EQ(calls[0].file, "https://orvanta.example.com/");
    EXPECT_EQ(calls[0].show, SW_SHOWNORMAL);
    EXPECT_EQ(calls[1].owner, nullptr);
    EXPECT_FALSE(calls[1].nullOperation) << "an empty verb is an empty string, not a null pointer";
    EXPECT_EQ(calls[1].operation, "");
    EXPECT_EQ(calls[1].parameters, "");
    EXPECT_EQ(calls[1].directory, "");
    EXPECT_EQ(calls[1].show, SW_SHOW);
}

TEST(ShellLinks, TextsGoOutInTheChineseAnsiCodePage) {
    ASSERT_EQ(GetACP(), 936u) << "the tests run with a Simplified Chinese locale";
    EXPECT_EQ(ToAnsi("\xE5\x85\xB3\xE4\xBA\x8E"), "\xB9\xD8\xD3\xDA");  // 关于
    calls.clear();
    const Win32Toolkit toolkit{GetModuleHandleW(nullptr)};
    ShellLinks links(toolkit, [] { return &RecordShellExecute; });
    links.Execute(nullptr, "open", "mailto:\xE5\x85\xB3\xE4\xBA\x8E@example.com", "", "",
                  ui::ShowCommand::ShowNormal);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].file, "mailto:\xB9\xD8\xD3\xDA@example.com");
}

TEST(ShellLinks, AShellThatCannotBeFoundIsIgnored) {
    int binds = 0;
    const Win32Toolkit toolkit{GetModuleHandleW(nullptr)};
    ShellLinks links(toolkit, [&] {
        ++binds;
        return ShellExecuteAFunction(nullptr);
    });
    links.Execute(nullptr, "open", "https://orvanta.example.com/", "", "", ui::ShowCommand::ShowNormal);
    links.Execute(nullptr, "open", "https://orvanta.example.com/", "", "", ui::ShowCommand::ShowNormal);
    EXPECT_EQ(binds, 1);
}

TEST(ShellLinks, TheRealBindingFindsShellExecuteA) { EXPECT_NE(BindShellExecuteA(), nullptr); }

}  // namespace
}  // namespace orvanta::win32
