# Project-wide compile settings and the helpers every module's CMakeLists.txt uses.

# Image operations must be bit-exact across builds: no contraction into FMA, no fast math,
# no -march=native (SIMD builds get their own per-file target flags).
add_compile_options(-Wall -Wextra -Wno-unused-parameter -ffp-contract=off -fno-strict-aliasing)

# A fuzz build gives every library libFuzzer's coverage feedback and the sanitizers, so the
# fuzz targets that link them find faults anywhere below their entry.
if(QM_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "QM_FUZZ needs clang (CXX=clang++ CC=clang)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(QM_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Headers are included by their path from the project root: "framework/core/String.h".
include_directories(${PROJECT_SOURCE_DIR})

# qm_library(<name> <sources...> [LIBS <libs...>])
function(qm_library name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_UNPARSED_ARGUMENTS})
  if(ARG_LIBS)
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  endif()
endfunction()

# qm_test(<name> <sources...> [LIBS <libs...>]): one GoogleTest executable, its cases run by CTest.
# Tests run from the build folder; QM_SOURCE_DIR and QM_TESTDATA_DIR point at the sources and
# the test data kept in the repository (the public PNG suite, under its own licence).
function(qm_test name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    QM_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    QM_TESTDATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
    QM_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QUILLOMAR_TEST=1")
endfunction()

# qm_bench(<name> <sources...> [LIBS <libs...>]): a Google Benchmark executable.
function(qm_bench name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark benchmark::benchmark_main)
  target_compile_definitions(${name} PRIVATE
    QM_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    QM_TESTDATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
endfunction()

# qm_glob_library(<name> [LIBS <libs...>]): a library of every .cpp below the calling folder, so
# several people can add files to one module without editing its CMakeLists.txt. Nothing is
# made while the folder has no sources yet.
function(qm_glob_library name)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    qm_library(${name} ${sources} ${ARGN})
  endif()
endfunction()

# qm_glob_test(<name> [LIBS <libs...>]): the same for a test folder.
function(qm_glob_test name)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    qm_test(${name} ${sources} ${ARGN})
  endif()
endfunction()

# qm_existing(<out> <targets...>): those of the given targets that are defined already. Modules
# come up one by one; a module links what lies below it as soon as that exists.
function(qm_existing out)
  set(found)
  foreach(t IN LISTS ARGN)
    if(TARGET ${t})
      list(APPEND found ${t})
    endif()
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()
