# One INTERFACE target carries the language level, warnings and defines every
# Corvanta target shares; nobody edits the global flags.
add_library(corvanta_settings INTERFACE)
target_compile_features(corvanta_settings INTERFACE cxx_std_20)
target_compile_options(corvanta_settings INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(corvanta_settings INTERFACE
  QT_NO_KEYWORDS            # signals/slots/emit collide with ICU and std names
  QT_NO_CAST_FROM_ASCII     # every user-visible text goes through QStringLiteral/tr
)

# corvanta_add_test(<name> [QT] SOURCES ... LIBS ...): one GoogleTest program per test file.
# With QT the program runs under a QApplication (offscreen) in a temporary home
# (tests/support/QtTestMain.cpp); without it, plain gtest_main.
function(corvanta_add_test name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(ARG_QT)
    target_link_libraries(${name} PRIVATE corvanta_settings ${ARG_LIBS} corvanta_test_support)
  else()
    target_link_libraries(${name} PRIVATE corvanta_settings ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  endif()
  # Tests never touch the user's data or settings, and always format the same way.
  # (gtest_discover_tests would split a list given in PROPERTIES and keep only its first
  # variable, so the environment is set on the discovered tests by an include file.)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 TEST_LIST ${name}_TESTS)
  set(environment_file "${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake")
  file(WRITE "${environment_file}" "if(${name}_TESTS)
  set_tests_properties(\${${name}_TESTS} PROPERTIES ENVIRONMENT \"LANG=en_US.UTF-8;LC_ALL=en_US.UTF-8;QT_QPA_PLATFORM=offscreen;TZ=America/Toronto\")
endif()
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${environment_file}")
endfunction()

# corvanta_add_bench(<name> SOURCES ... LIBS ...): one Google Benchmark program.
function(corvanta_add_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE corvanta_settings ${ARG_LIBS} benchmark::benchmark)
  set_property(GLOBAL APPEND PROPERTY CORVANTA_BENCH_PROGRAMS ${name})
endfunction()
