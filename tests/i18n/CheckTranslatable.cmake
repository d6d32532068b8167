# SPDX-License-Identifier: GPL-3.0-or-later
# Fails on a string literal in the user interface's folders that reads as text for the user
# but does not go through tr(), QCoreApplication::translate(), QT_TR_NOOP() or
# QT_TRANSLATE_NOOP(), so a translation could never reach it.
#   cmake -D ROOT=<source folder> [-D ALLOWED=<file>] -P CheckTranslatable.cmake
# ALLOWED lists, one a line, the literals that are not for the user: record and settings
# keys, names a format defines. A line "file.cpp: text" allows the text in that file only.

set(folders platform_ui images_ui editor window options shell)

set(allowed)
if(ALLOWED)
  file(STRINGS ${ALLOWED} allowed_lines)
  foreach(line IN LISTS allowed_lines)
    if(NOT line MATCHES "^#" AND NOT line STREQUAL "")
      list(APPEND allowed "${line}")
    endif()
  endforeach()
endif()

# A literal reads as text for the user when it holds a capitalised word, a word after a
# space, or an access key. Object names, icon names, keys in lower camel case and
# shortcuts do not.
function(reads_as_text text out)
  set(yes FALSE)
  if(text MATCHES "(^|[^A-Za-z0-9_])[A-Z][a-z]" OR text MATCHES "[a-z] [a-z]"
     OR text MATCHES "&[A-Za-z]")
    set(yes TRUE)
  endif()
  if(text MATCHES "^((Ctrl|Shift|Alt|Meta)\\+)+[A-Za-z0-9]+(; ((Ctrl|Shift|Alt|Meta)\\+)+[A-Za-z0-9]+)*$")
    set(yes FALSE)
  endif()
  set(${out} ${yes} PARENT_SCOPE)
endfunction()

set(faults 0)
foreach(folder IN LISTS folders)
  file(GLOB sources ${ROOT}/${folder}/*.cpp ${ROOT}/${folder}/*.h)
  foreach(source IN LISTS sources)
    get_filename_component(name ${source} NAME)
    # One list item a line: the characters a CMake list would split on, or be kept from
    # splitting by, stand in as words.
    file(READ ${source} content)
    string(REPLACE ";" "<semicolon>" content "${content}")
    string(REPLACE "[" "<open>" content "${content}")
    string(REPLACE "]" "<close>" content "${content}")
    string(REPLACE "\n" ";" lines "${content}")
    set(number 0)
    # Whether the line before ended inside a translated call's text, which this line's
    # leading literals continue.
    set(continuing FALSE)
    foreach(line IN LISTS lines)
      math(EXPR number "${number} + 1")
      set(was_continuing ${continuing})
      set(continuing FALSE)
      if(line MATCHES "(tr|translate|QT_TR_NOOP|QT_TRANSLATE_NOOP) *\\((.*[\",])?$"
         OR (was_continuing AND line MATCHES "^ *\".*\",?$"))
        set(continuing TRUE)
      endif()
      # Lines that never carry text for the user.
      if(line MATCHES "^ *(#|//)" OR line MATCHES "setObjectName|findChild|q(Debug|Info|Warning|Critical)\\(|Q_ASSERT")
        continue()
      endif()
      # Drop what is translated, with its context, then look at every literal left.
      string(REGEX REPLACE "\\\\\\\\" "" rest "${line}")
      string(REGEX REPLACE "\\\\\"" "" rest "${rest}")
      if(was_continuing)
        string(REGEX REPLACE "^( *\"[^\"]*\" *,?)+" "" rest "${rest}")
      endif()
      string(REGEX REPLACE "(QT_TRANSLATE_NOOP|translate) *\\( *\"[^\"]*\" *, *\"[^\"]*\"" "" rest "${rest}")
      string(REGEX REPLACE "(QT_TR_NOOP|[^A-Za-z_]tr) *\\( *\"[^\"]*\"" "" rest "${rest}")
      # A context alone, before text a table holds.
      string(REGEX REPLACE "translate *\\( *\"[^\"]*\"" "" rest "${rest}")
      string(REGEX REPLACE " // .*$" "" rest "${rest}")
      string(REGEX MATCHALL "\"[^\"]*\"" literals "${rest}")
      foreach(literal IN LISTS literals)
        string(REGEX REPLACE "^\"(.*)\"$" "\\1" text "${literal}")
        reads_as_text("${text}" is_text)
        if(NOT is_text)
          continue()
        endif()
        list(FIND allowed "${text}" anywhere)
        list(FIND allowed "${name}: ${text}" here)
        if(anywhere EQUAL -1 AND here EQUAL -1)
          message("${folder}/${name}:${number}: \"${text}\" is not translated")
          math(EXPR faults "${faults} + 1")
        endif()
      endforeach()
    endforeach()
  endforeach()
endforeach()

if(faults GREATER 0)
  message(FATAL_ERROR "${faults} literals for the user bypass translation")
endif()
