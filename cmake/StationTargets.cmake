# Shared settings and helpers for every target of the project.

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  set(STATION_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align
      -Woverloaded-virtual -Wimplicit-fallthrough)
endif()

set(STATION_FUZZ_SECONDS 20 CACHE STRING "Seconds each fuzzer runs under ctest")

# Fuzzers get coverage feedback from every library they reach, not only from their own file. The
# tree is optimised at -O1, as the sanitizers and libFuzzer advise: unoptimised, bit-level code such
# as the cipher or the framers runs a few dozen inputs a second and the fuzzers explore little.
if(STATION_FUZZERS)
  add_compile_options(-fsanitize=fuzzer-no-link -O1)
endif()

if(STATION_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  # Tests that do much work do less of it under the sanitizers.
  add_compile_definitions(STATION_SANITIZED)
endif()

# station_library(<name> [STATIC|SHARED] SOURCES ... [PUBLIC_LIBS ...] [PRIVATE_LIBS ...])
# A folder's library; its folder's parent is on the include path, so headers are included as
# "qrpayload/cipher.h" or "platform/gui/controls.h".
function(station_library name)
  cmake_parse_arguments(A "SHARED;MODULE" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  if(A_SHARED)
    add_library(${name} SHARED ${A_SOURCES})
  elseif(A_MODULE)
    add_library(${name} MODULE ${A_SOURCES})
  else()
    add_library(${name} STATIC ${A_SOURCES})
  endif()
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${STATION_WARNINGS})
  target_link_libraries(${name} PUBLIC ${A_PUBLIC_LIBS} PRIVATE ${A_PRIVATE_LIBS})
endfunction()

# station_test(<name> SOURCES ... LIBS ... [LABELS ...])
# One GoogleTest executable registered with ctest; every test runs in its own temporary
# working directory (TEST_TMPDIR is set to it) and headless.
function(station_test name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  find_package(GTest REQUIRED)
  add_executable(${name} ${A_SOURCES})
  target_compile_options(${name} PRIVATE ${STATION_WARNINGS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${A_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE STATION_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                             STATION_BINARY_DIR="${PROJECT_BINARY_DIR}")
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set(labels ${A_LABELS})
  if(NOT labels)
    set(labels unit)
  endif()
  set_tests_properties(${name} PROPERTIES LABELS "${labels}" TIMEOUT 900
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
endfunction()

# station_bench(<name> SOURCES ... LIBS ...): a Google Benchmark executable.
function(station_bench name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${name} ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${A_LIBS} benchmark::benchmark benchmark::benchmark_main)
endfunction()

# station_fuzzer(<name> SOURCES ... LIBS ...): a libFuzzer target, registered with ctest as a
# short run (label "fuzz") over its starting corpus folder fuzz/corpus/<name> when it exists.
function(station_fuzzer name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  # New inputs go to a folder of the build tree; the starting corpus in the source tree stays as it is.
  set(work ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
  file(MAKE_DIRECTORY ${work})
  set(corpus ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name})
  set(args -max_total_time=${STATION_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048 ${work})
  if(EXISTS ${corpus})
    list(APPEND args ${corpus})
  endif()
  add_test(NAME ${name} COMMAND ${name} ${args})
  set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 600)
endfunction()

# Adds every immediate subfolder of the current folder that has a CMakeLists.txt and whose
# path (relative to the project) is in STATION_DIRS.
function(station_add_mirrored_subdirs)
  foreach(dir IN LISTS STATION_DIRS)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()
