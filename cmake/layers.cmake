# Each folder of the program is a library of its own and sees only the headers of what it
# links: its include path is a folder of links to its own headers, and it gets those of the
# libraries it links from them. An include that points up a layer names a file that no include
# path of the library has, and the build fails there.
function(dialwright_headers target scope)
  set(view ${PROJECT_BINARY_DIR}/headers/${target})
  file(REMOVE_RECURSE ${view})
  foreach(pattern ${ARGN})
    file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/${pattern})
    foreach(header ${headers})
      get_filename_component(folder ${view}/${header} DIRECTORY)
      file(MAKE_DIRECTORY ${folder})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${header} ${view}/${header} SYMBOLIC)
    endforeach()
  endforeach()
  target_include_directories(${target} ${scope} ${view})
endfunction()

# The portable code calls the functions platform/system.h declares. In a Windows build their
# definitions (dialwright_win32) follow it on every link line, without its headers; the tests
# define their own, which come first.
function(dialwright_calls_the_platform target)
  if(WIN32)
    target_link_libraries(${target} INTERFACE $<LINK_ONLY:dialwright_win32>)
  endif()
endfunction()
