# SPDX-License-Identifier: GPL-3.0-or-later
# Concatenates script files into one page script:
#   cmake -DOUT=<file> "-DPARTS=<a;b;...>" -P Bundle.cmake
# Written to a temporary file first so an interrupted build leaves no half script.
set(text "")
foreach(part IN LISTS PARTS)
  file(READ "${part}" content)
  # the source maps are not shipped
  string(REGEX REPLACE "//# sourceMappingURL=[^\n]*" "" content "${content}")
  string(APPEND text "${content}\n;\n")
endforeach()
file(WRITE "${OUT}.partial" "${text}")
file(RENAME "${OUT}.partial" "${OUT}")
