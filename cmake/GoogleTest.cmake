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

# One CTest test per GoogleTest test natively. Under Wine, where each process
# takes seconds to start, one CTest test per program: tests/suite_runner.py
# runs all its tests in one process (a new one after a test that ends it),
# names each test that failed and counts them for scripts/test.
function(orvanta_add_gtests target)
  if(CMAKE_CROSSCOMPILING)
    find_package(Python3 REQUIRED COMPONENTS Interpreter)
    add_test(NAME ${target}
      COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tests/suite_runner.py
              --counts ${CMAKE_BINARY_DIR}/suite-counts/${target}.txt -- ${CMAKE_CROSSCOMPILING_EMULATOR}
              $<TARGET_FILE:${target}>)
    set_tests_properties(${target} PROPERTIES LABELS wine TIMEOUT 1800)
  else()
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST)
  endif()
endfunction()
