# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a language file lacks a finished translation for a text of the sources: lupdate runs
# over the sources into a copy of each file, and any entry it adds or leaves unfinished is a text
# that would ship untranslated.
#   cmake -DLUPDATE=… -DSOURCE_DIR=… -DWORK_DIR=… -P check_translations.cmake
file(GLOB _files "${SOURCE_DIR}/translations/tramola_*.ts")
if(NOT _files)
  message(FATAL_ERROR "no translations/tramola_*.ts")
endif()
file(MAKE_DIRECTORY "${WORK_DIR}")
set(_failed "")
foreach(_ts IN LISTS _files)
  get_filename_component(_name "${_ts}" NAME)
  set(_copy "${WORK_DIR}/${_name}")
  configure_file("${_ts}" "${_copy}" COPYONLY)
  execute_process(COMMAND "${LUPDATE}" -silent -locations none -no-obsolete "${SOURCE_DIR}/src" -ts "${_copy}"
    RESULT_VARIABLE _rc OUTPUT_QUIET ERROR_VARIABLE _err)
  if(NOT _rc EQUAL 0)
    message(FATAL_ERROR "lupdate failed on ${_name}: ${_err}")
  endif()
  file(READ "${_copy}" _xml)
  # Entities such as &lt; hold semicolons, which CMake lists would split on.
  string(REPLACE ";" "@SEMICOLON@" _xml "${_xml}")
  string(REGEX MATCHALL "<source>[^<]*</source>[ \n]*(<oldsource>[^<]*</oldsource>[ \n]*)?(<comment>[^<]*</comment>[ \n]*)?<translation type=\"unfinished\""
    _unfinished "${_xml}")
  list(LENGTH _unfinished _count)
  if(_count GREATER 0)
    string(REGEX REPLACE "</source>[^;]*unfinished\";?" "" _texts "${_unfinished}")
    string(REPLACE "<source>" "\n    " _texts "${_texts}")
    string(REPLACE "@SEMICOLON@" ";" _texts "${_texts}")
    string(APPEND _failed "\n${_name}: ${_count} text(s) without a finished translation:${_texts}")
  endif()
endforeach()
if(_failed)
  message(FATAL_ERROR "Untranslated texts (run the update_translations target, then translate):${_failed}")
endif()
message(STATUS "every text of the sources is translated")
