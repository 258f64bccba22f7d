#include "about_picture.h"

#include <ocidl.h>
#include <olectl.h>

#include "dll_function.h"

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
        HMODULE ole32 = LoadLibraryW(L"ole32.dll");
        HMODULE oleaut32 = LoadLibraryW(L"oleaut32.dll");
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

void ResourcePicture::Draw(HDC dc, const RECT& target) const {
    if (!picture_) return;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture_->get_Width(&width);
    picture_->get_Height(&height);
    // The picture's own coordinates run bottom-up in HIMETRIC.
    picture_->Render(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, 0, height,
                     width, -height, nullptr);
}

}  // namespace orvanta::win32
