// The program's own copies of the C++ library's two string classes.
//
// The library ships its instances of std::string and std::wstring compiled
// in, and its headers tell every program to use those. In the 32-bit library
// that Debian ships, the unwind table of each of those functions lies in a
// section of its own (.eh_frame$NAME, beside the function's .text$NAME) that
// has no symbol: the library was stripped of the symbols nothing refers to,
// and those sections' own symbols went with them. lld, which links the
// Windows programs, ties such a section to its function only through that
// symbol, and drops it: the function is kept and its table is not, so an
// exception that had to pass through one of them (std::bad_alloc while a
// string grows, say) would find no table and end the program instead of
// reaching the guard that tells the user. Instantiated here, the functions
// the program calls come with their tables, and lld keeps a table exactly
// when it keeps its function. cow_string_instances.cpp does the same for the
// reference-counted string of the library's exception classes.
//
// tests/program/check_unwind_tables.py reads the program's link map and
// fails for any function kept without its table, so the loss cannot come
// back unnoticed, here or in another part of the library. These copies can
// go once that check passes without them: with a library whose sections
// keep their symbols, or an lld that ties a .eh_frame$NAME section to
// .text$NAME by its name.
#include <string>

template class std::basic_string<char>;
template class std::basic_string<wchar_t>;
