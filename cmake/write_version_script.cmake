# Writes the linker version script of a bridge library: the names of EXPORTS (one a line,
# comments with #), the names of EXTRA (a ;-list of patterns) and every C-linkage symbol that
# the core archive CORE defines with default visibility (the raster image kernels and tables);
# everything else is local.
# Run with -DEXPORTS= -DCORE= -DREADELF= -DOUT= [-DEXTRA=].
cmake_minimum_required(VERSION 3.25)

file(STRINGS ${EXPORTS} names REGEX "^[A-Za-z_]")
list(APPEND names ${EXTRA})

execute_process(COMMAND ${READELF} -sW ${CORE} OUTPUT_VARIABLE core_out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "readelf failed on ${CORE}")
endif()
string(REPLACE "\n" ";" core_lines "${core_out}")
foreach(line IN LISTS core_lines)
  # Strong global definitions with default visibility and a plain (C) name.
  if(line MATCHES "GLOBAL +DEFAULT +[0-9]+ +([A-Za-z][A-Za-z0-9_]*)$")
    list(APPEND names "${CMAKE_MATCH_1}")
  endif()
endforeach()
list(REMOVE_DUPLICATES names)

set(script "{\n  global:\n")
foreach(name IN LISTS names)
  string(APPEND script "    ${name};\n")
endforeach()
string(APPEND script "  local:\n    *;\n};\n")

# Rewrite only on a change, so that the libraries relink only when their exports change.
if(EXISTS ${OUT})
  file(READ ${OUT} old)
  if(old STREQUAL script)
    return()
  endif()
endif()
file(WRITE ${OUT} "${script}")
