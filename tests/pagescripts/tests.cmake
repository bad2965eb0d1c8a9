# SPDX-License-Identifier: GPL-3.0-or-later
# Browser test of the bundled page scripts (node's test runner, playwright-core, Debian's Chromium).
find_program(NODE_PROGRAM node)
if(TARVEX4_BUILD_DATA AND NODE_PROGRAM AND EXISTS /usr/bin/chromium)
  add_test(NAME pagescripts_browser
    COMMAND "${NODE_PROGRAM}" --test "${CMAKE_CURRENT_LIST_DIR}/pagescripts.test.mjs"
    WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}")
  set_tests_properties(pagescripts_browser PROPERTIES
    ENVIRONMENT "TARVEX4_ARTFONTS=${TARVEX4_BUILD_DATA_DIR}/artfonts"
    TIMEOUT 120)
endif()
