# How a program file of this project is finished: terminal-server aware, a linker map, and, in
# the 32-bit build that ships, the load configuration (app/win32/load_configuration.cpp: the
# static imports from the system directory only) with the link's last step that points the PE
# header at it (tools/set-load-configuration.py), before anything (a provider's signing) takes
# the file as finished. The 64-bit twin, which only runs tests, has none.
function(dialwright_finish_like_the_program target)
  set(map ${PROJECT_BINARY_DIR}/${target}.map)
  target_link_options(${target} PRIVATE LINKER:--tsaware LINKER:-Map=${map})
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/app/win32/load_configuration.cpp)
    target_link_options(${target} PRIVATE LINKER:--require-defined=__load_config_used)
    find_package(Python3 COMPONENTS Interpreter REQUIRED)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/set-load-configuration.py
              $<TARGET_FILE:${target}> ${map}
      VERBATIM)
  endif()
endfunction()
