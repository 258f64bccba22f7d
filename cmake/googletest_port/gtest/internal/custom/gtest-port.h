// What this build gives GoogleTest itself: GoogleTest takes this header from
// the include path as its place for a build's own definitions (its
// gtest/internal/custom/README.md), ahead of its own empty one.
//
// On Windows GoogleTest synchronises its threads with Windows' own mutexes
// and thread-local storage, but for one class, Notification (a thread waits
// until another lets it start), which takes std::mutex and
// std::condition_variable. The win32-thread model of mingw-w64's GCC 12
// has neither; there Notification is a Windows event (notification.cpp).
#ifndef ORVANTA_GTEST_CUSTOM_PORT_H_
#define ORVANTA_GTEST_CUSTOM_PORT_H_

#include <cstddef>  // the library's configuration: whether it has its threads

#if defined(_WIN32) && !defined(_GLIBCXX_HAS_GTHREADS)
#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
public:
    Notification();
    ~Notification();
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    // Lets every thread that waits, or will wait, go on. From the controlling thread.
    void Notify();
    // Waits until Notify has been called.
    void WaitForNotification();

private:
    void* event_;  // a manual-reset event
};

}  // namespace internal
}  // namespace testing
#endif

#endif  // ORVANTA_GTEST_CUSTOM_PORT_H_
