# GoogleTest is built from Debian's sources for both the native and the cross build,
# so that both use exactly the compiler and flags of the code under test.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)
if(WIN32)
  # The win32 thread model of MinGW has no std::mutex, which GoogleTest's Notification needs.
  target_compile_options(gtest PUBLIC
    "SHELL:-include ${PROJECT_SOURCE_DIR}/tests/support/gtest_win32_notification.h")
endif()
