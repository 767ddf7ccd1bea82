# Helpers shared by every directory of the tree.

# tarvo_test(<name> SOURCES ... [LIBS ...] [MAIN <target>] [PREFIX <test name prefix>])
# A GoogleTest program run under Wine; each test case becomes one ctest test.
function(tarvo_test name)
  cmake_parse_arguments(T "" "MAIN;TIMEOUT;PREFIX" "SOURCES;LIBS" ${ARGN})
  if(NOT TARVO_BUILD_TESTS)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  if(NOT T_MAIN)
    set(T_MAIN gtest_main)
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} ${T_MAIN} gtest gmock)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    gtest_discover_tests(${name}
      DISCOVERY_MODE PRE_TEST
      NO_PRETTY_VALUES NO_PRETTY_TYPES
      TEST_PREFIX "${T_PREFIX}"
      DISCOVERY_TIMEOUT 60
      PROPERTIES TIMEOUT ${T_TIMEOUT}
      WORKING_DIRECTORY $<TARGET_FILE_DIR:${name}>)
  endif()
endfunction()
