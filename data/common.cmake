# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the data builders: reading source files, writing GIF files.
find_package(ZLIB REQUIRED)
find_path(GIF_INCLUDE_DIR gif_lib.h REQUIRED)
find_library(GIF_LIBRARY gif REQUIRED)

add_library(tarvex4_datacommon STATIC
  "${CMAKE_CURRENT_LIST_DIR}/common/SourceFiles.cpp"
  "${CMAKE_CURRENT_LIST_DIR}/common/GifFile.cpp")
target_include_directories(tarvex4_datacommon PUBLIC "${CMAKE_CURRENT_LIST_DIR}" "${GIF_INCLUDE_DIR}")
target_link_libraries(tarvex4_datacommon PUBLIC ${GIF_LIBRARY} ZLIB::ZLIB)
target_link_libraries(tarvex4_datacommon PRIVATE tarvex4_options)

# The parts of the program the builders share with it (database layer, the
# statement catalogue, the random generator, the author list) come from the
# program's own libraries.
add_library(tarvex4_datacore INTERFACE)
target_link_libraries(tarvex4_datacore INTERFACE tarvex4_db tarvex4_wordbooks tarvex4_options)
