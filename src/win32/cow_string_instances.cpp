// The program's own copy of the C++ library's reference-counted string, in
// which the library's exception classes (std::length_error and its
// siblings) keep their messages; string_instances.cpp says why.
#include <string>

template class std::basic_string<char>;
