# Build conventions shared by every folder.
#
#   spurlix_library(NAME [QT] [DEPS targets...] [TEST_DEPS targets...]
#                   [TEST_LOCK resource])
#
# builds the library NAME from the folder's *.cpp files, the unit-test program
# NAME_tests from its *_test.cpp files (registered with ctest) and, when
# SPURLIX_FUZZ is on, one libFuzzer program per *_fuzz.cpp file. Sources are
# found by their endings, so adding a file needs no edit here. QT marks a
# folder of Qt code: moc and the resource compiler run on it (*.qrc files are
# part of the library), and its tests run on Qt's offscreen platform.
# TEST_LOCK names a resource the tests use that other tests' use would
# disturb (ctest's RESOURCE_LOCK): tests with the same lock never run at once.
# Where code must differ between the platforms, a folder holds one file per
# platform: *_posix.cpp is built for Linux, *_win32.cpp for Windows; the
# backends of the platform services live in platform/linux/ and
# platform/win32/, one library each, named by SPURLIX_PLATFORM_BACKEND.

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

if(WIN32)
  # Text crosses into Windows through the wide (W) functions only.
  add_compile_definitions(UNICODE _UNICODE NOMINMAX)
  set(SPURLIX_PLATFORM_BACKEND platform_win32)
  # The tests run under Wine, which shows the host's file system as drive Z:.
  set(SPURLIX_TEST_DATA_DIR "Z:${PROJECT_SOURCE_DIR}/tests/data")
  # Listing a test program's cases needs Wine: do it when ctest runs, not
  # when the program is built.
  set(SPURLIX_DISCOVERY_MODE PRE_TEST)
else()
  set(SPURLIX_PLATFORM_BACKEND platform_linux)
  set(SPURLIX_TEST_DATA_DIR "${PROJECT_SOURCE_DIR}/tests/data")
  set(SPURLIX_DISCOVERY_MODE POST_BUILD)
endif()

function(spurlix_warnings target)
  target_compile_options(${target} PRIVATE ${SPURLIX_WARNINGS})
endfunction()

function(spurlix_library name)
  cmake_parse_arguments(ARG "QT" "TEST_LOCK" "DEPS;TEST_DEPS" ${ARGN})
  file(GLOB all_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
       ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  if(WIN32)
    list(FILTER all_sources EXCLUDE REGEX "_posix(_test)?\\.cpp$")
  else()
    list(FILTER all_sources EXCLUDE REGEX "_win32(_test)?\\.cpp$")
  endif()
  set(lib_sources ${all_sources})
  list(FILTER lib_sources EXCLUDE REGEX "(_test|_fuzz)\\.cpp$")
  if(ARG_QT)
    # moc needs the headers that declare Q_OBJECT classes among the sources.
    file(GLOB qt_headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    list(APPEND lib_sources ${qt_headers})
  endif()
  set(test_sources ${all_sources})
  list(FILTER test_sources INCLUDE REGEX "_test\\.cpp$")
  file(GLOB fuzz_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_fuzz.cpp)

  if(lib_sources)
    add_library(${name} STATIC ${lib_sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    spurlix_warnings(${name})
    if(ARG_QT)
      set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON)
    endif()
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()

  if(test_sources AND NOT SPURLIX_FUZZ)
    add_executable(${name}_tests ${test_sources})
    target_link_libraries(${name}_tests PRIVATE ${name} ${ARG_TEST_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
    target_compile_definitions(${name}_tests PRIVATE
      SPURLIX_TEST_DATA="${SPURLIX_TEST_DATA_DIR}")
    spurlix_warnings(${name}_tests)
    # Property names and values as pairs; an empty value would break the pairs.
    # The locked tests take seconds; one that runs for minutes hangs, and it
    # would hold up every other test of its lock.
    set(test_properties TIMEOUT 300)
    if(ARG_TEST_LOCK)
      set(test_properties TIMEOUT 120 RESOURCE_LOCK ${ARG_TEST_LOCK})
    endif()
    if(ARG_QT)
      set_target_properties(${name}_tests PROPERTIES AUTOMOC ON AUTORCC ON)
      list(APPEND test_properties ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    endif()
    gtest_discover_tests(${name}_tests DISCOVERY_TIMEOUT 60 DISCOVERY_MODE ${SPURLIX_DISCOVERY_MODE}
                         PROPERTIES ${test_properties})
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
