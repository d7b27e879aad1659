# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a folder of src/ includes a header of a higher layer:
#   core <- db <- campaign, speedarea <- analysis <- gui <- app
# campaign and speedarea stand side by side and include neither each other.
#   cmake -DSOURCE_DIR=… -P check_layering.cmake
set(_layers core db campaign speedarea analysis gui app)
set(_rank_core 0)
set(_rank_db 1)
set(_rank_campaign 2)
set(_rank_speedarea 2)
set(_rank_analysis 3)
set(_rank_gui 4)
set(_rank_app 5)

set(_failed "")
foreach(_layer IN LISTS _layers)
  file(GLOB_RECURSE _files "${SOURCE_DIR}/src/${_layer}/*.h" "${SOURCE_DIR}/src/${_layer}/*.cpp"
    "${SOURCE_DIR}/src/${_layer}/*.h.in")
  foreach(_file IN LISTS _files)
    file(STRINGS "${_file}" _includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"[a-z]+/")
    foreach(_line IN LISTS _includes)
      string(REGEX REPLACE "^[^\"]*\"([a-z]+)/.*$" "\\1" _target "${_line}")
      if(NOT DEFINED _rank_${_target} OR _target STREQUAL _layer)
        continue()   # its own folder, or something outside src/ (a tool's library)
      endif()
      if(_rank_${_target} GREATER_EQUAL _rank_${_layer})
        file(RELATIVE_PATH _where "${SOURCE_DIR}" "${_file}")
        string(STRIP "${_line}" _line)
        string(APPEND _failed "\n  ${_where}: ${_line} (${_layer} may not include ${_target})")
      endif()
    endforeach()
  endforeach()
endforeach()
if(_failed)
  message(FATAL_ERROR "A lower layer includes a higher one:${_failed}")
endif()
message(STATUS "layers respected")
