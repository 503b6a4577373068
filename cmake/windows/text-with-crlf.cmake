# Writes the text file IN as OUT in the form Notepad shows right on every
# Windows version: UTF-8 with a byte-order mark and Windows line ends, with
# @PROJECT_VERSION@ filled in with VERSION, for the Windows zip; with
# -DBOM=OFF without the byte-order mark (the licence, plain ASCII):
#
#   cmake -DIN=docs/README-windows.txt -DOUT=README.txt -DVERSION=1.0.0 -P text-with-crlf.cmake
file(READ "${IN}" text)
string(ASCII 239 187 191 bom)
string(REGEX REPLACE "^${bom}" "" text "${text}")
string(REPLACE "@PROJECT_VERSION@" "${VERSION}" text "${text}")
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
if(DEFINED BOM AND NOT BOM)
  set(bom "")
endif()
file(WRITE "${OUT}" "${bom}${text}")
