# SPDX-License-Identifier: GPL-3.0-or-later
# Desktop integration of the window: menu entry and icon.
install(FILES "${CMAKE_CURRENT_LIST_DIR}/tarvex4.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${CMAKE_CURRENT_LIST_DIR}/tarvex4.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
# Software centres find the program by its AppStream metadata.
install(FILES "${CMAKE_CURRENT_LIST_DIR}/org.tarvex4.tarvex4.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
