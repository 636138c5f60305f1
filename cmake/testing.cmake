# Registers test programs with ctest.
# Cross-built test programs run under Wine through tools/wine-run.sh (the crosscompiling
# emulator). This machine's Wine is 64-bit (its kernel executes no 32-bit code), so they are
# registered in the 64-bit build; the 32-bit build compiles them and checks its program file.
if(WIN32)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tools/wine-run.sh
      --build-dir ${PROJECT_BINARY_DIR} --)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(DIALWRIGHT_WINE_TESTS ON)
  else()
    set(DIALWRIGHT_WINE_TESTS OFF)
  endif()
endif()

function(dialwright_add_test target)
  if(WIN32 AND NOT DIALWRIGHT_WINE_TESTS)
    return()
  endif()
  add_test(NAME ${target} COMMAND ${target} ${ARGN})
  if(WIN32)
    # One Wine prefix per build: its tests run one at a time.
    set_tests_properties(${target} PROPERTIES RESOURCE_LOCK wine TIMEOUT 600)
  else()
    set_tests_properties(${target} PROPERTIES TIMEOUT 300)
  endif()
endfunction()
