# Registers test programs with ctest.
# Cross-built test programs run under Wine through tools/wine-run.sh (the crosscompiling
# emulator), in a prefix of the build's own kind: both the win32 build and its 64-bit twin
# register them, and `make test` runs those of the build that this machine can run
# (tools/wine-arch.sh). Their label names the build, so ctest's summary says which ran.
if(WIN32)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(DIALWRIGHT_WINE_ARCH win32)
  else()
    set(DIALWRIGHT_WINE_ARCH win64)
  endif()
  file(WRITE ${PROJECT_BINARY_DIR}/wine-arch "${DIALWRIGHT_WINE_ARCH}\n")
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tools/wine-run.sh
      --build-dir ${PROJECT_BINARY_DIR} --)
  set(DIALWRIGHT_WINE_LABEL wine-${DIALWRIGHT_WINE_ARCH})
endif()

function(dialwright_add_test target)
  add_test(NAME ${target} COMMAND ${target} ${ARGN})
  if(WIN32)
    dialwright_wine_test_properties(${target})
  else()
    set_tests_properties(${target} PROPERTIES TIMEOUT 300)
  endif()
endfunction()

# One Wine prefix per build: its tests run one at a time.
function(dialwright_wine_test_properties test)
  set_tests_properties(${test} PROPERTIES RESOURCE_LOCK wine TIMEOUT 600
                       LABELS ${DIALWRIGHT_WINE_LABEL})
endfunction()

# The same test of the shipped 32-bit file once more as a 64-bit Windows runs it: under WoW64,
# in a 64-bit prefix of its own (tools/wine-run.sh), labelled wine-WoW64. Only the win32 build
# has such a run; `make test` asks for it where 64-bit Wine runs too (tools/wine-arch.sh).
function(dialwright_add_wow64_run test)
  if(NOT DIALWRIGHT_WINE_ARCH STREQUAL "win32")
    return()
  endif()
  get_test_property(${test} ENVIRONMENT environment)
  if(NOT environment)
    set(environment "")
  endif()
  # The command: the same program with the same arguments.
  add_test(NAME ${test}_WoW64 COMMAND ${ARGN})
  set_tests_properties(${test}_WoW64 PROPERTIES RESOURCE_LOCK wine TIMEOUT 600 LABELS wine-WoW64
                       ENVIRONMENT "${environment};DIALWRIGHT_WINE_WOW64=1")
endfunction()

# Checks of the program file itself, without Wine: every Windows build runs them.
function(dialwright_add_file_check name)
  add_test(NAME ${name} COMMAND ${ARGN})
  set_tests_properties(${name} PROPERTIES LABELS program-file)
endfunction()
