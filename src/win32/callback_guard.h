// No C++ exception may unwind through Windows' own frames (a window
// procedure, a subclass procedure, an enumeration callback): every callback
// of the program runs its work through Guarded, which ends a failure there
// and tells the user.
#pragma once

#include <windows.h>

#include <new>

namespace orvanta::win32 {

enum class Failure { OutOfMemory, Unexpected };

// Tells the user, in a message box over `owner`, that the action failed and
// nothing else changed. A failure while that box is up is not told again.
void ReportFailure(HWND owner, Failure failure) noexcept;

// Runs `work()` and returns its result; if it throws, reports the failure
// and returns `onFailure`.
template <typename Result, typename Work>
Result Guarded(HWND owner, Result onFailure, Work&& work) noexcept {
    try {
        return work();
    } catch (const std::bad_alloc&) {
        ReportFailure(owner, Failure::OutOfMemory);
    } catch (...) {
        ReportFailure(owner, Failure::Unexpected);
    }
    return onFailure;
}

}  // namespace orvanta::win32
