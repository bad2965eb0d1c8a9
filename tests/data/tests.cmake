# SPDX-License-Identifier: GPL-3.0-or-later
# test_data: the builders' rules on small inputs, and the data the build laid out.
set(data_src "${PROJECT_SOURCE_DIR}/data")
file(GLOB builder_sources "${data_src}/wordsdb/*.cpp")
list(FILTER builder_sources EXCLUDE REGEX "/main\\.cpp$")
find_package(ZLIB REQUIRED)
find_path(GIF_INCLUDE_DIR gif_lib.h REQUIRED)
find_library(GIF_LIBRARY gif REQUIRED)
# The builders' own files keep their own translation units, as in the builders.
set_source_files_properties(${builder_sources} "${data_src}/common/SourceFiles.cpp" "${data_src}/common/GifFile.cpp"
  PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
target_sources(test_data PRIVATE ${builder_sources} "${data_src}/common/SourceFiles.cpp" "${data_src}/common/GifFile.cpp")
target_include_directories(test_data PRIVATE "${data_src}" "${GIF_INCLUDE_DIR}")
target_link_libraries(test_data PRIVATE ${GIF_LIBRARY} ZLIB::ZLIB)
if(TARVEX4_BUILD_DATA)
  add_dependencies(test_data tarvex4_data_wordsdb tarvex4_data_pictures tarvex4_data_pagescripts tarvex4_data_manual)
else()
  target_compile_definitions(test_data PRIVATE TARVEX4_DATA_NOT_BUILT)
endif()
