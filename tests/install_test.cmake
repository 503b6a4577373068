# Installs the build tree BUILD_DIR under the scratch prefix PREFIX and checks
# that d88cut, d88info and d88merge landed in BINDIR (with the suffix EXE) and run from
# there (through EMULATOR, when set), that their manual pages landed in MANDIR
# (roff pages ending in .1 or compressed with gzip in .1.gz, or text ending
# in .txt), that both name the
# project's version VERSION as d88info --version does, and that the files
# listed in DOCS landed beside the tools (and those in PACKAGE_DOCS in
# PACKAGE_DOCDIR, for the Linux packages). For Windows (EXE=.exe) also that
# README.txt and the pages are Windows text, the pages with ASCII hyphens, and
# that each exe carries its version information and a manifest that opts in
# to long paths.
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
# In English whatever the user reads, as --lang asks.
check_runs(d88info 0 "usage: d88info" --lang en -h)
check_runs(d88info 0 "d88info ${VERSION}\n" --version)
check_runs(d88merge 0 "usage: d88merge" -h)
check_runs(d88merge 0 "d88merge ${VERSION}\n" --version)
check_runs(d88cut 1 "Usage: ")
check_runs(d88cut 0 "Usage: " --help)
check_runs(d88cut 0 "d88cut ${VERSION}\n" --version)

foreach(tool d88cut d88info d88merge)
  set(page "${PREFIX}/${MANDIR}/${tool}${PAGE}")
  if(NOT EXISTS "${page}")
    message(FATAL_ERROR "${page} was not installed")
  endif()
  string(TOUPPER "${tool}" title)
  if(PAGE STREQUAL ".1.gz")
    set(plain "${PREFIX}/${tool}.1")
    execute_process(COMMAND gzip -dc "${page}" OUTPUT_FILE "${plain}" RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "${page} is not gzip data")
    endif()
    # Compressed without a name or time (gzip -n): bytes 4-7 are zero.
    file(READ "${page}" gzipHeader LIMIT 8 HEX)
    if(NOT gzipHeader MATCHES "^1f8b0800" OR NOT gzipHeader MATCHES "00000000$")
      message(FATAL_ERROR "${page} carries a file name or a time")
    endif()
    set(page "${plain}")
  endif()
  if(PAGE MATCHES "^\\.1")
    file(STRINGS "${page}" heading REGEX "^\\.TH ${title} 1 .*\"d88cut ${VERSION}\"")
  else()
    file(STRINGS "${page}" heading REGEX "^d88cut ${VERSION} +${title}\\(1\\)")
  endif()
  if(heading STREQUAL "")
    message(FATAL_ERROR "${page} is no manual page of ${tool} naming d88cut ${VERSION}")
  endif()
endforeach()

foreach(doc IN LISTS PACKAGE_DOCS)
  if(NOT EXISTS "${PREFIX}/${PACKAGE_DOCDIR}/${doc}")
    message(FATAL_ERROR "${doc} was not installed in ${PACKAGE_DOCDIR}")
  endif()
endforeach()

foreach(doc IN LISTS DOCS)
  if(NOT EXISTS "${PREFIX}/${BINDIR}/${doc}")
    message(FATAL_ERROR "${doc} was not installed beside the tools")
  endif()
endforeach()

if(EXE STREQUAL ".exe")
  # Every line of the Windows text ends in CR LF; no U+2010 hyphen or U+2212
  # minus, which a console on code page 932 shows as garbage.
  foreach(text README.txt LICENSE d88cut.txt d88info.txt d88merge.txt)
    # As bytes in hex, each followed by a space: CR LF is "0d 0a ".
    file(READ "${PREFIX}/${BINDIR}/${text}" bytes HEX)
    string(REGEX REPLACE "(..)" "\\1 " bytes "${bytes}")
    string(REPLACE "0d 0a " "" bare "${bytes}")
    string(FIND "${bare}" "0a " lf)
    string(FIND "${bytes}" "e2 80 90 " hyphen)
    string(FIND "${bytes}" "e2 88 92 " minus)
    if(bytes STREQUAL "" OR NOT lf EQUAL -1 OR NOT hyphen EQUAL -1 OR NOT minus EQUAL -1)
      message(FATAL_ERROR "${text} is no Windows text with ASCII hyphens")
    endif()
  endforeach()
  # The guide is UTF-8 with a byte-order mark, so that Notepad shows it right
  # on every Windows version, and opens with its Japanese part (kana or kanji).
  file(READ "${PREFIX}/${BINDIR}/README.txt" opening LIMIT 6 HEX)
  if(NOT opening MATCHES "^efbbbfe[3-9]")
    message(FATAL_ERROR "README.txt does not open with a byte-order mark and Japanese text")
  endif()
  # Version information is UTF-16 in the exe; the manifest is UTF-8 text.
  foreach(tool d88cut d88info d88merge)
    set(program "${PREFIX}/${BINDIR}/${tool}${EXE}")
    file(STRINGS "${program}" wide ENCODING UTF-16LE
         REGEX "^(FileDescription|ProductName|[0-9.]+|[a-z0-9]+\\.exe)$")
    foreach(wanted FileDescription ProductName "${VERSION}" "${tool}.exe")
      if(NOT wanted IN_LIST wide)
        message(FATAL_ERROR "${tool}${EXE} carries no version information \"${wanted}\"")
      endif()
    endforeach()
    file(STRINGS "${program}" manifest REGEX "longPathAware")
    if(NOT manifest MATCHES ">true</longPathAware>")
      message(FATAL_ERROR "${tool}${EXE} carries no manifest that opts in to long paths")
    endif()
  endforeach()
endif()

file(REMOVE_RECURSE "${PREFIX}")
