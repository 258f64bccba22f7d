// What the program's windows share, held by the toolkit: the program's
// module, its icon at each size and its hand cursor, and what the system
// reports.
#pragma once

#include <windows.h>

#include "system_reports.h"

namespace orvanta::win32 {

class WindowResources {
public:
    virtual HINSTANCE Instance() const = 0;
    // The application icon for a window at `dpi`: the task bar's, or the
    // title bar's (small), picked from its images for that size.
    virtual HICON ApplicationIcon(int dpi, bool small) const = 0;
    // The small icon that goes with `big`, an application icon.
    virtual HICON SmallIconFor(HICON big) const = 0;
    virtual HCURSOR HandCursor() const = 0;
    virtual const SystemReports& System() const = 0;

protected:
    ~WindowResources() = default;
};

}  // namespace orvanta::win32
