# Installs the build tree BUILD_DIR under the scratch prefix PREFIX and checks
# that d88cut and d88info landed in BINDIR and run from there, and that their
# manual pages landed in MANDIR/man1 as section 1 pages.
#
# Both pages and d88info --version name the project's version VERSION.
#
#   cmake -DBUILD_DIR=... -DPREFIX=... -DBINDIR=bin -DMANDIR=share/man -DVERSION=1.0.0
#         -P install_test.cmake
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
  set(program "${PREFIX}/${BINDIR}/${tool}")
  if(NOT EXISTS "${program}")
    message(FATAL_ERROR "${program} was not installed")
  endif()
  execute_process(COMMAND "${program}" ${ARGN}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  string(FIND "${output}" "${text}" found)
  if(NOT status EQUAL wanted OR NOT found EQUAL 0)
    message(FATAL_ERROR "installed ${tool} ${ARGN}: status ${status}, printed:\n${output}")
  endif()
endfunction()
check_runs(d88info 0 "usage: d88info" -h)
check_runs(d88info 0 "d88info ${VERSION}\n" --version)
check_runs(d88cut 1 "Usage: ")

foreach(tool d88cut d88info)
  set(page "${PREFIX}/${MANDIR}/man1/${tool}.1")
  if(NOT EXISTS "${page}")
    message(FATAL_ERROR "${page} was not installed")
  endif()
  string(TOUPPER "${tool}" title)
  file(STRINGS "${page}" heading REGEX "^\\.TH ${title} 1 .*\"d88cut ${VERSION}\"")
  if(heading STREQUAL "")
    message(FATAL_ERROR "${page} has no '.TH ${title} 1' line naming d88cut ${VERSION}")
  endif()
endforeach()

file(REMOVE_RECURSE "${PREFIX}")
