set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Everything static: the program must import nothing but Windows system DLLs.
# No time stamp in the PE header, so that two builds of one commit are byte-identical.
# Unused sections are dropped and symbols stripped: the program file stays small.
# Link options rather than *_INIT flags: a build folder configured earlier picks them up too.
add_link_options(-static -static-libgcc -static-libstdc++ LINKER:--no-insert-timestamp
                 LINKER:--gc-sections -s)
add_compile_options(-ffunction-sections -fdata-sections)
# Windows 7 and later declarations, wide (W) functions by default.
add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 UNICODE _UNICODE)
# Paths of the checkout and the build folder never reach the binaries.
get_filename_component(DIALWRIGHT_SOURCE_ROOT "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
add_compile_options(-ffile-prefix-map=${DIALWRIGHT_SOURCE_ROOT}=.)
