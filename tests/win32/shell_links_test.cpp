// The links reach ShellExecuteA bound once, with the owner form's window, the
// SW_ value of the show command and every text in the ANSI code page, and only
// when the shell has a program for the link.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frm_about.h"
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
    ShellLinks links(
        toolkit,
        [&] {
            ++binds;
            return &RecordShellExecute;
        },
        [] { return ShellAssociations{}; });  // nothing to ask: every link is handed on
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

// The chat scheme as the messaging client registers it for its user:
// HKCU\Software\Classes\<scheme> with "URL Protocol" and, given a command,
// shell\open\command. Windows shows that key in HKEY_CLASSES_ROOT, the merged
// view of the user's and the machine's classes; Wine 8 does not merge them, so
// there the key is also written into HKEY_CLASSES_ROOT itself. Both are
// removed before the test and again at its end, whatever that end (the
// suite's own prefix, where nothing else registers the scheme).
class ChatSchemeKey {
public:
    ChatSchemeKey() { Remove(); }
    ~ChatSchemeKey() { Remove(); }
    void Register(const wchar_t* command) {
        Write(HKEY_CURRENT_USER, L"Software\\Classes\\" + scheme_, command);
        HKEY merged;
        if (!checked_ && RegOpenKeyExW(HKEY_CLASSES_ROOT, scheme_.c_str(), 0, KEY_READ, &merged) == ERROR_SUCCESS) {
            RegCloseKey(merged);
            merges_ = true;
        }
        checked_ = true;
        if (!merges_) Write(HKEY_CLASSES_ROOT, scheme_, command);
    }

private:
    static void Write(HKEY root, const std::wstring& path, const wchar_t* command) {
        ASSERT_EQ(RegSetKeyValueW(root, path.c_str(), L"URL Protocol", REG_SZ, L"", sizeof(wchar_t)), ERROR_SUCCESS);
        if (!command) return;
        ASSERT_EQ(RegSetKeyValueW(root, (path + L"\\shell\\open\\command").c_str(), nullptr, REG_SZ, command,
                                  DWORD((wcslen(command) + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }
    void Remove() {
        RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\Classes\\" + scheme_).c_str());
        RegDeleteTreeW(HKEY_CLASSES_ROOT, scheme_.c_str());
    }
    const std::wstring scheme_ = Widen(ui::kChatScheme);
    bool checked_ = false, merges_ = false;
};

TEST(ShellLinks, TheChatLinkReachesTheShellOnlyWithAProgramForItsScheme) {
    ChatSchemeKey key;
    calls.clear();
    const Win32Toolkit toolkit{GetModuleHandleW(nullptr)};
    ShellLinks links(toolkit, [] { return &RecordShellExecute; });
    const auto clickChat = [&] { links.Execute(nullptr, "", ui::ChatLink(), "", "", ui::ShowCommand::Show); };
    clickChat();
    EXPECT_TRUE(calls.empty()) << "nothing is registered for the scheme";
    key.Register(nullptr);
    clickChat();
    EXPECT_TRUE(calls.empty()) << "the scheme's key alone, with no program to run (a client removed)";
    key.Register(L"\"C:\\Program Files\\Tovix\\tovix.exe\" \"%1\"");
    clickChat();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].owner, nullptr);
    EXPECT_FALSE(calls[0].nullOperation);
    EXPECT_EQ(calls[0].operation, "");
    EXPECT_EQ(calls[0].file, ToAnsi(ui::ChatLink()));
    EXPECT_EQ(calls[0].parameters + calls[0].directory, "");
    EXPECT_EQ(calls[0].show, SW_SHOW);
}

TEST(ShellLinks, WebAndMailLinksReachTheShellWhereABrowserIsRegistered) {
    calls.clear();
    const Win32Toolkit toolkit{GetModuleHandleW(nullptr)};
    ShellLinks links(toolkit, [] { return &RecordShellExecute; });
    links.Execute(nullptr, "open", ui::kHomePage, "", "", ui::ShowCommand::ShowNormal);
    links.Execute(nullptr, "open", "mailto:" + std::string(ui::kMailAddress), "", "", ui::ShowCommand::ShowNormal);
    EXPECT_EQ(calls.size(), 2u) << "Wine registers winebrowser for https and mailto";
}

// The shell's answers that Wine does not give, as Windows gives them.
HRESULT commandAnswer, delegateAnswer;
HRESULT WINAPI AnswerAsWindows(ASSOCF, ASSOCSTR kind, LPCWSTR, LPCWSTR, LPWSTR, DWORD*) {
    return kind == ASSOCSTR_COMMAND ? commandAnswer : delegateAnswer;
}

TEST(ShellLinks, AStoreAppOrAnUnclearAnswerStillReachesTheShell) {
    const HRESULT none = HRESULT_FROM_WIN32(ERROR_NO_ASSOCIATION);
    const struct {
        const char* what;
        HRESULT command, delegate;
        size_t calls;
    } cases[] = {
        {"a store app: no command line, a DelegateExecute handler", none, S_FALSE, 1},
        {"neither", none, none, 0},
        {"the verb's key missing", HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), none, 0},
        {"an answer of another kind", E_OUTOFMEMORY, none, 1},
    };
    const Win32Toolkit toolkit{GetModuleHandleW(nullptr)};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        calls.clear();
        commandAnswer = c.command, delegateAnswer = c.delegate;
        ShellLinks links(toolkit, [] { return &RecordShellExecute; },
                         [] { return ShellAssociations{BindShellAssociations().parseUrl, &AnswerAsWindows}; });
        links.Execute(nullptr, "", ui::ChatLink(), "", "", ui::ShowCommand::Show);
        EXPECT_EQ(calls.size(), c.calls);
    }
    // A text with no scheme is no question for the associations: it goes to the shell as it is.
    calls.clear();
    ShellLinks links(toolkit, [] { return &RecordShellExecute; });
    links.Execute(nullptr, "open", "C:\\orvanta.txt", "", "", ui::ShowCommand::ShowNormal);
    EXPECT_EQ(calls.size(), 1u);
}

}  // namespace
}  // namespace orvanta::win32
