#include "shell_links.h"

#include <objbase.h>
#include <shobjidl.h>
#include <versionhelpers.h>

#include <cwchar>
#include <initializer_list>
#include <string>

#include "dll_function.h"
#include "dll_search.h"
#include "text_convert.h"
#include "win32_toolkit.h"

namespace orvanta::win32 {

namespace {

int ShowCommandOf(ui::ShowCommand show) {
    switch (show) {
    case ui::ShowCommand::ShowNormal: return SW_SHOWNORMAL;
    case ui::ShowCommand::Show: return SW_SHOW;
    }
    return SW_SHOWNORMAL;
}

// ASSOCF_IS_PROTOCOL, from Windows 8 on (the SDK declares it only for programs
// that require Windows 8): the scheme is answered by the program the user
// chose for the protocol, the one ShellExecute starts. Windows 7, which does
// not document the flag, is asked without it and reads the scheme's key in
// HKEY_CLASSES_ROOT, where programs register their protocols.
constexpr ASSOCF kAssocIsProtocol = 0x00001000;

// What the shell's associations say of a link's scheme and a verb.
enum class Handler { Registered, None, Unknown };

// The answers that mean "nothing there": none for the verb
// (ERROR_FILE_NOT_FOUND, the missing key), no key for the scheme at all
// (ERROR_NO_ASSOCIATION before Windows 7) and ERROR_NOT_FOUND, which Windows 8
// gives for some of them. E_FAIL says "no key" on Windows 7, which reads the
// scheme's key itself; Windows 8 and later answer a scheme without a key with
// the Open With prompt, and E_FAIL is COM's failure of any kind there.
bool SaysNothingThere(HRESULT result, bool windows8) {
    return (result == E_FAIL && !windows8) || result == HRESULT_FROM_WIN32(ERROR_NO_ASSOCIATION) ||
           result == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) || result == HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
}

// Whether a command line starts the system's Open With program, the prompt to
// look for an app that Windows 8 and later name for a type nothing handles:
// the program's file name, quoted or not, with or without a path, in any case.
bool StartsOpenWith(const std::wstring& command) {
    std::size_t begin = command.find_first_not_of(L" \t");
    if (begin == std::wstring::npos) return false;
    const bool quoted = command[begin] == L'"';
    if (quoted) ++begin;
    const std::size_t end = quoted ? command.find(L'"', begin) : command.find_first_of(L" \t", begin);
    std::wstring program = command.substr(begin, end == std::wstring::npos ? end : end - begin);
    const std::size_t separator = program.find_last_of(L"\\/");
    if (separator != std::wstring::npos) program.erase(0, separator + 1);
    return lstrcmpiW(program.c_str(), L"OpenWith.exe") == 0;
}

// Whether a DelegateExecute object is the one behind that prompt
// (CLSID_ExecuteUnknown), which Windows names beside the Open With command.
bool IsOpenWithObject(const std::wstring& object) {
    CLSID id;
    return SUCCEEDED(CLSIDFromString(object.c_str(), &id)) && IsEqualCLSID(id, CLSID_ExecuteUnknown);
}

// ASSOCSTR_APPID, from Windows 8 on (the SDK declares it only for programs
// that require Windows 10): the identity of the packaged app registered for
// the scheme, which may have neither a command line nor a DelegateExecute
// object of its own.
constexpr ASSOCSTR kAssocStrAppId = static_cast<ASSOCSTR>(21);

// Whether a handler is registered for `link`'s scheme and `verb` (empty: the
// scheme's default verb, as ShellExecute takes it). A verb is carried out by a
// command line, by a DelegateExecute object (COM handlers) or, from Windows 8
// on, by a packaged app; any of them will do, and there is none only when
// every answer says so, or the only command line and object are the Open With
// prompt's. Unknown where the shell cannot be asked: no functions, no scheme,
// an answer of another kind.
Handler FindHandler(const ShellAssociations& shell, const std::wstring& link, const std::wstring& verb) {
    if (!shell.parseUrl || !shell.queryString) return Handler::Unknown;
    PARSEDURLW url{};
    url.cbSize = sizeof url;
    if (FAILED(shell.parseUrl(link.c_str(), &url))) return Handler::Unknown;
    const std::wstring scheme(url.pszProtocol, url.cchProtocol);
    // ASSOCF_INIT_IGNOREUNKNOWN: a type that nothing claims is not to be
    // answered by the "Unknown" class, whose command on Windows 8 and later
    // is the prompt to choose a program.
    const ASSOCF flags = ASSOCF_INIT_IGNOREUNKNOWN | (shell.windows8 ? kAssocIsProtocol : 0);
    const auto ask = [&](ASSOCSTR kind, wchar_t* text, DWORD* length) {
        return shell.queryString(flags, kind, scheme.c_str(), verb.empty() ? nullptr : verb.c_str(), text, length);
    };
    for (ASSOCSTR kind : {ASSOCSTR_COMMAND, ASSOCSTR_DELEGATEEXECUTE, kAssocStrAppId}) {
        if (kind == kAssocStrAppId && !shell.windows8) continue;
        DWORD length = 0;
        const HRESULT result = ask(kind, nullptr, &length);
        if (result == S_OK || result == S_FALSE) {  // S_FALSE: the length alone, as asked
            if (kind == kAssocStrAppId) return Handler::Registered;
            // The command line or the object's class itself, into a buffer of
            // the length given (terminator included); one that cannot be read
            // counts as a handler.
            std::wstring text(length, L'\0');
            if (length == 0 || ask(kind, &text[0], &length) != S_OK) return Handler::Registered;
            text.resize(wcslen(text.c_str()));
            if (kind == ASSOCSTR_COMMAND ? !StartsOpenWith(text) : !IsOpenWithObject(text)) return Handler::Registered;
            continue;
        }
        // A shell that does not know DelegateExecute objects or packaged apps (Wine) runs none either.
        if (kind != ASSOCSTR_COMMAND && result == E_NOTIMPL) continue;
        if (!SaysNothingThere(result, shell.windows8)) return Handler::Unknown;
    }
    return Handler::None;
}

}  // namespace

ShellExecuteAFunction BindShellExecuteA() {
    return DllFunction<ShellExecuteAFunction>(LoadSystemDll(L"shell32.dll"), "ShellExecuteA");
}

ShellAssociations BindShellAssociations() {
    const HMODULE shlwapi = LoadSystemDll(L"shlwapi.dll");
    return {DllFunction<ParseURLWFunction>(shlwapi, "ParseURLW"),
            DllFunction<AssocQueryStringWFunction>(shlwapi, "AssocQueryStringW"), IsWindows8OrGreater() != FALSE};
}

void ShellLinks::Execute(const ui::Form* owner, std::string_view operation, std::string_view file,
                         std::string_view parameters, std::string_view directory, ui::ShowCommand show) {
    if (!bound_) {
        function_ = bind_();
        associations_ = bindAssociations_();
        bound_ = true;
    }
    if (!function_) return;
    if (FindHandler(associations_, Widen(file), Widen(operation)) == Handler::None) return;
    const std::string op = ToAnsi(operation), target = ToAnsi(file), params = ToAnsi(parameters),
                      dir = ToAnsi(directory);
    const FormWindow* ownerWindow = owner ? windows_.WindowOf(*owner) : nullptr;
    function_(ownerWindow ? ownerWindow->Handle() : nullptr, op.c_str(), target.c_str(), params.c_str(), dir.c_str(),
              ShowCommandOf(show));
}

}  // namespace orvanta::win32
