// The program's own copies of the C++ library's two string classes.
//
// The library ships its instances of std::string and std::wstring compiled
// in, and its headers tell every program to use those. In the 32-bit
// library that Debian ships, the unwind table of each of those functions
// lies in a section that has no symbol, and lld, which links the Windows
// programs, drops such sections: an exception that had to pass through one
// of them (std::bad_alloc while a string grows, say) would find no table and
// end the program instead of reaching the guard that tells the user.
// Instantiated here, the functions the program calls come with their
// tables, and lld keeps a table exactly when it keeps its function.
#include <string>

template class std::basic_string<char>;
template class std::basic_string<wchar_t>;
