# Generated collage pages opened in Debian's Chromium through playwright-core
# (npm install at the top of the tree); needs the delivered data.
find_program(NODE_EXECUTABLE node)
find_program(CHROMIUM_EXECUTABLE chromium)
if(TARVEX4_BUILD_DATA AND NODE_EXECUTABLE AND CHROMIUM_EXECUTABLE)
  add_test(NAME browser_collage_pages
    COMMAND "${NODE_EXECUTABLE}" "${CMAKE_CURRENT_LIST_DIR}/collage_page.test.mjs"
      --exe "$<TARGET_FILE:tarvex4>"
      --data "${TARVEX4_BUILD_DATA_DIR}"
      --work "${CMAKE_BINARY_DIR}/browser-collage"
      --screenshot "${CMAKE_BINARY_DIR}/browser-collage-page.png")
  set_tests_properties(browser_collage_pages PROPERTIES
    TIMEOUT 600
    ENVIRONMENT "TARVEX4_NO_OPEN=1;ASAN_OPTIONS=detect_leaks=0;CHROMIUM=${CHROMIUM_EXECUTABLE}")
endif()

if(TARVEX4_BUILD_DATA AND NODE_EXECUTABLE AND CHROMIUM_EXECUTABLE)
  add_test(NAME browser_hostile_text
    COMMAND "${NODE_EXECUTABLE}" "${CMAKE_CURRENT_LIST_DIR}/hostile_text.test.mjs"
      --exe "$<TARGET_FILE:tarvex4>"
      --data "${TARVEX4_BUILD_DATA_DIR}"
      --work "${CMAKE_BINARY_DIR}/browser-hostile")
  set_tests_properties(browser_hostile_text PROPERTIES
    TIMEOUT 300
    ENVIRONMENT "TARVEX4_NO_OPEN=1;ASAN_OPTIONS=detect_leaks=0;CHROMIUM=${CHROMIUM_EXECUTABLE}")
endif()

if(TARVEX4_BUILD_DATA AND NODE_EXECUTABLE AND CHROMIUM_EXECUTABLE)
  add_test(NAME browser_export_fidelity
    COMMAND "${NODE_EXECUTABLE}" "${CMAKE_CURRENT_LIST_DIR}/export_fidelity.test.mjs"
      --exe "$<TARGET_FILE:tarvex4>"
      --export "$<TARGET_FILE:tarvex4-export>"
      --data "${TARVEX4_BUILD_DATA_DIR}"
      --work "${CMAKE_BINARY_DIR}/browser-export")
  set_tests_properties(browser_export_fidelity PROPERTIES
    TIMEOUT 600
    ENVIRONMENT "TARVEX4_NO_OPEN=1;ASAN_OPTIONS=detect_leaks=0;CHROMIUM=${CHROMIUM_EXECUTABLE}")
endif()

# A page the cut-up board saved (the board window test keeps it) in Chromium.
if(TARVEX4_BUILD_DATA AND NODE_EXECUTABLE AND CHROMIUM_EXECUTABLE AND TARGET test_ui_board)
  add_test(NAME browser_board_page
    COMMAND "${NODE_EXECUTABLE}" "${CMAKE_CURRENT_LIST_DIR}/board_page.test.mjs"
      --board-test "$<TARGET_FILE:test_ui_board>"
      --data "${TARVEX4_BUILD_DATA_DIR}"
      --work "${CMAKE_BINARY_DIR}/browser-board")
  set_tests_properties(browser_board_page PROPERTIES
    TIMEOUT 300
    ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0;CHROMIUM=${CHROMIUM_EXECUTABLE}")
endif()
