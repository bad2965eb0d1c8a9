# SPDX-License-Identifier: GPL-3.0-or-later
# Generated collage pages opened in Debian's Chromium through playwright-core
# (npm install at the top of the tree); needs the delivered data.
find_program(NODE_EXECUTABLE node)
find_program(CHROMIUM_EXECUTABLE chromium)
if(NOT (TARVEX4_BUILD_DATA AND NODE_EXECUTABLE AND CHROMIUM_EXECUTABLE))
  return()
endif()

# browser_<name>: node <script> with `arguments`, at most `timeout` seconds.
function(tarvex4_browser_test name script timeout)
  add_test(NAME browser_${name} COMMAND "${NODE_EXECUTABLE}" "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/${script}" ${ARGN})
  # The longest tests start first (a higher cost), so that on two cores the
  # short ones fill in beside them instead of one long test running alone last.
  set_tests_properties(browser_${name} PROPERTIES
    TIMEOUT ${timeout}
    COST ${timeout}
    ENVIRONMENT "TARVEX4_NO_OPEN=1;ASAN_OPTIONS=detect_leaks=0;CHROMIUM=${CHROMIUM_EXECUTABLE}")
endfunction()

tarvex4_browser_test(collage_pages collage_page.test.mjs 600
  --exe "$<TARGET_FILE:tarvex4>"
  --data "${TARVEX4_BUILD_DATA_DIR}"
  --work "${CMAKE_BINARY_DIR}/browser-collage"
  --screenshot "${CMAKE_BINARY_DIR}/browser-collage-page.png")

tarvex4_browser_test(hostile_text hostile_text.test.mjs 300
  --exe "$<TARGET_FILE:tarvex4>"
  --data "${TARVEX4_BUILD_DATA_DIR}"
  --work "${CMAKE_BINARY_DIR}/browser-hostile")

tarvex4_browser_test(export_fidelity export_fidelity.test.mjs 600
  --exe "$<TARGET_FILE:tarvex4>"
  --export "$<TARGET_FILE:tarvex4-export>"
  --data "${TARVEX4_BUILD_DATA_DIR}"
  --work "${CMAKE_BINARY_DIR}/browser-export")

# Arabic, Hebrew, Chinese and Japanese snips: the export against Chromium.
tarvex4_browser_test(export_scripts export_scripts.test.mjs 300
  --exe "$<TARGET_FILE:tarvex4>"
  --export "$<TARGET_FILE:tarvex4-export>"
  --data "${TARVEX4_BUILD_DATA_DIR}"
  --work "${CMAKE_BINARY_DIR}/browser-scripts")

# A page the cut-up board saved (the board window test keeps it) in Chromium.
if(TARGET test_ui_board)
  tarvex4_browser_test(board_page board_page.test.mjs 300
    --board-test "$<TARGET_FILE:test_ui_board>"
    --data "${TARVEX4_BUILD_DATA_DIR}"
    --work "${CMAKE_BINARY_DIR}/browser-board")
endif()

tarvex4_browser_test(dragged_page dragged_page.test.mjs 300
  --exe "$<TARGET_FILE:tarvex4>"
  --export "$<TARGET_FILE:tarvex4-export>"
  --data "${TARVEX4_BUILD_DATA_DIR}"
  --work "${CMAKE_BINARY_DIR}/browser-dragged")

# Items turned with transform:rotate(): the export against Chromium.
tarvex4_browser_test(rotated_page rotated_page.test.mjs 300
  --exe "$<TARGET_FILE:tarvex4>"
  --export "$<TARGET_FILE:tarvex4-export>"
  --data "${TARVEX4_BUILD_DATA_DIR}"
  --work "${CMAKE_BINARY_DIR}/browser-rotated")
