# SPDX-License-Identifier: GPL-3.0-or-later
# Every folder under tests/ becomes one test program: tests/<name>/*.cpp -> test_<name>.
# A folder whose name starts with "ui" links the Qt layer and runs offscreen.
function(tarvex4_add_test_folder dir)
  get_filename_component(name "${dir}" NAME)
  file(GLOB sources CONFIGURE_DEPENDS "${dir}/*.cpp")
  if(NOT sources)
    return()
  endif()
  set(target test_${name})
  if(name MATCHES "^ui")
    list(APPEND sources "${PROJECT_SOURCE_DIR}/tests/common/WindowTestOptions.cpp")
  endif()
  add_executable(${target} ${sources})
  # A folder's test files compile in batches: each parses GoogleTest and the
  # headers it tests once, which was most of a test file's compile.
  # (GCC then takes a fixture in an anonymous namespace of an included test
  # file for one shared between files; within one batch it is not.)
  set_target_properties(${target} PROPERTIES TARVEX4_TEST_PROGRAM ON UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 4)
  target_compile_options(${target} PRIVATE $<$<CXX_COMPILER_ID:GNU>:-Wno-subobject-linkage>)
  target_include_directories(${target} PRIVATE "${dir}" "${PROJECT_SOURCE_DIR}/tests/common")
  if(name MATCHES "^ui")
    target_link_libraries(${target} PRIVATE tarvex4ui tarvex4cli Qt6::Test GTest::gtest GTest::gtest_main)
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
  else()
    target_link_libraries(${target} PRIVATE tarvex4cli tarvex4core GTest::gtest GTest::gtest_main)
  endif()
  target_link_libraries(${target} PRIVATE tarvex4_options)
  target_compile_definitions(${target} PRIVATE
    TARVEX4_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    TARVEX4_BUILD_DIR="${PROJECT_BINARY_DIR}"
    TARVEX4_BUILD_DATA_DIR="${TARVEX4_BUILD_DATA_DIR}"
    TARVEX4_EXE="$<TARGET_FILE:tarvex4>"
    TARVEX4_WINDOW_EXE="$<TARGET_FILE:tarvex4-window>"
    TARVEX4_DEVICES_MODULE_FILE="$<TARGET_FILE:tarvex4-devices>")
  add_dependencies(${target} tarvex4 tarvex4-window)
  # One variable per property: a list here would be split into property names.
  gtest_discover_tests(${target}
    WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}"
    DISCOVERY_TIMEOUT 60
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen ENVIRONMENT_MODIFICATION TARVEX4_NO_OPEN=set:1)
endfunction()
