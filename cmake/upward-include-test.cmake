# A library's include path holds what it may use and nothing above it: a phonebook file
# compiles with its own layer's and the platform's headers, and fails on a desktop header or
# the application's.
#   cmake -DCOMPILER=... -DINCLUDES=<the phonebook library's include directories> -DWORK=... -P ...
file(REMOVE_RECURSE ${WORK})
set(flags -std=c++20 -fsyntax-only)
foreach(directory ${INCLUDES})
  list(APPEND flags -I${directory})
endforeach()
function(compile name content expect_success)
  file(WRITE ${WORK}/${name}.cpp "${content}")
  execute_process(COMMAND ${COMPILER} ${flags} ${WORK}/${name}.cpp
                  RESULT_VARIABLE status ERROR_VARIABLE errors)
  if(expect_success AND NOT status EQUAL 0)
    message(FATAL_ERROR "the phonebook layer's own includes did not compile:\n${errors}")
  elseif(NOT expect_success)
    string(FIND "${errors}" "No such file" missing)
    if(status EQUAL 0 OR missing EQUAL -1)
      message(FATAL_ERROR "${name}: an upward include did not fail as a missing file:\n${errors}")
    endif()
  endif()
endfunction()
compile(own "#include \"phonebook/entry_writes.h\"\n#include \"platform/system.h\"\n#include \"app/settings.h\"\n" TRUE)
compile(desktop "#include \"desktop/wsh.h\"\n" FALSE)
compile(application "#include \"app/create_connection_command.h\"\n" FALSE)
compile(windows "#include \"platform/win32/unique_resource.h\"\n" FALSE)
file(REMOVE_RECURSE ${WORK})
