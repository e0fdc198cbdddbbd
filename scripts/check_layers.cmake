# Checks the layering of the sources under ${ROOT}:
#  - no file of the Qt-free core (src/<subsystem>/*.h, *.cpp) includes a Qt header;
#  - no file includes a header of a layer above its own.
# The layers, lowest first:
#   foundation, resources   shared vocabulary; depends on nothing of ours
#   course, dictionary      on foundation
#   voice                   on foundation and course (the voice studio opens the course document)
#   exercises               on foundation and dictionary
#   shell                   on everything
# A subsystem's ui/ folder (Qt) may include what its core may, the ui/ folders of those layers,
# src/platform (the Qt services) and src/foundation/ui. src/platform may include foundation and
# The content tool (tools/content) may include the core below shell, never a ui/ folder,
# src/platform or the shell.
# Prints every offending line and fails when there is one.
cmake_minimum_required(VERSION 3.25)

set(allowed_foundation foundation resources)
set(allowed_resources foundation resources)
set(allowed_course foundation resources course)
set(allowed_dictionary foundation resources dictionary)
set(allowed_voice foundation resources course voice)
set(allowed_exercises foundation resources dictionary exercises)
set(allowed_shell foundation resources course dictionary voice exercises shell)
set(core_layers foundation resources course dictionary voice exercises shell)

set(bad "")

# The layer that an include names: "course/wave.h" -> course, "course/ui/x.h" -> course/ui,
# "platform/qt_clock.h" -> platform; anything else (a system header, a sibling) -> "".
function(include_layer line out)
  set(layer "")
  if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"([a-z_]+)/([a-z_]+)/")
    if(CMAKE_MATCH_2 STREQUAL "ui")
      set(layer "${CMAKE_MATCH_1}/ui")
    else()
      set(layer "${CMAKE_MATCH_1}")
    endif()
  elseif(line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"([a-z_]+)/")
    set(layer "${CMAKE_MATCH_1}")
  endif()
  set(${out} "${layer}" PARENT_SCOPE)
endfunction()

# Checks the files of one folder against the list of layers they may include.
function(check_folder folder allowed)
  file(GLOB files ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
  foreach(f ${files})
    file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include")
    foreach(line ${lines})
      include_layer("${line}" layer)
      if(layer STREQUAL "")
        continue()
      endif()
      string(REGEX REPLACE "/ui$" "" base "${layer}")
      if(NOT base IN_LIST core_layers AND NOT base STREQUAL "platform")
        continue() # not one of ours (e.g. tools/content's own "content/...")
      endif()
      if(NOT layer IN_LIST allowed)
        file(RELATIVE_PATH rel ${ROOT} ${f})
        list(APPEND bad "${rel}: ${line} (runs up a layer: ${folder} may not include ${layer})")
      endif()
    endforeach()
  endforeach()
  set(bad "${bad}" PARENT_SCOPE)
endfunction()

foreach(sub ${core_layers})
  # The core: no Qt, and only its own layer and those below it.
  file(GLOB core_files ${ROOT}/src/${sub}/*.h ${ROOT}/src/${sub}/*.cpp)
  foreach(f ${core_files})
    file(STRINGS ${f} qt REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]Q")
    if(qt)
      file(RELATIVE_PATH rel ${ROOT} ${f})
      list(APPEND bad "${rel}: ${qt} (a Qt header in the Qt-free core)")
    endif()
  endforeach()
  check_folder(src/${sub} "${allowed_${sub}}")

  set(ui_allowed ${allowed_${sub}} platform foundation/ui)
  foreach(lower ${allowed_${sub}})
    list(APPEND ui_allowed ${lower}/ui)
  endforeach()
  check_folder(src/${sub}/ui "${ui_allowed}")
endforeach()
check_folder(src/platform "foundation;resources;platform;resources/ui")
check_folder(tools/content "foundation;resources;course;dictionary;voice;exercises")

if(bad)
  list(JOIN bad "\n  " text)
  message(FATAL_ERROR "Layering check failed:\n  ${text}")
endif()
message(STATUS "Layering check passed")
