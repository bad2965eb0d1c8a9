# SPDX-License-Identifier: GPL-3.0-or-later
# The manual page, written from the program's own help whenever the program
# changes, so it lists every sub-command and option it has.
set(TARVEX4_MAN_PAGE "${CMAKE_BINARY_DIR}/share/man/man1/tarvex4.1.gz")
add_custom_command(
  OUTPUT "${TARVEX4_MAN_PAGE}"
  COMMAND "${CMAKE_COMMAND}" -DEXE=$<TARGET_FILE:tarvex4> -DOUT=${CMAKE_BINARY_DIR}/share/man/man1/tarvex4.1
          -DVERSION=${PROJECT_VERSION} -P "${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake"
  # Debian installs manual pages compressed, reproducibly (no name, no time).
  COMMAND gzip -9nf "${CMAKE_BINARY_DIR}/share/man/man1/tarvex4.1"
  DEPENDS tarvex4 tarvex4-commands "${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake"
  COMMENT "Writing the manual page tarvex4(1)"
  VERBATIM)
add_custom_target(tarvex4_man_page ALL DEPENDS "${TARVEX4_MAN_PAGE}")
install(FILES "${TARVEX4_MAN_PAGE}" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")

# Shell completion, written by the program from its own parser whenever the
# program changes, so it offers exactly the commands and options it has.
set(TARVEX4_COMPLETIONS "")
foreach(shell bash zsh)
  if(shell STREQUAL "bash")
    set(completion_dir "share/bash-completion/completions")
    set(completion_name "tarvex4")
  else()
    set(completion_dir "share/zsh/vendor-completions")
    set(completion_name "_tarvex4")
  endif()
  set(completion "${CMAKE_BINARY_DIR}/${completion_dir}/${completion_name}")
  add_custom_command(
    OUTPUT "${completion}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${CMAKE_BINARY_DIR}/${completion_dir}"
    COMMAND sh -c "ASAN_OPTIONS=detect_leaks=0 \"$0\" completion $1 > \"$2.partial\" && mv \"$2.partial\" \"$2\""
            $<TARGET_FILE:tarvex4> ${shell} "${completion}"
    DEPENDS tarvex4 tarvex4-commands
    COMMENT "Writing the ${shell} completion"
    VERBATIM)
  list(APPEND TARVEX4_COMPLETIONS "${completion}")
  install(FILES "${completion}" DESTINATION "${completion_dir}")
endforeach()
add_custom_target(tarvex4_completions ALL DEPENDS ${TARVEX4_COMPLETIONS})

# Debian's policy wants every package to carry its copyright and changelog in
# /usr/share/doc/<package>; the changelog is written per commit like the man page.
set(TARVEX4_DEB_CHANGELOG "${CMAKE_BINARY_DIR}/share/doc/tarvex4/changelog.gz")
execute_process(COMMAND git -C "${PROJECT_SOURCE_DIR}" log -1 --format=%aD
                OUTPUT_VARIABLE TARVEX4_COMMIT_DATE OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE git_status ERROR_QUIET)
if(NOT git_status EQUAL 0 OR TARVEX4_COMMIT_DATE STREQUAL "")
  string(TIMESTAMP TARVEX4_COMMIT_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
endif()
add_custom_command(
  OUTPUT "${TARVEX4_DEB_CHANGELOG}"
  COMMAND "${CMAKE_COMMAND}" -DVERSION=${PROJECT_VERSION} "-DDATE=${TARVEX4_COMMIT_DATE}"
          -DOUT=${CMAKE_BINARY_DIR}/share/doc/tarvex4/changelog -P "${PROJECT_SOURCE_DIR}/cmake/DebianDocs.cmake"
  COMMAND gzip -9nf "${CMAKE_BINARY_DIR}/share/doc/tarvex4/changelog"
  DEPENDS "${PROJECT_SOURCE_DIR}/cmake/DebianDocs.cmake"
  COMMENT "Writing the package changelog"
  VERBATIM)
add_custom_target(tarvex4_deb_changelog ALL DEPENDS "${TARVEX4_DEB_CHANGELOG}")
install(FILES "${TARVEX4_DEB_CHANGELOG}" "${PROJECT_SOURCE_DIR}/cmake/debian/copyright"
        DESTINATION share/doc/tarvex4)

# `cpack -G DEB` in the build folder makes the Debian package. Run-time
# library dependencies come from dpkg-shlibdeps, so Depends follows whatever
# the programs actually link.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvex4)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "tarvex4")
set(CPACK_PACKAGE_CONTACT "tarvex4 maintainers <maintainers@users.noreply.c-seed-bb8cb6e1.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "text cut-up and auto-collage generator")
# The summary above is the synopsis line; this is the text under it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "A writer fills a main text and four tracks, weights the tracks with faders\n"
  "and presses GO: the texts are cut into snips of a few words and, with\n"
  "pictures from an image library, written as one HTML collage page whose\n"
  "items can be dragged and resized in the browser. The same run, the rich\n"
  "text conversions and the word shredder are also headless sub-commands.")
string(REPLACE ";" "" CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Debian ships programs without their symbol tables (a tenth of the size).
set(CPACK_STRIP_FILES ON)
# What shlibdeps cannot see: the window opens finished collage pages and the
# manual in the browser through xdg-open. Everything else the window needs at
# run time (the xcb platform plugin, fontconfig and a font) comes with Qt's
# own packages. The sources window reads WebP pictures for its thumbnails
# through Qt's extra image format plugins.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-image-formats-plugins")
# Debian wants owner root and no group-writable files, whatever the build
# user's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
