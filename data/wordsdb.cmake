# SPDX-License-Identifier: GPL-3.0-or-later
# words6.db: word tables from WordNet, author samples from public-domain texts,
# the delivered wordbooks and the picture library.
# The dictionaries come unpacked from their packages (scripts/setup.d/data.sh),
# since installing them would install a dictionary server too.
set(deb_cache "${PROJECT_SOURCE_DIR}/.cache/debs")
set(TARVEX4_GCIDE "${deb_cache}/dict-gcide/usr/share/dictd/gcide.dict.dz")
set(devil_dict "${deb_cache}/dict-devil/usr/share/dictd/devil.dict.dz")
set(wordnet_dir /usr/share/wordnet)
set(wordnet_files)
foreach(pos noun verb adj adv)
  list(APPEND wordnet_files "${wordnet_dir}/index.${pos}" "${wordnet_dir}/data.${pos}" "${wordnet_dir}/${pos}.exc")
endforeach()
set(word_lists /usr/share/dict/american-english-insane /usr/share/dict/british-english-insane)
find_program(BIBLE_PROGRAM bible)

# Configuring installs nothing: it names what is missing and where it comes
# from; scripts/setup.sh installs it.
set(missing)
macro(tarvex4_expect_file file source)
  if(NOT EXISTS "${file}")
    list(APPEND missing "  ${file} (${source})")
  endif()
endmacro()
tarvex4_expect_file("${TARVEX4_GCIDE}" "dict-gcide, unpacked by scripts/setup.sh")
tarvex4_expect_file("${devil_dict}" "dict-devil, unpacked by scripts/setup.sh")
foreach(f IN LISTS wordnet_files)
  tarvex4_expect_file("${f}" "Debian package wordnet-base")
endforeach()
tarvex4_expect_file(/usr/share/dict/american-english-insane "Debian package wamerican-insane")
tarvex4_expect_file(/usr/share/dict/british-english-insane "Debian package wbritish-insane")
tarvex4_expect_file(/usr/lib/bible.data "Debian package bible-kjv")
if(NOT BIBLE_PROGRAM)
  list(APPEND missing "  the program bible (Debian package bible-kjv)")
endif()
if(missing)
  list(JOIN missing "\n" missing_text)
  message(FATAL_ERROR "The words database cannot be built; missing:\n${missing_text}\n"
                      "Run scripts/setup.sh, or configure with -DTARVEX4_BUILD_DATA=OFF.")
endif()

file(GLOB wordsdb_sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_LIST_DIR}/wordsdb/*.cpp")
add_executable(tarvex4_build_wordsdb ${wordsdb_sources})
target_link_libraries(tarvex4_build_wordsdb PRIVATE tarvex4_datacommon tarvex4_datacore)

set(words_db "${TARVEX4_BUILD_DATA_DIR}/words6.db")
string(REPLACE ";" ":" word_list_arg "${word_lists}")
add_custom_command(
  OUTPUT "${words_db}"
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:tarvex4_build_wordsdb> "out=${words_db}" "wordnet=${wordnet_dir}"
          "wordlists=${word_list_arg}" "gcide=${TARVEX4_GCIDE}" "devil=${devil_dict}"
          "bible=${BIBLE_PROGRAM}" "pictures=${TARVEX4_PICTURE_MANIFEST}"
  DEPENDS tarvex4_build_wordsdb ${wordnet_files} ${word_lists} "${TARVEX4_GCIDE}" "${devil_dict}"
          /usr/lib/bible.data "${TARVEX4_PICTURE_MANIFEST}"
  COMMENT "Building words6.db"
  VERBATIM)
add_custom_target(tarvex4_data_wordsdb ALL DEPENDS "${words_db}")
