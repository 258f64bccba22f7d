# Cross build for Windows with the posix-thread mingw-w64 compilers, for the
# architecture that the including toolchain file names in ORVANTA_MINGW_ARCH
# (mingw-i686.cmake, mingw-x86_64.cmake).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${ORVANTA_MINGW_ARCH})
set(ORVANTA_MINGW_TRIPLET ${ORVANTA_MINGW_ARCH}-w64-mingw32)
# The posix-thread compilers build GoogleTest; the win32-thread ones (GCC 12)
# lack std::mutex, which its headers need. Tests and program share one set.
set(CMAKE_C_COMPILER ${ORVANTA_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVANTA_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ORVANTA_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ORVANTA_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Test programs run through Wine; the wrapper picks the prefix and display.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec)
# Every program links statically: it needs no DLL but Windows' own.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# A link with --gc-sections also drops the unwind tables of the functions it
# drops (see gc_unwind_link.py); other links run as they are.
set(CMAKE_CXX_LINKER_LAUNCHER python3 ${CMAKE_CURRENT_LIST_DIR}/gc_unwind_link.py)
