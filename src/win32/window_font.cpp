#include "window_font.h"

#include <utility>
#include <vector>

namespace orvanta::win32 {

namespace {

int CALLBACK NoteFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM faces) {
    if (font->lfFaceName[0] != L'@') reinterpret_cast<std::vector<std::wstring>*>(faces)->push_back(font->lfFaceName);
    return 1;
}

// Every installed face in the GB2312 character set, from one enumeration.
std::vector<std::wstring> Gb2312Faces() {
    LOGFONTW query{};
    query.lfCharSet = GB2312_CHARSET;
    std::vector<std::wstring> faces;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &query, NoteFace, reinterpret_cast<LPARAM>(&faces), 0);
    ReleaseDC(nullptr, screen);
    return faces;
}

std::wstring ChooseFace() {
    // 宋体 first, then faces of the same kind, then any with Chinese coverage.
    static const wchar_t* const preferred[] = {
        L"宋体", L"SimSun", L"新宋体", L"NSimSun", L"AR PL UMing CN",
        L"微软雅黑", L"Microsoft YaHei", L"WenQuanYi Micro Hei", L"WenQuanYi Zen Hei",
        L"Noto Sans CJK SC",
    };
    const std::vector<std::wstring> installed = Gb2312Faces();
    for (const wchar_t* name : preferred)
        for (const std::wstring& face : installed)
            if (lstrcmpiW(face.c_str(), name) == 0) return face;
    return installed.empty() ? std::wstring(preferred[0]) : installed.front();
}

}  // namespace

const std::wstring& ChineseFaceName() {
    static const std::wstring face = ChooseFace();
    return face;
}

WindowFont::WindowFont(int pointSize, int dpi, bool underline) {
    font_ = CreateFontW(-MulDiv(pointSize, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, underline, FALSE, GB2312_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                        ChineseFaceName().c_str());
}

WindowFont::~WindowFont() {
    if (font_) DeleteObject(font_);
}

WindowFont& WindowFont::operator=(WindowFont&& other) noexcept {
    std::swap(font_, other.font_);
    return *this;
}

}  // namespace orvanta::win32
