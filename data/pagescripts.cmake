# SPDX-License-Identifier: GPL-3.0-or-later
# The two page scripts of the art-font folder, bundled from pinned npm
# packages (package.json, package-lock.json) and our adapters.
set(node_modules "${PROJECT_SOURCE_DIR}/node_modules")
# The build installs nothing: when the installed packages do not match the
# lock file (the stamp scripts/setup.sh writes after npm ci), it says so.
add_custom_command(
  OUTPUT "${CMAKE_BINARY_DIR}/data/npm.stamp"
  COMMAND bash -c "sum=$(sha256sum package-lock.json | cut -d' ' -f1); if [ \"$(cat node_modules/.package-lock.sha 2>/dev/null)\" != \"$sum\" ]; then echo 'node_modules does not match package-lock.json: run scripts/setup.sh' >&2; exit 1; fi"
  COMMAND ${CMAKE_COMMAND} -E touch "${CMAKE_BINARY_DIR}/data/npm.stamp"
  DEPENDS "${PROJECT_SOURCE_DIR}/package-lock.json" "${PROJECT_SOURCE_DIR}/package.json"
  WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
  COMMENT "Checking the pinned npm packages"
  VERBATIM)

set(artfonts_dir "${TARVEX4_BUILD_DATA_DIR}/artfonts")
set(script_dir "${CMAKE_CURRENT_LIST_DIR}/pagescripts")
function(tarvex4_bundle_script out)
  add_custom_command(
    OUTPUT "${artfonts_dir}/${out}"
    COMMAND ${CMAKE_COMMAND} "-DOUT=${artfonts_dir}/${out}" "-DPARTS=${ARGN}" -P "${script_dir}/Bundle.cmake"
    DEPENDS "${CMAKE_BINARY_DIR}/data/npm.stamp" "${script_dir}/Bundle.cmake" ${ARGN}
    COMMENT "Bundling ${out}"
    VERBATIM)
endfunction()
tarvex4_bundle_script(wz_dragdrop.js "${node_modules}/interactjs/dist/interact.min.js" "${script_dir}/dragdrop.js")
tarvex4_bundle_script(canvas.js "${node_modules}/html2canvas/dist/html2canvas.min.js" "${script_dir}/capture.js")
add_custom_target(tarvex4_data_pagescripts ALL DEPENDS "${artfonts_dir}/wz_dragdrop.js" "${artfonts_dir}/canvas.js")
