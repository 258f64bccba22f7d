# Native builds take GoogleTest from the system; cross builds compile its
# sources (Debian ships them under /usr/src/googletest) with the cross compiler.
if(CMAKE_CROSSCOMPILING)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  # What the win32-thread compilers lack, given to GoogleTest through its own
  # place for a build's definitions (cmake/googletest_port). GoogleTest names
  # that header in quotes, so a quote folder comes before all of its own.
  target_compile_options(gtest PUBLIC "SHELL:-iquote ${CMAKE_SOURCE_DIR}/cmake/googletest_port")
  target_sources(gtest PRIVATE ${CMAKE_SOURCE_DIR}/cmake/googletest_port/notification.cpp)
  # googletest's own build already defines the GTest:: aliases.
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)
