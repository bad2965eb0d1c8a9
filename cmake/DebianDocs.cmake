# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the Debian package's changelog (compressed, as Debian installs it)
# from the project version and the date of the commit being built, so that the
# same commit always gives the same bytes.
#   cmake -DVERSION=<x.y.z> -DDATE=<RFC 5322 date> -DOUT=<changelog> -P DebianDocs.cmake

cmake_minimum_required(VERSION 3.25)
foreach(var VERSION DATE OUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "DebianDocs.cmake needs -D${var}=...")
  endif()
endforeach()

file(WRITE "${OUT}"
  "tarvex4 (${VERSION}) unstable; urgency=medium\n"
  "\n"
  "  * Release ${VERSION}. What changed is in the user manual and README.\n"
  "\n"
  " -- tarvex4 maintainers <maintainers@users.noreply.c-seed-bb8cb6e1.example>  ${DATE}\n")
