# Writes the text file IN as OUT with Windows line ends and @PROJECT_VERSION@
# filled in with VERSION, for the Windows zip:
#
#   cmake -DIN=docs/README-windows.txt -DOUT=README.txt -DVERSION=1.0.0 -P text-with-crlf.cmake
file(READ "${IN}" text)
string(REPLACE "@PROJECT_VERSION@" "${VERSION}" text "${text}")
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUT}" "${text}")
