# The layer check must refuse an include that points up: a phonebook file that includes a
# desktop header, and a portable application file that includes the composition root's.
#   cmake -DSOURCE=... -DPYTHON=... -DWORK=... -P cmake/check-layers-test.cmake
file(REMOVE_RECURSE ${WORK})
file(WRITE ${WORK}/phonebook/upward.cpp "#include \"phonebook/entry_image.h\"\n#include \"desktop/wsh.h\"\n")
file(WRITE ${WORK}/app/upward.cpp "#include \"app/win32/main_window.h\"\n")
execute_process(COMMAND ${PYTHON} ${SOURCE}/tools/check-layers.py ${WORK}
                RESULT_VARIABLE status ERROR_VARIABLE findings)
foreach(expected "phonebook/upward.cpp:2: \"desktop/wsh.h\"" "app/upward.cpp:1: \"app/win32/main_window.h\"")
  string(FIND "${findings}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the layer check did not report ${expected}:\n${findings}")
  endif()
endforeach()
if(status EQUAL 0)
  message(FATAL_ERROR "the layer check passed a tree with upward includes")
endif()
string(FIND "${findings}" "entry_image.h" at)
if(NOT at EQUAL -1)
  message(FATAL_ERROR "the layer check refused an include of the file's own layer:\n${findings}")
endif()
file(REMOVE_RECURSE ${WORK})
