# Renders the manual page MAN as plain UTF-8 text with Windows line ends into
# OUT, for systems that have no man command:
#
#   cmake -DGROFF=/usr/bin/groff -DMAN=man/d88cut.1 -DOUT=d88cut.txt -P man-to-text.cmake
execute_process(
  COMMAND "${GROFF}" -k -t -man -Tutf8 -P-cbou "${MAN}"
  OUTPUT_VARIABLE text
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR text STREQUAL "")
  message(FATAL_ERROR "groff could not render ${MAN} (${status}): ${errors}")
endif()
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUT}" "${text}")
