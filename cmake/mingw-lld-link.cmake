# The link rule of the Windows builds, read after CMake's own rules for
# mingw-w64 (cmake/mingw.cmake names it as CMAKE_USER_MAKE_RULES_OVERRIDE_CXX,
# since CMake's Windows-GNU rules would replace a rule set in the toolchain).
#
# GCC compiles; lld links, through clang's MinGW driver: Debian's mingw-w64
# GCC always runs GNU ld, whose default script keeps every unwind table of a
# 32-bit program, and with each table the function it describes, so that
# --gc-sections drops almost nothing from the C++ library. lld drops the
# tables with their functions.
#
# The driver is given GCC's own library folder twice: -L for GCC's libraries
# (libstdc++, libgcc), -B for its start and end files. Without -B clang takes
# the mingw-w64 runtime's crtbegin.o, which registers no unwind tables, and a
# 32-bit program aborts at its first exception. The win32-thread compilers'
# libstdc++ and libgcc call Windows for their threads, so no thread library
# is named.
find_program(ORVANTA_CLANGXX clang++ REQUIRED)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-libgcc-file-name
  OUTPUT_VARIABLE ORVANTA_LIBGCC OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
get_filename_component(ORVANTA_GCC_LIBRARY_DIR ${ORVANTA_LIBGCC} DIRECTORY)
set(CMAKE_CXX_LINK_EXECUTABLE
  "${ORVANTA_CLANGXX} --target=${ORVANTA_MINGW_TRIPLET} -fuse-ld=lld -B${ORVANTA_GCC_LIBRARY_DIR} -L${ORVANTA_GCC_LIBRARY_DIR} <FLAGS> <CMAKE_CXX_LINK_FLAGS> <LINK_FLAGS> <OBJECTS> -o <TARGET> -Wl,--out-implib,<TARGET_IMPLIB> ${CMAKE_GNULD_IMAGE_VERSION} <LINK_LIBRARIES>")
