# Compiles the provider's banner (cmake/provider.cmake) into the application as data: the
# window's definition holds the banner. A change of the image reconfigures the build.
set(banner_file ${DIALWRIGHT_BANNER_FILE})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${banner_file})
file(READ ${banner_file} banner_hex HEX)
string(LENGTH "${banner_hex}" banner_hex_length)
math(EXPR banner_size "${banner_hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," banner_bytes "${banner_hex}")
string(REPEAT "0x[0-9a-f][0-9a-f]," 16 sixteen_bytes)
string(REGEX REPLACE "(${sixteen_bytes})" "\\1\n" banner_bytes "${banner_bytes}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/main_window_banner_data.cpp.in
               ${PROJECT_BINARY_DIR}/generated/app/main_window_banner_data.cpp @ONLY)
target_sources(dialwright_app PRIVATE ${PROJECT_BINARY_DIR}/generated/app/main_window_banner_data.cpp)
