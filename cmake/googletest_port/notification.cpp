// GoogleTest's Notification on a Windows event, where the C++ library has no
// threads of its own (gtest/internal/custom/gtest-port.h).
#include "gtest/internal/gtest-port.h"

#if GTEST_HAS_NOTIFICATION_
#include <windows.h>

namespace testing {
namespace internal {

Notification::Notification() : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    GTEST_CHECK_(event_ != nullptr) << "CreateEvent failed: " << GetLastError();
}

Notification::~Notification() { CloseHandle(event_); }

void Notification::Notify() { SetEvent(event_); }

void Notification::WaitForNotification() {
    GTEST_CHECK_(WaitForSingleObject(event_, INFINITE) == WAIT_OBJECT_0) << "waiting failed: " << GetLastError();
}

}  // namespace internal
}  // namespace testing
#endif
