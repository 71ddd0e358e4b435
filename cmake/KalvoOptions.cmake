# Warnings, sanitizers and the helper that turns a source folder into a library target.

add_library(kalvo_warnings INTERFACE)
target_compile_options(kalvo_warnings INTERFACE -Wall -Wextra -Wpedantic -Wno-missing-field-initializers)
if(KALVO_WERROR)
  target_compile_options(kalvo_warnings INTERFACE -Werror)
endif()

if(KALVO_SANITIZE OR KALVO_FUZZ)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
# Leak checking is on in the sanitizer build; what other libraries keep until the process ends is
# suppressed by tests/lsan-suppressions.txt.
set(KALVO_SANITIZER_ENV
  "ASAN_OPTIONS=detect_leaks=1;LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan-suppressions.txt:print_suppressions=0")
if(KALVO_FUZZ)
  # Coverage feedback from the libraries too, not only from the fuzz targets themselves.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# kalvo_folder_library(<target> <folder> [DEPS ...]): every .cpp below <folder> (recursively)
# becomes one library; the headers are found relative to src/.
function(kalvo_folder_library target folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC ${ARG_DEPS} PRIVATE kalvo_warnings)
  else()
    # A folder whose work has not landed yet: headers only.
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# kalvo_test_folder(<target> <folder> [DEPS ...]): one GoogleTest executable per tests folder.
function(kalvo_test_folder target folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${folder}/*.cpp ${folder}/*.h)
  if(NOT sources)
    return()
  endif()
  add_executable(${target} ${sources})
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} kalvo_testsupport GTest::gtest kalvo_warnings)
  target_compile_definitions(${target} PRIVATE
    KALVO_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data"
    KALVO_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${KALVO_SANITIZER_ENV}")
endfunction()
