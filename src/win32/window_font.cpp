#include "window_font.h"

#include <utility>
#include <vector>

namespace orvanta::win32 {

namespace {

// An enumeration callback: no exception may unwind through GDI, so a face
// that cannot be noted ends the enumeration with what was found so far.
int CALLBACK NoteFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM faces) {
    try {
        if (font->lfFaceName[0] != L'@')
            reinterpret_cast<std::vector<std::wstring>*>(faces)->push_back(font->lfFaceName);
        return 1;
    } catch (...) {
        return 0;
    }
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
    // 宋体 first. Where it is missing, a face whose Latin letters and digits
    // are as solid as its Chinese at 9 points (the numbers are what this
    // window is about), before the Song-style stand-ins, whose Latin strokes
    // are hairlines at that size. Faces are enumerated under their local
    // name on a Chinese system, so both names are listed.
    static const wchar_t* const preferred[] = {
        L"宋体", L"SimSun", L"新宋体", L"NSimSun",
        L"微软雅黑", L"Microsoft YaHei", L"文泉驿微米黑", L"WenQuanYi Micro Hei",
        L"文泉驿正黑", L"WenQuanYi Zen Hei", L"Noto Sans CJK SC", L"AR PL UMing CN",
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
