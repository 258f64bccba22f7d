#include "window_font.h"

#include <utility>

namespace orvanta::win32 {

namespace {

int CALLBACK NoteFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM found) {
    auto* face = reinterpret_cast<std::wstring*>(found);
    if (face->empty() && font->lfFaceName[0] != L'@') *face = font->lfFaceName;
    return face->empty() ? 1 : 0;
}

// The first installed face of `name` (empty: any face) in the GB2312 character set.
std::wstring FindGb2312Face(const wchar_t* name) {
    LOGFONTW query{};
    query.lfCharSet = GB2312_CHARSET;
    lstrcpynW(query.lfFaceName, name, LF_FACESIZE);
    std::wstring found;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &query, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

std::wstring ChooseFace() {
    static const wchar_t* const preferred[] = {
        L"\x5B8B\x4F53",  // 宋体
        L"SimSun", L"\x65B0\x5B8B\x4F53", L"NSimSun", L"\x5FAE\x8F6F\x96C5\x9ED1", L"Microsoft YaHei",
        L"AR PL UMing CN", L"WenQuanYi Micro Hei", L"WenQuanYi Zen Hei", L"Noto Sans CJK SC",
    };
    for (const wchar_t* name : preferred)
        if (std::wstring face = FindGb2312Face(name); !face.empty()) return face;
    if (std::wstring any = FindGb2312Face(L""); !any.empty()) return any;
    return preferred[0];
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
