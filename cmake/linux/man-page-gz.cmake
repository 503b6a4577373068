# Writes the manual page IN as OUT compressed with gzip -9n, its date (the
# .TH line's third field, left empty in the source) the day of
# SOURCE_DATE_EPOCH when that is set, else today, so that two builds of one
# source date give the same bytes:
#
#   cmake -DIN=man/d88cut.1 -DOUT=d88cut.1.gz -DGZIP=/usr/bin/gzip -P man-page-gz.cmake
file(READ "${IN}" page)
string(TIMESTAMP day "%Y-%m-%d" UTC)
string(REGEX REPLACE "(\n\\.TH [^ ]+ [0-9]+ )\"\"" "\\1\"${day}\"" page "${page}")
get_filename_component(dir "${OUT}" DIRECTORY)
get_filename_component(name "${OUT}" NAME_WLE)
file(WRITE "${dir}/${name}" "${page}")
execute_process(COMMAND "${GZIP}" -9nf "${dir}/${name}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "gzip failed on ${dir}/${name}")
endif()
