// The links reach ShellExecuteA bound once, with the owner form's window, the
// SW_ value of the show command and every text in the ANSI code page, and only
// when the shell has a program for the link.
#include <objbase.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "frm_about.h"
#include "shell_links.h"
#include "text_convert.h"
#include "window_driver.h"

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

class ShellLinksTest : public testing::FormFixture<OwnerForm> {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        calls.clear();
    }
};

TEST_F(ShellLinksTest, BindsOnceOnFirstUseAndPassesExactBytes) {
    int binds = 0;
    ShellLinks links(
        toolkit,
        [&] {
            ++binds;
            return &RecordShellExecute;
        },
        [] { return ShellAssociations{}; });  // nothing to ask: every link is handed on
    EXPECT_EQ(binds, 0);
    links.Execute(&form, "open", "https://orvanta.example.com/", "", "", ui::ShowCommand::ShowNormal);
    links.Execute(nullptr, "", "tovix://message?uin=20080513&Site=Orvanta&Menu=yes", "", "", ui::ShowCommand::Show);
    EXPECT_EQ(binds, 1);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].owner, window->Handle());
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

TEST_F(ShellLinksTest, TextsGoOutInTheChineseAnsiCodePage) {
    ASSERT_EQ(GetACP(), 936u) << "the tests run with a Simplified Chinese locale";
    EXPECT_EQ(ToAnsi("\xE5\x85\xB3\xE4\xBA\x8E"), "\xB9\xD8\xD3\xDA");  // 关于
    ShellLinks links(toolkit, [] { return &RecordShellExecute; });
    links.Execute(nullptr, "open", "mailto:\xE5\x85\xB3\xE4\xBA\x8E@example.com", "", "",
                  ui::ShowCommand::ShowNormal);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].file, "mailto:\xB9\xD8\xD3\xDA@example.com");
}

TEST_F(ShellLinksTest, AShellThatCannotBeFoundIsIgnored) {
    int binds = 0;
    ShellLinks links(toolkit, [&] {
        ++binds;
        return ShellExecuteAFunction(nullptr);
    });
    links.Execute(nullptr, "open", "https://orvanta.example.com/", "", "", ui::ShowCommand::ShowNormal);
    links.Execute(nullptr, "open", "https://orvanta.example.com/", "", "", ui::ShowCommand::ShowNormal);
    EXPECT_EQ(binds, 1);
}

TEST_F(ShellLinksTest, TheRealBindingFindsShellExecuteA) { EXPECT_NE(BindShellExecuteA(), nullptr); }

// The chat scheme as the messaging client registers it for its user:
// HKCU\Software\Classes\<scheme> with "URL Protocol" and shell\open\command.
// Windows shows the user's classes in HKEY_CLASSES_ROOT; Wine 8 does not, so
// there the key goes into HKEY_CLASSES_ROOT as well. Removed before and after
// the test, whatever its end (the suite's own prefix registers the scheme nowhere else).
struct ChatSchemeKey {
    const std::wstring scheme = Widen(ui::kChatScheme);
    ChatSchemeKey() { Remove(); }
    ~ChatSchemeKey() { Remove(); }
    void Remove() {
        RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\Classes\\" + scheme).c_str());
        RegDeleteTreeW(HKEY_CLASSES_ROOT, scheme.c_str());
    }
    void Register(const wchar_t* command) {  // null: the key alone, as a removed client may leave it
        Set(scheme, L"URL Protocol", L"");
        if (command) Set(scheme + L"\\shell\\open\\command", nullptr, command);
    }
    static void Set(const std::wstring& key, const wchar_t* name, const wchar_t* text) {
        const DWORD bytes = DWORD((wcslen(text) + 1) * sizeof(wchar_t));
        const std::wstring user = L"Software\\Classes\\" + key;
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, user.c_str(), name, REG_SZ, text, bytes), ERROR_SUCCESS);
        if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
            return;
        ASSERT_EQ(RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), name, REG_SZ, text, bytes), ERROR_SUCCESS);
    }
};

TEST_F(ShellLinksTest, ALinkReachesTheShellOnlyWithAProgramForItsScheme) {
    ChatSchemeKey key;
    ShellLinks links(toolkit, [] { return &RecordShellExecute; });
    const auto clickChat = [&] { links.Execute(nullptr, "", ui::ChatLink(), "", "", ui::ShowCommand::Show); };
    clickChat();
    key.Register(nullptr);
    clickChat();
    EXPECT_TRUE(calls.empty()) << "no program for the scheme: no key, or the key alone";
    key.Register(L"\"C:\\Program Files\\Tovix\\tovix.exe\" \"%1\"");
    clickChat();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].operation, "");
    EXPECT_EQ(calls[0].file, ToAnsi(ui::ChatLink()));
    EXPECT_EQ(calls[0].show, SW_SHOW);
    // Wine registers winebrowser for https and mailto.
    links.Execute(nullptr, "open", ui::kHomePage, "", "", ui::ShowCommand::ShowNormal);
    links.Execute(nullptr, "open", "mailto:" + std::string(ui::kMailAddress), "", "", ui::ShowCommand::ShowNormal);
    EXPECT_EQ(calls.size(), 3u);
}

// The associations' answers for a verb's command line, its DelegateExecute
// object and its packaged app's identity, as Windows 7 and 8 and later give
// them where Wine does not. A text, where there is one, comes as Windows hands
// it: its length (terminator included) and S_FALSE without a buffer, the text
// and S_OK into a buffer that holds it.
HRESULT commandAnswer, delegateAnswer, appIdAnswer;
const wchar_t *commandText, *delegateText;
HRESULT Answer(HRESULT answer, const wchar_t* text, LPWSTR out, DWORD* length) {
    if (!text) return answer;
    const DWORD needed = DWORD(wcslen(text) + 1);
    const bool fits = out && *length >= needed;
    if (fits) wcscpy(out, text);
    *length = needed;
    return !out ? S_FALSE : fits ? S_OK : E_POINTER;
}
HRESULT WINAPI AnswerAsWindows(ASSOCF, ASSOCSTR kind, LPCWSTR, LPCWSTR, LPWSTR out, DWORD* length) {
    if (kind == ASSOCSTR_COMMAND) return Answer(commandAnswer, commandText, out, length);
    return kind == ASSOCSTR_DELEGATEEXECUTE ? Answer(delegateAnswer, delegateText, out, length) : appIdAnswer;
}

TEST_F(ShellLinksTest, AStoreAppAnUnclearAnswerOrNoSchemeStillReachTheShell) {
    const HRESULT none = HRESULT_FROM_WIN32(ERROR_NO_ASSOCIATION);
    const wchar_t* openWith = L"{e44e9428-bdbc-4987-a099-40dc8fd255e7}";  // the Open With prompt's object
    const struct {
        const char *what, *link;
        HRESULT command, delegate, appId;
        std::size_t calls;
        const wchar_t *commandText, *delegateText;
        bool windows7;  // else Windows 8 or later
    } cases[] = {
        {"a store app: a DelegateExecute object, no command line", "tovix://message", none, S_FALSE, none, 1},
        {"a packaged app known by its identity alone", "mailto:someone@example.com", none, none, S_FALSE, 1},
        {"an answer of another kind", "tovix://message", E_OUTOFMEMORY, none, none, 1},
        {"no scheme to ask about", "C:\\orvanta.txt", none, none, none, 1},
        {"every answer says there is no handler", "tovix://message", none, none, none, 0},
        {"no key for the scheme, as Windows 7 says it", "tovix://message", E_FAIL, E_FAIL, E_FAIL, 0, nullptr, nullptr,
         true},
        {"E_FAIL from Windows 8 on: a failure, not the lack of a key", "tovix://message", E_FAIL, E_FAIL, E_FAIL, 1},
        {"the Open With prompt: its command and its object", "tovix://message", S_FALSE, S_FALSE, none, 0,
         L"\"C:\\WINDOWS\\system32\\openwith.exe\" \"%1\"", openWith},
        {"the Open With prompt, without path or quotes", "tovix://message", S_FALSE, S_FALSE, none, 0,
         L"OpenWith.exe -override \"%1\"", L"{E44E9428-BDBC-4987-A099-40DC8FD255E7}"},
        {"an object of its own behind the Open With command", "tovix://message", S_FALSE, S_FALSE, none, 1,
         L"OpenWith.exe \"%1\"", L"{4ED3A719-CEA8-4BD9-910D-E252F997AFC2}"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        calls.clear();
        commandAnswer = c.command;
        delegateAnswer = c.delegate;
        appIdAnswer = c.appId;
        commandText = c.commandText;
        delegateText = c.delegateText;
        ShellLinks links(toolkit, [] { return &RecordShellExecute; }, [&c] {
            return ShellAssociations{BindShellAssociations().parseUrl, &AnswerAsWindows, !c.windows7};
        });
        links.Execute(nullptr, "", c.link, "", "", ui::ShowCommand::Show);
        EXPECT_EQ(calls.size(), c.calls);
    }
}

// The shell asks for a single-threaded apartment on the thread that calls it.
TEST_F(ShellLinksTest, TheToolkitMakesTheThreadASingleThreadedApartment) {
    APTTYPE type{};
    APTTYPEQUALIFIER qualifier{};
    ASSERT_EQ(CoGetApartmentType(&type, &qualifier), S_OK);
    EXPECT_TRUE(type == APTTYPE_MAINSTA || type == APTTYPE_STA) << type;
}

}  // namespace
}  // namespace orvanta::win32
