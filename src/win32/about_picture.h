// The About picture: a JPEG kept as a resource, decoded by the platform and
// drawn stretched to a rectangle.
#pragma once

#include <windows.h>

struct IPicture;

namespace orvanta::win32 {

class ResourcePicture {
public:
    explicit ResourcePicture(int resourceId);
    ~ResourcePicture();
    ResourcePicture(const ResourcePicture&) = delete;
    ResourcePicture& operator=(const ResourcePicture&) = delete;

    bool Loaded() const { return picture_ != nullptr; }
    void Draw(HDC dc, const RECT& target) const;

private:
    IPicture* picture_ = nullptr;
};

}  // namespace orvanta::win32
