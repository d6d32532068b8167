# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that every #include between the program's folders points down the layers.
#   cmake -D ROOT=<source folder> -P CheckLayers.cmake
# This file is where the order is kept; docs/architecture.md describes it.

# Each line runs from left to right: a folder may include itself and the folders to its
# right, never one to its left.
set(ui_layers app shell options window editor images_ui platform_ui)
set(tool_layers cli)
set(core_layers images pagetext transfer documents rtf platform)
# The user interface may include the whole core, the tool may include the core, and the
# core includes nothing above it.
set(core_forbidden_system_includes
    "^(QtWidgets|QtWebEngine[A-Za-z]*|QtMultimedia[A-Za-z]*|QtPrintSupport|QtSvg[A-Za-z]*|sane)(/|$)")
# The browser module includes only the viewer's interface to it.
set(module_folder browser)
set(module_may_include window/BrowserView.h)

set(folders ${ui_layers} ${tool_layers} ${core_layers} ${module_folder})
set(order ${ui_layers} ${tool_layers} ${core_layers})

# Whether a file in folder `from` may include a header in folder `to` (path `header`).
function(allowed from to header out)
  set(ok FALSE)
  if(from STREQUAL to)
    set(ok TRUE)
  elseif(from STREQUAL module_folder)
    if(header STREQUAL module_may_include)
      set(ok TRUE)
    endif()
  else()
    list(FIND order ${from} from_rank)
    list(FIND order ${to} to_rank)
    list(FIND ui_layers ${from} from_ui)
    list(FIND ui_layers ${to} to_ui)
    list(FIND core_layers ${to} to_core)
    if(NOT to STREQUAL module_folder AND to_rank GREATER from_rank)
      # Down the order: within the user interface, from the user interface or the tool into
      # the core, never from the user interface into the tool.
      if(NOT (from_ui GREATER -1 AND to_ui EQUAL -1 AND to_core EQUAL -1))
        set(ok TRUE)
      endif()
    endif()
  endif()
  set(${out} ${ok} PARENT_SCOPE)
endfunction()

# Checks the includes of one file against the rules of the folder `rules`.
macro(check_file source_file rules)
  list(FIND ui_layers ${rules} in_ui)
  file(RELATIVE_PATH name ${ROOT} ${source_file})
  file(STRINGS ${source_file} lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS lines)
    if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]+)[>\"]")
      continue()
    endif()
    set(header ${CMAKE_MATCH_2})
    if(in_ui EQUAL -1 AND NOT "${rules}" STREQUAL module_folder
       AND header MATCHES "${core_forbidden_system_includes}")
      message("${name}: includes ${header}, which the core and the tool must not see")
      math(EXPR faults "${faults} + 1")
      continue()
    endif()
    # A path that climbs out of the folder names another folder all the same.
    string(REGEX REPLACE "^(\\.\\./)+" "" target ${header})
    if(NOT target MATCHES "^([A-Za-z_]+)/")
      continue()
    endif()
    set(to ${CMAKE_MATCH_1})
    list(FIND folders ${to} known)
    if(known EQUAL -1)
      continue()
    endif()
    allowed(${rules} ${to} ${target} ok)
    if(NOT ok)
      message("${name}: includes ${header}, against the order of the layers")
      math(EXPR faults "${faults} + 1")
    endif()
  endforeach()
endmacro()

set(faults 0)
foreach(folder IN LISTS folders)
  file(GLOB_RECURSE sources ${ROOT}/${folder}/*.cpp ${ROOT}/${folder}/*.h)
  foreach(source IN LISTS sources)
    check_file(${source} ${folder})
  endforeach()
endforeach()

# The tests of a core folder link the core alone, so they may include any of it and nothing
# above it; the tool's tests may include the tool too. The core's test support likewise.
list(GET core_layers 0 core_top)
foreach(folder IN LISTS core_layers tool_layers)
  set(as ${core_top})
  list(FIND tool_layers ${folder} in_tool)
  if(in_tool GREATER -1)
    set(as ${folder})
  endif()
  file(GLOB sources ${ROOT}/tests/${folder}/*.cpp ${ROOT}/tests/${folder}/*.h)
  foreach(source IN LISTS sources)
    check_file(${source} ${as})
  endforeach()
endforeach()
file(GLOB sources ${ROOT}/tests/support/*.cpp ${ROOT}/tests/support/*.h
     ${ROOT}/tests/support/dialogs/*.cpp ${ROOT}/tests/support/dialogs/*.h)
foreach(source IN LISTS sources)
  check_file(${source} ${core_top})
endforeach()

if(faults GREATER 0)
  message(FATAL_ERROR "${faults} includes break the layers (tests/layers/CheckLayers.cmake)")
endif()
message("every include follows the layers")
