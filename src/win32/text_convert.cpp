#include "text_convert.h"

#include <windows.h>

namespace orvanta::win32 {

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

namespace {

std::string FromWide(UINT codePage, std::wstring_view utf16) {
    if (utf16.empty()) return {};
    const int n = WideCharToMultiByte(codePage, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, utf16.data(), static_cast<int>(utf16.size()), out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace

std::string Narrow(std::wstring_view utf16) { return FromWide(CP_UTF8, utf16); }

std::string ToAnsi(std::string_view utf8) { return FromWide(CP_ACP, Widen(utf8)); }

}  // namespace orvanta::win32
