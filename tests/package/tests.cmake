# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: built with cpack from this build, then its file list,
# its Depends, its metadata and manual page are checked, and the programs are
# run as unpacked.
find_program(DPKG_DEB_PROGRAM dpkg-deb)
find_program(APPSTREAMCLI_PROGRAM appstreamcli REQUIRED)
if(DPKG_DEB_PROGRAM)
  add_test(NAME package_deb
    COMMAND bash "${CMAKE_CURRENT_LIST_DIR}/package_test.sh"
      "${CMAKE_BINARY_DIR}" "$<TARGET_FILE:tarvex4>" "${TARVEX4_BUILD_DATA}" "${APPSTREAMCLI_PROGRAM}")
  set_tests_properties(package_deb PROPERTIES
    TIMEOUT 120
    COST 120
    # cpack stages the whole install; nothing else writes there meanwhile.
    RESOURCE_LOCK package_staging
    ENVIRONMENT "TARVEX4_NO_OPEN=1")
endif()
