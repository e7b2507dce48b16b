# Build conventions shared by every folder.
#
#   spurlix_library(NAME [DEPS targets...] [TEST_DEPS targets...])
#
# builds the library NAME from the folder's *.cpp files, the unit-test program
# NAME_tests from its *_test.cpp files (registered with ctest) and, when
# SPURLIX_FUZZ is on, one libFuzzer program per *_fuzz.cpp file. Sources are
# found by their endings, so adding a file needs no edit here.

set(SPURLIX_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
    -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual -Wimplicit-fallthrough)

if(SPURLIX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
if(SPURLIX_FUZZ)
  add_compile_options(-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

function(spurlix_warnings target)
  target_compile_options(${target} PRIVATE ${SPURLIX_WARNINGS})
endfunction()

function(spurlix_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;TEST_DEPS" ${ARGN})
  file(GLOB all_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(lib_sources ${all_sources})
  list(FILTER lib_sources EXCLUDE REGEX "(_test|_fuzz)\\.cpp$")
  file(GLOB test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  file(GLOB fuzz_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_fuzz.cpp)

  if(lib_sources)
    add_library(${name} STATIC ${lib_sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    spurlix_warnings(${name})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()

  if(test_sources AND NOT SPURLIX_FUZZ)
    add_executable(${name}_tests ${test_sources})
    target_link_libraries(${name}_tests PRIVATE ${name} ${ARG_TEST_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
    target_compile_definitions(${name}_tests PRIVATE
      SPURLIX_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
    spurlix_warnings(${name}_tests)
    gtest_discover_tests(${name}_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
  endif()

  if(SPURLIX_FUZZ)
    foreach(src ${fuzz_sources})
      get_filename_component(fuzzer ${src} NAME_WE)
      add_executable(${fuzzer} ${src})
      target_link_libraries(${fuzzer} PRIVATE ${name})
      target_link_options(${fuzzer} PRIVATE -fsanitize=fuzzer)
      set_property(GLOBAL APPEND PROPERTY SPURLIX_FUZZERS ${fuzzer})
    endforeach()
  endif()
endfunction()
