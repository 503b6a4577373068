# Renders the manual page MAN as plain UTF-8 text with Windows line ends into
# OUT, for Windows, which has no man command: the page's Windows examples
# (register windows = 1), no words broken at line ends, and ASCII hyphens and
# minus signs, which a console on code page 932 would show as garbage.
#
#   cmake -DGROFF=/usr/bin/groff -DMAN=man/d88cut.1 -DOUT=d88cut.txt -P man-to-text.cmake
execute_process(
  COMMAND "${GROFF}" -k -t -man -Tutf8 -P-cbou -rwindows=1 -rHY=0 "${MAN}"
  OUTPUT_VARIABLE text
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR text STREQUAL "")
  message(FATAL_ERROR "groff could not render ${MAN} (${status}): ${errors}")
endif()
# U+2010 hyphen, U+2011 non-breaking hyphen, U+2212 minus sign.
foreach(dash "‐" "‑" "−")
  string(REPLACE "${dash}" "-" text "${text}")
endforeach()
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUT}" "${text}")
