#include "about_picture.h"

#include <ocidl.h>
#include <olectl.h>

#include "dll_function.h"
#include "dll_search.h"

namespace orvanta::win32 {

namespace {

// The picture's decoder is loaded only when a picture is first needed, so
// that starting the program does not pay for it. It may be a COM object: the
// toolkit has made the thread a single-threaded apartment at start-up.
struct OleFunctions {
    HRESULT(WINAPI* createStreamOnHGlobal)(HGLOBAL, BOOL, LPSTREAM*) = nullptr;
    HRESULT(WINAPI* oleLoadPicture)(LPSTREAM, LONG, BOOL, REFIID, LPVOID*) = nullptr;
};

const OleFunctions& Ole() {
    static const OleFunctions functions = [] {
        OleFunctions f;
        HMODULE ole32 = LoadSystemDll(L"ole32.dll");
        HMODULE oleaut32 = LoadSystemDll(L"oleaut32.dll");
        f.createStreamOnHGlobal = DllFunction<decltype(f.createStreamOnHGlobal)>(ole32, "CreateStreamOnHGlobal");
        f.oleLoadPicture = DllFunction<decltype(f.oleLoadPicture)>(oleaut32, "OleLoadPicture");
        return f;
    }();
    return functions;
}

}  // namespace

ResourcePicture::ResourcePicture(int resourceId) {
    const OleFunctions& ole = Ole();
    if (!ole.createStreamOnHGlobal || !ole.oleLoadPicture) return;
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), RT_RCDATA);
    if (!found) return;
    const DWORD size = SizeofResource(module, found);
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || size == 0) return;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy) return;
    void* target = GlobalLock(copy);
    if (!target) {
        GlobalFree(copy);
        return;
    }
    CopyMemory(target, bytes, size);
    GlobalUnlock(copy);
    IStream* stream = nullptr;
    if (FAILED(ole.createStreamOnHGlobal(copy, TRUE, &stream))) {
        GlobalFree(copy);
        return;
    }
    if (FAILED(ole.oleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                                  reinterpret_cast<void**>(&picture_))))
        picture_ = nullptr;
    stream->Release();
}

ResourcePicture::~ResourcePicture() {
    if (picture_) picture_->Release();
}

// Shrunk with halftone stretching, which averages the picture's pixels over
// each pixel drawn; the device context's default mode would AND the dropped
// ones together into dark lines.
void ResourcePicture::Draw(HDC dc, const RECT& target) const {
    OLE_HANDLE handle = 0;
    if (!picture_ || FAILED(picture_->get_Handle(&handle))) return;
    const auto bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    BITMAP size{};
    HDC source = CreateCompatibleDC(dc);
    if (!source) return;
    if (GetObjectW(bitmap, sizeof size, &size)) {
        const HGDIOBJ old = SelectObject(source, bitmap);
        const int saved = SaveDC(dc);
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);  // as halftone stretching asks
        StretchBlt(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, source, 0, 0,
                   size.bmWidth, size.bmHeight, SRCCOPY);
        RestoreDC(dc, saved);
        SelectObject(source, old);
    }
    DeleteDC(source);
}

}  // namespace orvanta::win32
