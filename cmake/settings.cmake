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

configure_file(${CMAKE_CURRENT_LIST_DIR}/build_settings.h.in
               ${PROJECT_BINARY_DIR}/generated/app/build_settings.h @ONLY)
add_library(dialwright_settings STATIC ${PROJECT_SOURCE_DIR}/app/settings.cpp)
target_include_directories(dialwright_settings PUBLIC ${PROJECT_BINARY_DIR}/generated)
dialwright_headers(dialwright_settings PUBLIC app/settings.h)
dialwright_warnings(dialwright_settings)
