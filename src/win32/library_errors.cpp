// How the C++ library's containers and strings report a misuse (a length
// beyond max_size(), a position past the end, a string made from a null
// pointer) in the Windows programs.
//
// The library's inline code calls these functions; its own definitions, all
// in one member of the static library, construct std::length_error,
// std::out_of_range and their siblings, each of which keeps a
// reference-counted copy of its message, so that linking any of them links
// every such class with the old string implementation behind them (about
// 20 KB of the 32-bit program). Defined here, the library's member is never
// linked.
//
// Nothing in Orvanta catches these kinds by type: a callback's guard tells
// the user of a lack of memory (std::bad_alloc) and of any other failure
// alike. So the memory and type failures are thrown as the library throws
// them, and the rest as one LibraryError with the library's own message.
#include <exception>
#include <new>
#include <typeinfo>

namespace {

class LibraryError : public std::exception {
public:
    explicit LibraryError(const char* message) noexcept : message_(message) {}
    const char* what() const noexcept override { return message_; }

private:
    const char* message_;  // one of the library's literals
};

}  // namespace

namespace std {

void __throw_bad_exception() { throw bad_exception(); }
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_typeid() { throw bad_typeid(); }
void __throw_logic_error(const char* message) { throw LibraryError(message); }
void __throw_domain_error(const char* message) { throw LibraryError(message); }
void __throw_invalid_argument(const char* message) { throw LibraryError(message); }
void __throw_length_error(const char* message) { throw LibraryError(message); }
void __throw_out_of_range(const char* message) { throw LibraryError(message); }
// The message is the format, without the numbers it would be filled with.
void __throw_out_of_range_fmt(const char* format, ...) { throw LibraryError(format); }
void __throw_runtime_error(const char* message) { throw LibraryError(message); }
void __throw_range_error(const char* message) { throw LibraryError(message); }
void __throw_overflow_error(const char* message) { throw LibraryError(message); }
void __throw_underflow_error(const char* message) { throw LibraryError(message); }

}  // namespace std
