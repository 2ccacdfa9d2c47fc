# Writes the desktop entry for a program path that needs every kind of
# escaping, has desktop-file-validate check it and reads Exec back.
#   cmake -DSCRIPT=<desktop_entry.cmake> -DWORK=<folder> -DVALIDATE=<desktop-file-validate> -P ...
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(out "${WORK}/zenkarta.desktop")
execute_process(COMMAND ${CMAKE_COMMAND} "-DEXEC=/home/a b/100%/\"$x`\\/zenkarta" "-DOUT=${out}"
                        -P "${SCRIPT}" COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND "${VALIDATE}" "${out}" RESULT_VARIABLE rc OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(NOT rc EQUAL 0 OR NOT said STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate: ${said}")
endif()
file(STRINGS "${out}" exec REGEX "^Exec=")
set(expected [[Exec="/home/a b/100%%/\\"\\$x\\`\\\\/zenkarta"]])
if(NOT exec STREQUAL expected)
  message(FATAL_ERROR "got ${exec}\nexpected ${expected}")
endif()
