# velmaric_layer(<layer> SOURCES <files...> [USES <layers...>])
# One static library a layer, velmaric_<layer>, which the program, the tests
# and the fuzz targets link. Every layer publishes its headers the same way:
# included as "<layer>/<file>.h", from src/ or, for a header the build makes,
# from the build's src/. Included by src/CMakeLists.txt and by the fuzz
# project, which builds some of the layers on their own.
set(velmaric_source_folder ${CMAKE_CURRENT_LIST_DIR}/../src)
cmake_path(NORMAL_PATH velmaric_source_folder)

function(velmaric_layer layer)
  cmake_parse_arguments(arg "" "" "SOURCES;USES" ${ARGN})
  add_library(velmaric_${layer} STATIC ${arg_SOURCES})
  target_include_directories(velmaric_${layer}
                             PUBLIC ${velmaric_source_folder} ${PROJECT_BINARY_DIR}/src)
  list(TRANSFORM arg_USES PREPEND velmaric_)
  target_link_libraries(velmaric_${layer} PUBLIC ${arg_USES} PRIVATE velmaric_warnings)
endfunction()
