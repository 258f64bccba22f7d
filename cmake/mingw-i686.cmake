# Cross build for 32-bit Windows (i686), the shipped program.
set(ORVANTA_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
