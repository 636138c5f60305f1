# The provider's values, checked, and the provider's banner. Included by the project's
# configure step and by cmake/check-provider.cmake (script mode), so no way of building skips
# the checks (tools/provider-values.py holds the rules).
get_filename_component(DIALWRIGHT_SOURCE_ROOT "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(DIALWRIGHT_DEFAULT_PROVIDER_NAME "Vorlix")
set(DIALWRIGHT_DEFAULT_COMPANY "Dialwright")
set(DIALWRIGHT_DEFAULT_BANNER ${DIALWRIGHT_SOURCE_ROOT}/resources/banner.bmp)

# Debian's python3 is the one with python3-pil; another first on the path may lack it.
if(EXISTS /usr/bin/python3)
  set(DIALWRIGHT_PYTHON /usr/bin/python3)
else()
  find_program(DIALWRIGHT_PYTHON python3 REQUIRED)
endif()

# Stops with the checker's lines when a value breaks a rule; otherwise sets out_company and
# out_copyright to resource-script string literals of the version information's two texts,
# and out_key to a wide string literal of the tunnel's pre-shared key, read from its file by
# the checker (L"" for a tunnel without one). The key is in no cache variable and no log.
function(dialwright_check_provider_values out_company out_copyright out_key name server site
         company tunnel psk_file)
  execute_process(
    COMMAND ${DIALWRIGHT_PYTHON} ${DIALWRIGHT_SOURCE_ROOT}/tools/provider-values.py
            "--name=${name}" "--server=${server}" "--site=${site}" "--company=${company}"
            "--tunnel=${tunnel}" "--psk-file=${psk_file}"
    OUTPUT_VARIABLE literals OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "The provider's values above break the rules; nothing was built.")
  endif()
  string(REPLACE "\n" ";" literals "${literals}")
  list(GET literals 0 company_literal)
  list(GET literals 1 copyright_literal)
  list(GET literals 2 key_literal)
  set(${out_company} "${company_literal}" PARENT_SCOPE)
  set(${out_copyright} "${copyright_literal}" PARENT_SCOPE)
  set(${out_key} "${key_literal}" PARENT_SCOPE)
endfunction()

# Sets out to the banner's file: made from the logo when there is one, drawn from the name when
# it is not the default provider's, the committed banner otherwise.
function(dialwright_provider_banner out name logo background directory)
  if(logo STREQUAL "" AND name STREQUAL DIALWRIGHT_DEFAULT_PROVIDER_NAME)
    set(${out} ${DIALWRIGHT_DEFAULT_BANNER} PARENT_SCOPE)
    return()
  endif()
  if(NOT logo STREQUAL "")
    set(source "--logo=${logo}")
    if(NOT background STREQUAL "")
      set(background_option "--background=${background}")
    endif()
  else()
    set(source "--name=${name}")
  endif()
  file(MAKE_DIRECTORY ${directory})
  execute_process(
    COMMAND ${DIALWRIGHT_PYTHON} ${DIALWRIGHT_SOURCE_ROOT}/tools/make-banner.py
            "--out=${directory}/banner.bmp" "${source}" ${background_option}
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "The provider's banner could not be made (above); nothing was built.")
  endif()
  set(${out} ${directory}/banner.bmp PARENT_SCOPE)
endfunction()
