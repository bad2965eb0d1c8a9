# SPDX-License-Identifier: GPL-3.0-or-later
# The user guide, opened from Help > User Guide.
set(manual_out "${TARVEX4_BUILD_DATA_DIR}/usermanual/vantelo_manual.html")
add_custom_command(
  OUTPUT "${manual_out}"
  COMMAND ${CMAKE_COMMAND} -E copy "${CMAKE_CURRENT_LIST_DIR}/manual/vantelo_manual.html" "${manual_out}"
  DEPENDS "${CMAKE_CURRENT_LIST_DIR}/manual/vantelo_manual.html"
  COMMENT "Copying the user guide"
  VERBATIM)
add_custom_target(tarvex4_data_manual ALL DEPENDS "${manual_out}")
