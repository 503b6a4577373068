# Installs the build tree BUILD_DIR under the scratch prefix PREFIX and checks
# that d88cut and d88info landed in BINDIR (with the suffix EXE) and run from
# there (through EMULATOR, when set), that their manual pages landed in MANDIR
# (roff pages ending in .1, or text ending in .txt), that both name the
# project's version VERSION as d88info --version does, and that the files
# listed in DOCS landed beside the tools.
#
#   cmake -DBUILD_DIR=... -DPREFIX=... -DBINDIR=bin -DMANDIR=share/man/man1 -DPAGE=.1
#         -DEXE= -DEMULATOR= -DDOCS= -DVERSION=1.0.0 -P install_test.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${PREFIX}")
execute_process(
  COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
  RESULT_VARIABLE status
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${status}):\n${output}")
endif()

# Each tool runs from the prefix: d88info -h prints its usage with status 0,
# d88cut without arguments prints its usage with status 1.
function(check_runs tool wanted text)
  set(program "${PREFIX}/${BINDIR}/${tool}${EXE}")
  if(NOT EXISTS "${program}")
    message(FATAL_ERROR "${program} was not installed")
  endif()
  execute_process(COMMAND ${EMULATOR} "${program}" ${ARGN}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  string(REPLACE "\r\n" "\n" output "${output}")
  string(FIND "${output}" "${text}" found)
  if(NOT status EQUAL wanted OR NOT found EQUAL 0)
    message(FATAL_ERROR "installed ${tool} ${ARGN}: status ${status}, printed:\n${output}")
  endif()
endfunction()
check_runs(d88info 0 "usage: d88info" -h)
check_runs(d88info 0 "d88info ${VERSION}\n" --version)
check_runs(d88cut 1 "Usage: ")

foreach(tool d88cut d88info)
  set(page "${PREFIX}/${MANDIR}/${tool}${PAGE}")
  if(NOT EXISTS "${page}")
    message(FATAL_ERROR "${page} was not installed")
  endif()
  string(TOUPPER "${tool}" title)
  if(PAGE STREQUAL ".1")
    file(STRINGS "${page}" heading REGEX "^\\.TH ${title} 1 .*\"d88cut ${VERSION}\"")
  else()
    file(STRINGS "${page}" heading REGEX "^d88cut ${VERSION} +${title}\\(1\\)")
  endif()
  if(heading STREQUAL "")
    message(FATAL_ERROR "${page} is no manual page of ${tool} naming d88cut ${VERSION}")
  endif()
endforeach()

foreach(doc IN LISTS DOCS)
  if(NOT EXISTS "${PREFIX}/${BINDIR}/${doc}")
    message(FATAL_ERROR "${doc} was not installed beside the tools")
  endif()
endforeach()

file(REMOVE_RECURSE "${PREFIX}")
