# Installed layout and the Debian package. Included from the top-level
# CMakeLists.txt once the velmaric target exists.
#
#   lib/velmaric/velmaric              the program
#   lib/velmaric/velmaric.txt          its readme, found beside the program
#   lib/velmaric/catalog.txt           the catalog, found beside the program
#   bin/velmaric                       relative link to ../lib/velmaric/velmaric
#   share/applications/io.example.velmaric.desktop
#   share/metainfo/io.example.velmaric.metainfo.xml
#   share/icons/hicolor/scalable/apps/io.example.velmaric.svg
#
# The program's folder is plain lib/velmaric, not CMAKE_INSTALL_LIBDIR:
# Debian's LIBDIR is lib/<multiarch> and the program is no library.

if(NOT TARGET velmaric)
  message(FATAL_ERROR "cmake/install.cmake needs the velmaric target: include it after src/")
endif()

set(VELMARIC_PROGRAM_DIR lib/velmaric)
set(VELMARIC_APP_ID io.example.velmaric)
set(velmaric_assets ${CMAKE_CURRENT_LIST_DIR}/../assets)
cmake_path(NORMAL_PATH velmaric_assets)

# The two companion texts also sit beside the program in the build tree, so
# that Help opens them from a build that was never installed.
set(velmaric_companion_texts ${velmaric_assets}/velmaric.txt ${velmaric_assets}/catalog.txt)
set(velmaric_built_texts)
foreach(text IN LISTS velmaric_companion_texts)
  cmake_path(GET text FILENAME leaf)
  add_custom_command(
    OUTPUT ${PROJECT_BINARY_DIR}/${leaf}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${text} ${PROJECT_BINARY_DIR}/${leaf}
    DEPENDS ${text}
    COMMENT "Placing ${leaf} beside the program")
  list(APPEND velmaric_built_texts ${PROJECT_BINARY_DIR}/${leaf})
endforeach()
add_custom_target(velmaric_companion_texts ALL DEPENDS ${velmaric_built_texts})

install(TARGETS velmaric RUNTIME DESTINATION ${VELMARIC_PROGRAM_DIR})
install(FILES ${velmaric_companion_texts} DESTINATION ${VELMARIC_PROGRAM_DIR})

# The link is made here and installed as a link: install(FILES) keeps a
# symbolic link as it is.
cmake_path(IS_ABSOLUTE CMAKE_INSTALL_BINDIR bindir_is_absolute)
if(bindir_is_absolute)
  message(FATAL_ERROR "CMAKE_INSTALL_BINDIR must be relative to the prefix")
endif()
file(RELATIVE_PATH velmaric_link_target /prefix/${CMAKE_INSTALL_BINDIR}
     /prefix/${VELMARIC_PROGRAM_DIR}/velmaric)
set(velmaric_link ${CMAKE_CURRENT_BINARY_DIR}/installed-link/velmaric)
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/installed-link)
file(CREATE_LINK ${velmaric_link_target} ${velmaric_link} SYMBOLIC)
install(FILES ${velmaric_link} DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${velmaric_assets}/${VELMARIC_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${velmaric_assets}/${VELMARIC_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${velmaric_assets}/velmaric.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${VELMARIC_APP_ID}.svg)

# ------------------------------------------------------------ Debian package --
# The maker's addresses live in one place, the product texts of the program.
set(velmaric_product_info ${CMAKE_CURRENT_LIST_DIR}/../src/ui/product_info.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${velmaric_product_info})
file(STRINGS ${velmaric_product_info} velmaric_email_line REGEX "email_address = \"")
file(STRINGS ${velmaric_product_info} velmaric_web_line REGEX "web_address = \"")
file(STRINGS ${velmaric_product_info} velmaric_credit_line REGEX "credit = \"")
string(REGEX REPLACE ".*\"(.*)\".*" "\\1" velmaric_email "${velmaric_email_line}")
string(REGEX REPLACE ".*\"(.*)\".*" "\\1" velmaric_web "${velmaric_web_line}")
string(REGEX REPLACE ".*\"(.*)\".*" "\\1" velmaric_credit "${velmaric_credit_line}")
if(NOT velmaric_email MATCHES "@" OR NOT velmaric_web MATCHES "^https?://" OR velmaric_credit STREQUAL "")
  message(FATAL_ERROR "could not read the maker's addresses from ${velmaric_product_info}")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmaric)
set(CPACK_PACKAGE_VENDOR "${velmaric_credit}")
set(CPACK_PACKAGE_CONTACT "${velmaric_credit} <${velmaric_email}>")
set(CPACK_PACKAGE_HOMEPAGE_URL "${velmaric_web}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop stopwatch that keeps a timing across runs")
set(CPACK_PACKAGE_DESCRIPTION
    "Velmaric is a stopwatch in a small window. It shows the elapsed time in
seconds, minutes, hours and as days, hours, minutes, seconds and hundredths.
A timing survives closing the program: the elapsed time, the stop count and
the time of the first start come back at the next start. Every stop and
snapshot can be logged to a plain text file in fixed columns.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${velmaric_credit} <${velmaric_email}>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Linked libraries come from dpkg-shlibdeps (package dpkg-dev). The rest is
# used at run time without being linked: the fonts, the file opener, and Qt's
# SVG plugins, which draw the SVG icon.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, xdg-utils, libqt6svg6")

include(CPack)
