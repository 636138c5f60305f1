# Turns the provider's cache variables into a header of wide-string constants.
function(dialwright_wide_literal out value)
  string(REPLACE "\\" "\\\\" value "${value}")
  string(REPLACE "\"" "\\\"" value "${value}")
  set(${out} "L\"${value}\"" PARENT_SCOPE)
endfunction()

dialwright_wide_literal(DIALWRIGHT_PROVIDER_NAME_LITERAL "${DIALWRIGHT_PROVIDER_NAME}")
dialwright_wide_literal(DIALWRIGHT_SITE_ADDRESS_LITERAL "${DIALWRIGHT_SITE_ADDRESS}")
dialwright_wide_literal(DIALWRIGHT_DEFAULT_SITE_ADDRESS_LITERAL "${DIALWRIGHT_DEFAULT_SITE_ADDRESS}")
dialwright_wide_literal(DIALWRIGHT_VPN_SERVER_LITERAL "${DIALWRIGHT_VPN_SERVER}")
dialwright_wide_literal(DIALWRIGHT_TUNNEL_LITERAL "${DIALWRIGHT_TUNNEL}")
# DIALWRIGHT_PRE_SHARED_KEY_LITERAL: made by the values' check (cmake/provider.cmake).

# The shipped files' names, in one place: the targets' files are named after them, the code
# reads them from the header below and the scripts from the build folder's shipped-files.
set(DIALWRIGHT_PROGRAM_NAME "Dialwright VPN ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
set(DIALWRIGHT_CHECK_NAME "Dialwright check")
file(WRITE ${PROJECT_BINARY_DIR}/shipped-files "${DIALWRIGHT_PROGRAM_NAME}.exe\n${DIALWRIGHT_CHECK_NAME}.exe\n")

# "1.00.0022": the major version, the minor in two digits, the revision in four.
set(minor_padded "0${PROJECT_VERSION_MINOR}")
string(LENGTH "${minor_padded}" length)
math(EXPR start "${length} - 2")
string(SUBSTRING "${minor_padded}" ${start} 2 minor_padded)
set(revision_padded "000${PROJECT_VERSION_TWEAK}")
string(LENGTH "${revision_padded}" length)
math(EXPR start "${length} - 4")
string(SUBSTRING "${revision_padded}" ${start} 4 revision_padded)
set(dialwright_version_text "${PROJECT_VERSION_MAJOR}.${minor_padded}.${revision_padded}")

configure_file(${CMAKE_CURRENT_LIST_DIR}/build_settings.h.in
               ${PROJECT_BINARY_DIR}/generated/app/build_settings.h @ONLY)
add_library(dialwright_settings STATIC ${PROJECT_SOURCE_DIR}/app/settings.cpp)
target_include_directories(dialwright_settings PUBLIC ${PROJECT_BINARY_DIR}/generated)
dialwright_headers(dialwright_settings PUBLIC app/settings.h)
dialwright_warnings(dialwright_settings)
