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
#   share/man/man1/velmaric.1.gz       the manual page
#   share/doc/velmaric/copyright       the licence, in Debian's machine-readable form
#
# The Debian package adds two files that only make sense there (the install
# component "debian", which a plain cmake --install leaves out):
#
#   share/doc/velmaric/changelog.Debian.gz
#   share/lintian/overrides/velmaric
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
# A stripped install (cmake --install --strip, and CPack) also drops the
# compiler's version string, as Debian's own packages do.
if(CMAKE_STRIP)
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(
        COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment
                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${VELMARIC_PROGRAM_DIR}/velmaric\"
        RESULT_VARIABLE status)
      if(NOT status EQUAL 0)
        message(FATAL_ERROR \"could not strip the installed program: \${status}\")
      endif()
    endif()")
endif()
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

# ------------------------------------------------------ manual and licence --
set(velmaric_packaging ${CMAKE_CURRENT_LIST_DIR}/../packaging)
cmake_path(NORMAL_PATH velmaric_packaging)
set(velmaric_generated ${PROJECT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${velmaric_generated})

# The changelog's newest entry gives the package's revision and the manual's
# date: "velmaric (1.0.0-1) unstable; ..." and " -- name <mail>  Tue, 08 Dec 2026 ...".
set(velmaric_changelog ${velmaric_packaging}/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${velmaric_changelog})
file(STRINGS ${velmaric_changelog} velmaric_changelog_head LIMIT_COUNT 1)
file(STRINGS ${velmaric_changelog} velmaric_changelog_trailer REGEX "^ -- " LIMIT_COUNT 1)
if(NOT velmaric_changelog_head MATCHES "^velmaric \\(([^-)]+)-([^)]+)\\) ")
  message(FATAL_ERROR "${velmaric_changelog} does not begin with an entry \"velmaric (<version>-<revision>) ...\"")
endif()
set(velmaric_changelog_version ${CMAKE_MATCH_1})
set(velmaric_debian_revision ${CMAKE_MATCH_2})
if(NOT velmaric_changelog_trailer MATCHES ">  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "${velmaric_changelog}: the newest entry's trailer line has no date")
endif()
set(velmaric_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND velmaric_months ${CMAKE_MATCH_2} velmaric_month)
if(velmaric_month LESS 0)
  message(FATAL_ERROR "${velmaric_changelog}: '${CMAKE_MATCH_2}' is no month")
endif()
math(EXPR velmaric_month "${velmaric_month} + 1" OUTPUT_FORMAT DECIMAL)
string(LENGTH "${velmaric_month}" velmaric_month_digits)
if(velmaric_month_digits EQUAL 1)
  set(velmaric_month 0${velmaric_month})
endif()
set(VELMARIC_MANUAL_DATE ${CMAKE_MATCH_3}-${velmaric_month}-${CMAKE_MATCH_1})
if(NOT velmaric_changelog_version STREQUAL PROJECT_VERSION)
  # Not fatal, so that a version can be raised before its entry is written;
  # the packaging tests fail until it is.
  message(WARNING "packaging/changelog's newest entry is ${velmaric_changelog_version}, "
                  "the project is ${PROJECT_VERSION}: add an entry for ${PROJECT_VERSION}")
endif()

# Manual pages and changelogs are installed compressed with gzip -9n: no
# name or time stamp in the header, so the same text gives the same bytes.
find_program(VELMARIC_GZIP gzip REQUIRED)
function(velmaric_gzip source target)
  execute_process(COMMAND ${VELMARIC_GZIP} -9nc ${source} OUTPUT_FILE ${target}
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip ${source}: ${status}")
  endif()
endfunction()

configure_file(${velmaric_packaging}/velmaric.1.in ${velmaric_generated}/velmaric.1 @ONLY)
velmaric_gzip(${velmaric_generated}/velmaric.1 ${velmaric_generated}/velmaric.1.gz)
install(FILES ${velmaric_generated}/velmaric.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${velmaric_packaging}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velmaric)

velmaric_gzip(${velmaric_changelog} ${velmaric_generated}/changelog.Debian.gz)
install(FILES ${velmaric_generated}/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velmaric COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES ${velmaric_packaging}/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME velmaric
        COMPONENT debian EXCLUDE_FROM_ALL)

# ------------------------------------------------------------ Debian package --
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmaric)
set(CPACK_PACKAGE_VENDOR "${VELMARIC_MAKER}")
set(CPACK_PACKAGE_CONTACT "${VELMARIC_MAKER} <${VELMARIC_CONTACT}>")
set(CPACK_PACKAGE_HOMEPAGE_URL "${PROJECT_HOMEPAGE_URL}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Velmaric is a stopwatch in a small window. It shows the elapsed time in
seconds, minutes, hours and as days, hours, minutes, seconds and hundredths.
A timing survives closing the program: the elapsed time, the stop count and
the time of the first start come back at the next start. Every stop and
snapshot can be logged to a plain text file in fixed columns.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Folders 0755 whatever the umask of whoever builds the package.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# One package of both install components, the program's and Debian's own.
set(velmaric_program_component ${CMAKE_INSTALL_DEFAULT_COMPONENT_NAME})
if(NOT velmaric_program_component)
  set(velmaric_program_component Unspecified)
endif()
set(CPACK_COMPONENTS_ALL ${velmaric_program_component} debian)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_DEBIAN_PACKAGE_NAME velmaric)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${velmaric_debian_revision})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VELMARIC_MAKER} <${VELMARIC_CONTACT}>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Linked libraries come from dpkg-shlibdeps (package dpkg-dev). The rest is
# used at run time without being linked: the fonts, the file opener, and Qt's
# SVG plugins, which draw the SVG icon.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, xdg-utils, libqt6svg6")

include(CPack)
