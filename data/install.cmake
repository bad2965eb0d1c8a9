# SPDX-License-Identifier: GPL-3.0-or-later
# Everything laid out in the build tree's share/tarvex4 is the delivered data.
install(DIRECTORY "${TARVEX4_BUILD_DATA_DIR}/" DESTINATION "${CMAKE_INSTALL_DATADIR}/tarvex4"
        PATTERN "*.partial" EXCLUDE)
