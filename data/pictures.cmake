# SPDX-License-Identifier: GPL-3.0-or-later
# Letter pictures of the four art fonts and the starter picture library,
# drawn with Qt and written as GIF files with giflib.
find_package(Qt6 REQUIRED COMPONENTS Gui)
file(GLOB picture_sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_LIST_DIR}/pictures/*.cpp")
add_executable(tarvex4_draw_pictures ${picture_sources})
target_link_libraries(tarvex4_draw_pictures PRIVATE tarvex4_datacommon tarvex4_datacore Qt6::Gui)

set(TARVEX4_FONT_LIST "${CMAKE_CURRENT_LIST_DIR}/pictures/fonts.txt")
file(STRINGS "${TARVEX4_FONT_LIST}" font_lines REGEX "^[a-z]+ /")
set(font_files)
foreach(line IN LISTS font_lines)
  string(REGEX REPLACE "^[a-z]+ " "" f "${line}")
  list(APPEND font_files "${f}")
endforeach()

set(artfonts_dir "${TARVEX4_BUILD_DATA_DIR}/artfonts")
set(TARVEX4_PICTURE_MANIFEST "${CMAKE_BINARY_DIR}/data/library.txt")
set(letter_files)
foreach(set_name stampkit ransomnote lcd metal)
  foreach(letter a b c d e f g h i j k l m n o p q r s t u v w x y z space)
    list(APPEND letter_files "${artfonts_dir}/${set_name}/${letter}.gif")
  endforeach()
endforeach()

add_custom_command(
  OUTPUT ${letter_files} "${TARVEX4_PICTURE_MANIFEST}"
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:tarvex4_draw_pictures> draw
          "fonts=${TARVEX4_FONT_LIST}" "artfonts=${artfonts_dir}"
          "library=${CMAKE_BINARY_DIR}/data/library" "manifest=${TARVEX4_PICTURE_MANIFEST}"
  DEPENDS tarvex4_draw_pictures "${TARVEX4_FONT_LIST}" ${font_files}
  COMMENT "Drawing letter pictures and the picture library"
  VERBATIM)
add_custom_target(tarvex4_data_pictures ALL DEPENDS ${letter_files} "${TARVEX4_PICTURE_MANIFEST}")
