# Adds to a program folder the bundled calorie tables it has never had.
#   cmake -DSOURCE=<data folder of the sources> -DPROGRAM=<program folder> -P install_tables.cmake
# The folder's .bundled-tables lists every bundled table ever put there. A listed
# table belongs to the user from then on: edited, it keeps the user's text;
# deleted, it stays deleted. A table is never overwritten: a user's table that
# already has a new bundled table's name wins.
cmake_minimum_required(VERSION 3.25)
foreach(var SOURCE PROGRAM)
  if(NOT ${var})
    message(FATAL_ERROR "install_tables.cmake needs -D${var}=...")
  endif()
endforeach()

set(manifest "${PROGRAM}/.bundled-tables")
set(known "")
if(EXISTS "${manifest}")
  file(STRINGS "${manifest}" known ENCODING UTF-8)
endif()

file(GLOB_RECURSE bundled RELATIVE "${SOURCE}" LIST_DIRECTORIES false "${SOURCE}/*.cal")
list(SORT bundled)
set(added FALSE)
foreach(table IN LISTS bundled)
  if(table IN_LIST known)
    continue()
  endif()
  set(target "${PROGRAM}/data/${table}")
  if(NOT EXISTS "${target}" AND NOT IS_SYMLINK "${target}")
    get_filename_component(folder "${target}" DIRECTORY)
    file(MAKE_DIRECTORY "${folder}")
    # Copied under another name and renamed, so an interrupted install never
    # leaves half a table under the table's name.
    file(COPY_FILE "${SOURCE}/${table}" "${target}.part")
    file(RENAME "${target}.part" "${target}")
  endif()
  list(APPEND known "${table}")
  set(added TRUE)
endforeach()

if(added)
  list(SORT known)
  list(JOIN known "\n" text)
  file(WRITE "${manifest}.part" "${text}\n")
  file(RENAME "${manifest}.part" "${manifest}")
endif()
