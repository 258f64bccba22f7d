// The links reach ShellExecuteA bound once, with every text in the ANSI code page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell_links.h"
#include "text_convert.h"

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

TEST(ShellLinks, BindsOnceOnFirstUseAndPassesExactBytes) {
    calls.clear();
    int binds = 0;
    ShellLinks links([&] {
        ++binds;
        return &RecordShellExecute;
    });
    EXPECT_EQ(binds, 0);
    links.Execute(0x1234, "open", "https://orvanta.example.com/", "", "", 1);
    links.Execute(0, "", "tovix://message?uin=20080513&Site=Orvanta&Menu=yes", "", "", 5);
    EXPECT_EQ(binds, 1);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].owner, reinterpret_cast<HWND>(0x1234));
    EXPECT_EQ(calls[0].operation, "open");
    EXPECT_EQ(calls[0].file, "https://orvanta.example.com/");
    EXPECT_EQ(calls[0].show, 1);
    EXPECT_FALSE(calls[1].nullOperation) << "an empty verb is an empty string, not a null pointer";
    EXPECT_EQ(calls[1].operation, "");
    EXPECT_EQ(calls[1].parameters, "");
    EXPECT_EQ(calls[1].directory, "");
    EXPECT_EQ(calls[1].show, 5);
}

TEST(ShellLinks, TextsGoOutInTheChineseAnsiCodePage) {
    ASSERT_EQ(GetACP(), 936u) << "the tests run with a Simplified Chinese locale";
    EXPECT_EQ(ToAnsi("\xE5\x85\xB3\xE4\xBA\x8E"), "\xB9\xD8\xD3\xDA");  // 关于
    calls.clear();
    ShellLinks links([] { return &RecordShellExecute; });
    links.Execute(0, "open", "mailto:\xE5\x85\xB3\xE4\xBA\x8E@example.com", "", "", 1);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].file, "mailto:\xB9\xD8\xD3\xDA@example.com");
}

TEST(ShellLinks, AShellThatCannotBeFoundIsIgnored) {
    int binds = 0;
    ShellLinks links([&] {
        ++binds;
        return ShellExecuteAFunction(nullptr);
    });
    links.Execute(0, "open", "https://orvanta.example.com/", "", "", 1);
    links.Execute(0, "open", "https://orvanta.example.com/", "", "", 1);
    EXPECT_EQ(binds, 1);
}

TEST(ShellLinks, TheRealBindingFindsShellExecuteA) { EXPECT_NE(BindShellExecuteA(), nullptr); }

}  // namespace
}  // namespace orvanta::win32
