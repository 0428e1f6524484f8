# The fuzz targets' short runs as one test of the suite, about 30 seconds per
# target plus the first build of build/fuzz. Included from tests/CMakeLists.txt:
#
#   include(${PROJECT_SOURCE_DIR}/fuzz/ctest.cmake)
#
# Only the build without sanitizers registers it: the fuzz targets carry
# their own sanitizers, and the sanitize run of the suite would otherwise
# fuzz the same code a second time. Without clang++ or its libFuzzer runtime
# the script exits 77 and CTest shows the test as skipped. The test runs
# alone: libFuzzer keeps one core busy and the machine may have only two.
if(NOT VELMARIC_SANITIZE)
  add_test(NAME fuzz_short_runs COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/run-fuzzers.sh 30)
  set_tests_properties(fuzz_short_runs PROPERTIES
    TIMEOUT 900
    LABELS fuzz
    SKIP_RETURN_CODE 77
    RUN_SERIAL TRUE)
endif()
