# Writes the manual page tarvex4(1) from the program's own --help and each
# sub-command's --help, so the page lists exactly what the program accepts.
#   cmake -DEXE=<tarvex4> -DOUT=<file> -DVERSION=<x.y.z> -P ManPage.cmake
# The help is CLI11's layout: a description, "Usage: ...", then sections
# ("Options:", "Positionals:", "Subcommands:") of entries whose text starts
# in column 30, continued on lines indented to that column.

cmake_minimum_required(VERSION 3.25)

foreach(var EXE OUT VERSION)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "ManPage.cmake needs -D${var}=...")
  endif()
endforeach()

set(help_column 30)
string(REPEAT " " ${help_column} continuation_indent)

function(run_help out_var)
  # Leak reports of a sanitizer build must not end the build.
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env ASAN_OPTIONS=detect_leaks=0 TARVEX4_NO_OPEN=1
                          "${EXE}" ${ARGN} --help
                  OUTPUT_VARIABLE text RESULT_VARIABLE status ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${EXE} ${ARGN} --help failed (${status}): ${err}")
  endif()
  set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

# Text -> list of lines. List separators and brackets are masked by single
# control characters (so columns stay put), since CMake lists split on ';'
# and never inside [...].
string(ASCII 1 mask_semi)
string(ASCII 2 mask_lb)
string(ASCII 3 mask_rb)
function(help_lines text out_var)
  string(REPLACE ";" "${mask_semi}" text "${text}")
  string(REPLACE "[" "${mask_lb}" text "${text}")
  string(REPLACE "]" "${mask_rb}" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(${out_var} "${lines}" PARENT_SCOPE)
endfunction()

# Plain help text -> troff text: backslashes, hyphens and a leading dot or
# quote would be read as requests.
function(troff out_var text)
  string(REPLACE "${mask_semi}" ";" text "${text}")
  string(REPLACE "${mask_lb}" "[" text "${text}")
  string(REPLACE "${mask_rb}" "]" text "${text}")
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  if(text MATCHES "^[.']")
    set(text "\\&${text}")
  endif()
  set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

# Appends the troff of one help text to `page`; the section headings become
# `heading_macro` lines. Sets `subcommands` to the entries of "Subcommands:".
function(render_help text heading_macro)
  help_lines("${text}" lines)
  set(body "")
  set(section "")
  set(names "")
  set(in_entry FALSE)
  list(LENGTH lines count)
  foreach(index RANGE ${count})
    if(index EQUAL count)
      break()
    endif()
    list(GET lines ${index} line)
    math(EXPR next "${index} + 1")
    set(next_line "")
    if(next LESS count)
      list(GET lines ${next} next_line)
    endif()
    string(LENGTH "${line}" length)
    if(line MATCHES "^Usage: (.*)$")
      troff(usage "${CMAKE_MATCH_1}")
      string(APPEND body ".PP\n.B ${usage}\n")
      set(in_entry FALSE)
    elseif(line MATCHES "^([A-Za-z][A-Za-z ]*):$")
      set(section "${CMAKE_MATCH_1}")
      string(TOUPPER "${section}" title)
      if(title STREQUAL "SUBCOMMANDS")
        set(title "COMMANDS")
      endif()
      string(APPEND body "${heading_macro} ${title}\n")
      set(in_entry FALSE)
    elseif(line MATCHES "^  [^ ]")
      # An entry: a term padded to the text's column, or a term too long
      # for it alone on its line with the text on the next. Terms hold no
      # double spaces, so only a term that ends right before the column is
      # told from a long one by the next line.
      string(SUBSTRING "${line}" 2 -1 rest)
      if(rest MATCHES "^([^ ]+( [^ ]+)*)  +(.*)$")
        set(term "${CMAKE_MATCH_1}")
        set(description "${CMAKE_MATCH_3}")
      elseif(length GREATER help_column AND NOT next_line MATCHES "^${continuation_indent}[^ ]")
        math(EXPR term_length "${help_column} - 2")
        string(SUBSTRING "${line}" 2 ${term_length} term)
        string(SUBSTRING "${line}" ${help_column} -1 description)
      else()
        set(term "${rest}")
        set(description "")
      endif()
      string(STRIP "${term}" term)
      if(section STREQUAL "Subcommands")
        list(APPEND names "${term}")
      endif()
      troff(term "${term}")
      troff(description "${description}")
      string(APPEND body ".TP\n.B ${term}\n")
      if(NOT description STREQUAL "")
        string(APPEND body "${description}\n")
      endif()
      set(in_entry TRUE)
    elseif(line MATCHES "^ +[^ ]" AND in_entry)
      string(STRIP "${line}" more)
      troff(more "${more}")
      string(APPEND body "${more}\n")
    elseif(line STREQUAL "")
      set(in_entry FALSE)
    else()
      troff(plain "${line}")
      string(APPEND body "${plain}\n")
    endif()
  endforeach()
  set(page "${page}${body}" PARENT_SCOPE)
  set(subcommands "${names}" PARENT_SCOPE)
endfunction()

set(page ".TH TARVEX4 1 \"\" \"tarvex4 ${VERSION}\" \"User Commands\"\n")
string(APPEND page ".SH NAME\ntarvex4 \\- text cut\\-up and auto\\-collage generator\n")
string(APPEND page ".SH SYNOPSIS\n.B tarvex4\n.RI [ FILE ]\n.br\n.B tarvex4\n.I command\n.RI [ options ]\n")
string(APPEND page ".SH DESCRIPTION\n")
run_help(root_help)
render_help("${root_help}" ".SH")
if(NOT subcommands)
  message(FATAL_ERROR "${EXE} --help lists no sub-command")
endif()
foreach(command IN LISTS subcommands)
  run_help(command_help ${command})
  string(APPEND page ".SH \"tarvex4 ${command}\"\n")
  render_help("${command_help}" ".SS")
  # A group (wordbook, images, data): each of its sub-commands with its own
  # options.
  set(group_commands "${subcommands}")
  foreach(group_command IN LISTS group_commands)
    run_help(group_help ${command} ${group_command})
    string(APPEND page ".SS \"tarvex4 ${command} ${group_command}\"\n")
    render_help("${group_help}" ".PP\n.B")
  endforeach()
endforeach()
string(APPEND page [=[
.SH ENVIRONMENT
.TP
.B VANTELO_HOME
The data folder. When unset, \fI$XDG_DATA_HOME/vantelo\fR, else
\fI~/.local/share/vantelo\fR. On first start what is missing there is copied
from the installed data.
.TP
.B TARVEX4_NO_OPEN
When 1, nothing is opened in the browser.
.SH FILES
.TP
.I /usr/share/tarvex4
The delivered data: the words database, letter pictures, page scripts and the
user manual.
.SH EXIT STATUS
0 when done, 1 when the command failed, 2 for bad usage.
]=])
file(WRITE "${OUT}.partial" "${page}")
file(RENAME "${OUT}.partial" "${OUT}")
