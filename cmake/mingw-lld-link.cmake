# The link rule of the Windows builds, read after CMake's own rules for
# mingw-w64 (cmake/mingw.cmake names it as CMAKE_USER_MAKE_RULES_OVERRIDE_CXX,
# since CMake's Windows-GNU rules would replace a rule set in the toolchain).
#
# GCC compiles; lld links, through clang's MinGW driver: Debian's mingw-w64
# GCC always runs GNU ld, whose default script keeps every unwind table of a
# 32-bit program, and with each table the function it describes, so that
# --gc-sections drops almost nothing from the C++ library. lld drops the
# tables with their functions (and takes none whose section has no symbol:
# src/win32/string_instances.cpp).
#
# The driver is given GCC's own library folder twice: -L for GCC's libraries
# (libstdc++, libgcc), -B for its start and end files. Without -B clang takes
# the mingw-w64 runtime's crtbegin.o, which registers no unwind tables, and a
# 32-bit program aborts at its first exception. The win32-thread compilers'
# libstdc++ and libgcc call Windows for their threads, so no thread library
# is named.
#
# CMake keeps the compiler a build folder was first configured with: a folder
# made with other compilers (the posix-thread ones, say) is refused here
# rather than linked without the thread library their runtime calls.
get_filename_component(ORVANTA_CXX_NAME ${CMAKE_CXX_COMPILER} NAME)
if(NOT ORVANTA_CXX_NAME STREQUAL ORVANTA_MINGW_CXX)
  message(FATAL_ERROR "${CMAKE_BINARY_DIR} was configured with ${CMAKE_CXX_COMPILER}, "
    "and the Windows builds use ${ORVANTA_MINGW_CXX}: configure it afresh (cmake --preset NAME --fresh, "
    "or delete the folder).")
endif()
find_program(ORVANTA_CLANGXX clang++ REQUIRED)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-libgcc-file-name
  OUTPUT_VARIABLE ORVANTA_LIBGCC OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
get_filename_component(ORVANTA_GCC_LIBRARY_DIR ${ORVANTA_LIBGCC} DIRECTORY)
set(CMAKE_CXX_LINK_EXECUTABLE
  "${ORVANTA_CLANGXX} --target=${ORVANTA_MINGW_TRIPLET} -fuse-ld=lld -B${ORVANTA_GCC_LIBRARY_DIR} -L${ORVANTA_GCC_LIBRARY_DIR} <FLAGS> <CMAKE_CXX_LINK_FLAGS> <LINK_FLAGS> <OBJECTS> -o <TARGET> -Wl,--out-implib,<TARGET_IMPLIB> ${CMAKE_GNULD_IMAGE_VERSION} <LINK_LIBRARIES>")
