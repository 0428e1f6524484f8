# The Windows packages, made by every windows build. Included from the
# top-level CMakeLists.txt once the velmaric target exists.
#
#   velmaric-<version>-setup.exe     the installer (packaging/windows/velmaric.nsi):
#                                    the three files below in the user's
#                                    Programs folder, a Start-menu shortcut
#                                    and an uninstaller
#   velmaric-<version>-windows.zip   the portable program, to unpack anywhere:
#     velmaric-<version>/velmaric.exe
#     velmaric-<version>/velmaric.txt   its readme, found beside the program
#     velmaric-<version>/catalog.txt    the catalog, found beside the program
#
# Both carry the program stripped of its symbols and debugging information.

if(NOT TARGET velmaric)
  message(FATAL_ERROR "cmake/windows_packages.cmake needs the velmaric target: include it after src/")
endif()

find_program(VELMARIC_MAKENSIS makensis REQUIRED)
if(NOT CMAKE_STRIP)
  message(FATAL_ERROR "the windows packages need the toolchain's strip")
endif()

set(velmaric_assets ${CMAKE_CURRENT_LIST_DIR}/../assets)
cmake_path(NORMAL_PATH velmaric_assets)
set(velmaric_package_name velmaric-${PROJECT_VERSION})
set(VELMARIC_INSTALLER ${PROJECT_BINARY_DIR}/${velmaric_package_name}-setup.exe)
set(VELMARIC_PORTABLE_ZIP ${PROJECT_BINARY_DIR}/${velmaric_package_name}-windows.zip)

# What both packages hold, in a folder of its own.
set(velmaric_stage ${PROJECT_BINARY_DIR}/packaging/${velmaric_package_name})
set(velmaric_staged ${velmaric_stage}/velmaric.exe ${velmaric_stage}/velmaric.txt
                    ${velmaric_stage}/catalog.txt)
add_custom_command(
  OUTPUT ${velmaric_staged}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${velmaric_stage}
  COMMAND ${CMAKE_STRIP} --strip-all -o ${velmaric_stage}/velmaric.exe $<TARGET_FILE:velmaric>
  COMMAND ${CMAKE_COMMAND} -E copy ${velmaric_assets}/velmaric.txt ${velmaric_assets}/catalog.txt
          ${velmaric_stage}
  DEPENDS velmaric ${velmaric_assets}/velmaric.txt ${velmaric_assets}/catalog.txt
  COMMENT "Gathering the files of the Windows packages" VERBATIM)

set(velmaric_nsi ${PROJECT_SOURCE_DIR}/packaging/windows/velmaric.nsi)
set(velmaric_icon ${PROJECT_BINARY_DIR}/src/win32/pictures/velmaric.ico)
add_custom_command(
  OUTPUT ${VELMARIC_INSTALLER}
  COMMAND ${VELMARIC_MAKENSIS} -V2 -NOCD
          -DVERSION=${PROJECT_VERSION}
          -DPRODUCT=${VELMARIC_PRODUCT_NAME}
          -DMAKER=${VELMARIC_MAKER}
          -DHOMEPAGE=${PROJECT_HOMEPAGE_URL}
          -DSTAGE=${velmaric_stage}
          -DICON=${velmaric_icon}
          -DOUTFILE=${VELMARIC_INSTALLER}
          ${velmaric_nsi}
  DEPENDS ${velmaric_nsi} ${velmaric_staged} velmaric_drawn_pictures
  COMMENT "Making the Windows installer ${velmaric_package_name}-setup.exe" VERBATIM)
add_custom_target(windows_installer ALL DEPENDS ${VELMARIC_INSTALLER})

add_custom_command(
  OUTPUT ${VELMARIC_PORTABLE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${VELMARIC_PORTABLE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E tar cf ${VELMARIC_PORTABLE_ZIP} --format=zip ${velmaric_package_name}
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/packaging
  DEPENDS ${velmaric_staged}
  COMMENT "Making the portable zip ${velmaric_package_name}-windows.zip" VERBATIM)
add_custom_target(windows_portable_zip ALL DEPENDS ${VELMARIC_PORTABLE_ZIP})
