# The Linux packages, made from the normal build by
#   cpack -G DEB    d88cut_VERSION-1_amd64.deb
#   cpack -G TGZ    d88cut-VERSION-linux-ARCH.tar.gz
# Both hold what the install rules install: every tool, its manual page as
# gzip -9n, and under the doc folder the copyright and the changelogs. With
# SOURCE_DATE_EPOCH set, two builds of one source give the same bytes.

set(D88CUT_PACKAGE_MAINTAINER "the d88cut authors <d88cut@users.noreply.example>"
    CACHE STRING "The maintainer named by the Linux packages")
find_program(GZIP gzip REQUIRED)

# The changelogs and the manual pages, compressed without a name or time.
configure_file(cmake/linux/changelog.Debian.in ${CMAKE_BINARY_DIR}/doc/changelog.Debian @ONLY)
configure_file(CHANGELOG ${CMAKE_BINARY_DIR}/doc/changelog COPYONLY)
set(D88CUT_DOC_FILES ${PROJECT_SOURCE_DIR}/cmake/linux/copyright)
foreach(log changelog changelog.Debian)
  set(gz ${CMAKE_BINARY_DIR}/doc/${log}.gz)
  add_custom_command(
    OUTPUT ${gz}
    COMMAND ${GZIP} -9nkf ${CMAKE_BINARY_DIR}/doc/${log}
    DEPENDS ${CMAKE_BINARY_DIR}/doc/${log}
    COMMENT "Compressing ${log}")
  list(APPEND D88CUT_DOC_FILES ${gz})
endforeach()
set(D88CUT_PAGES "")
foreach(page ${D88CUT_MANUAL_PAGES})
  set(gz ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
  add_custom_command(
    OUTPUT ${gz}
    COMMAND ${CMAKE_COMMAND} -DIN=${PROJECT_SOURCE_DIR}/man/${page}.1 -DOUT=${gz} -DGZIP=${GZIP}
            -P ${PROJECT_SOURCE_DIR}/cmake/linux/man-page-gz.cmake
    DEPENDS man/${page}.1 cmake/linux/man-page-gz.cmake
    COMMENT "Compressing the manual page of ${page}")
  list(APPEND D88CUT_PAGES ${gz})
endforeach()
add_custom_target(packaged_docs ALL DEPENDS ${D88CUT_PAGES} ${D88CUT_DOC_FILES})
install(FILES ${D88CUT_DOC_FILES} DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES cmake/linux/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME d88cut)

set(CPACK_PACKAGE_NAME d88cut)
set(CPACK_PACKAGE_VENDOR "the d88cut authors")
set(CPACK_PACKAGE_CONTACT "${D88CUT_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "cut the data files out of D88 images of an eight-disk set")
set(CPACK_STRIP_FILES TRUE)
set(CPACK_PACKAGE_FILE_NAME d88cut-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION otherosfs)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The summary above is its first line; this the text below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "d88cut recognises which of a fixed set of eight disks each disk of a D88\n"
    "floppy-disk image holds and cuts that disk's data files out into the\n"
    "current folder. d88info shows what is inside an image and what d88cut does\n"
    "with each of its files, as text, JSON or an SVG picture.")
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION ${CPACK_DEBIAN_PACKAGE_DESCRIPTION})
include(CPack)
