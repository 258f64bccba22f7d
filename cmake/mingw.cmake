# Cross build for Windows with the win32-thread mingw-w64 compilers, for the
# architecture that the including toolchain file names in ORVANTA_MINGW_ARCH
# (mingw-i686.cmake, mingw-x86_64.cmake).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${ORVANTA_MINGW_ARCH})
set(ORVANTA_MINGW_TRIPLET ${ORVANTA_MINGW_ARCH}-w64-mingw32)
# Their C++ runtime takes its threads, locks and thread-local storage from
# Windows itself; the posix-thread compilers' runtime takes them from
# winpthread, which every program would carry (about 27 KB of the 32-bit
# one). Tests and program share one set: GoogleTest is given the one class
# it would take from std::mutex (cmake/GoogleTest.cmake).
set(ORVANTA_MINGW_CXX ${ORVANTA_MINGW_TRIPLET}-g++-win32)
set(CMAKE_C_COMPILER ${ORVANTA_MINGW_TRIPLET}-gcc-win32)
set(CMAKE_CXX_COMPILER ${ORVANTA_MINGW_CXX})
set(CMAKE_RC_COMPILER ${ORVANTA_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ORVANTA_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Test programs run through Wine; the wrapper picks the prefix and display.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec)
# Every program and DLL links statically: it needs no DLL but Windows' own. Its
# header keeps the values mingw-w64 programs have always had, where lld's own
# would differ: 2 MiB reserved for the main thread's stack (lld: 1 MiB), and
# subsystem version 4.0 for 32-bit, 5.2 for 64-bit (lld: 6.0; Windows reports
# window frames differently to programs made for 6.0 or later).
if(ORVANTA_MINGW_ARCH STREQUAL "i686")
  set(subsystem_major 4)
  set(subsystem_minor 0)
else()
  set(subsystem_major 5)
  set(subsystem_minor 2)
endif()
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--stack,0x200000 \
-Wl,--major-subsystem-version,${subsystem_major} -Wl,--minor-subsystem-version,${subsystem_minor}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT -static)
# lld links every program (see mingw-lld-link.cmake).
set(CMAKE_USER_MAKE_RULES_OVERRIDE_CXX ${CMAKE_CURRENT_LIST_DIR}/mingw-lld-link.cmake)
