# Includes point down. The floors, each including only its own headers, those
# of the floors below and the system's:
#   util/                      the ground: file, text and process helpers
#   ui/                        the thin Win32 controls and the dialogs
#   script/ sound/ image/      the work areas, side by side, none above another
#   app/                       start-up and the main window that composes them
# Run with -DSOURCE_DIR=<src folder>; fails naming each file and line that
# includes upward or sideways.
get_filename_component(SOURCE_DIR ${SOURCE_DIR} ABSOLUTE)
set(floor_util 0)
set(floor_ui 1)
set(floor_script 2)
set(floor_sound 2)
set(floor_image 2)
set(floor_app 3)
set(floors util ui script sound image app)

set(wrong "")
set(count 0)
foreach(folder ${floors})
  file(GLOB files ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(file ${files})
    math(EXPR count "${count} + 1")
    file(STRINGS ${file} lines)
    set(number 0)
    foreach(line IN LISTS lines)
      math(EXPR number "${number} + 1")
      if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"([^\"/]+)/")
        continue()
      endif()
      set(target ${CMAKE_MATCH_1})
      file(RELATIVE_PATH name ${SOURCE_DIR} ${file})
      if(NOT DEFINED floor_${target})
        list(APPEND wrong "${name}:${number}: includes from an unknown folder: ${line}")
      elseif(NOT target STREQUAL folder AND NOT floor_${target} LESS floor_${folder})
        list(APPEND wrong "${name}:${number}: ${folder}/ includes ${target}/, not below it: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(wrong)
  list(JOIN wrong "\n" text)
  message(FATAL_ERROR "includes that do not point down:\n${text}")
endif()
message(STATUS "${count} files of util/, ui/, script/, sound/, image/ and app/ include only below them")
