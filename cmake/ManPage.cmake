# SPDX-License-Identifier: GPL-3.0-or-later
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
.SH "JSON OUTPUT"
\fBtarvex4 go \-\-json\fR prints one object; these names stay as they are.
.TP
.B page
The page's path (with \fB\-\-count\fR: \fBpages\fR, a list of such objects, and
\fBseed\fR, the first page's seed).
.TP
.B seed
The seed the page was made from; \fB\-\-seed\fR with it makes the page again.
.TP
.B items
The page's items in page order, each with \fBkind\fR (text, letters or
picture), \fBid\fR (the page's element id), \fBbox\fR (\fBleft\fR, \fBtop\fR,
\fBwidth\fR, \fBheight\fR), \fBz\fR, and either \fBfile\fR (a picture, beside
the page) or \fBwords\fR, \fBsource\fR (main, "track 2 (notes.txt)"; null when
none) and \fBrange\fR (the first and last word position in the source, from 1;
null when the snip holds no word).
.TP
.B pictures
The picture files the page shows, as paths.
.TP
.B text
The page's snips as \fB\-\-text\fR writes them, one string per line.
.PP
\fBimages list \-\-json\fR gives objects with \fBid\fR, \fBname\fR,
\fBpictures\fR and \fBselected\fR; \fBwordbook list \-\-json\fR with \fBname\fR,
\fBtable\fR and \fBentries\fR; \fBdata check \-\-json\fR one object with
\fBdatabase\fR, \fBok\fR and \fBproblem\fR.
.SH "EXIT STATUS"
.TP
.B 0
Done.
.TP
.B 1
The command failed: a file missing, unreadable or not written, a database
that is damaged; the reason is on standard error.
.TP
.B 2
Bad usage: an unknown command or option, a value out of range, options that
do not go together.
.TP
.B 130
Interrupted (Ctrl+C); 128 plus the signal's number for another stop signal.
.SH ENVIRONMENT
.TP
.B VANTELO_HOME
The data folder. When unset, \fI$XDG_DATA_HOME/vantelo\fR, else
\fI~/.local/share/vantelo\fR. On first start what is missing there is copied
from the installed data.
.TP
.B TARVEX4_NO_OPEN
When 1, nothing is opened in the browser, by the commands or the window.
.TP
.B TARVEX4_PICTURES_MODULE\fR, \fBTARVEX4_DEVICES_MODULE
The picture reducing and drawing modules to load instead of the installed ones
(for developers).
.TP
.B DISPLAY\fR, \fBWAYLAND_DISPLAY
The display the window opens on; the sub-commands need none.
.SH FILES
.TP
.I /usr/share/tarvex4
The delivered data: the words database, letter pictures, page scripts and the
user manual.
.TP
.I $VANTELO_HOME/words6.db
The words database: wordbooks, the image library, the stored settings and the
output folder.
.TP
.I $VANTELO_HOME/thumbnails
The image sources window's thumbnails, made again when missing.
.TP
.I output folder
Where GO writes collage1.html with its pictures and letters: the folder
stored in the words database (chosen in the window), or \fB\-\-out\fR.
.SH EXAMPLES
.TP
.B tarvex4 go \-\-main notes.txt \-\-seed 42 \-\-out pages/
Make a page from notes.txt; the same seed makes the same page again.
.TP
.B fortune | tarvex4 go \-\-main \- \-\-text \- \-\-quiet
Cut up standard input and print only the snips.
.TP
.B tarvex4 go \-\-main notes.txt \-\-json | jq \-r .seed
The run as JSON; here its seed.
.TP
.B tarvex4 go \-\-main notes.txt \-\-png \- > page.png
Draw the page as a PNG picture on standard output.
.TP
.B tarvex4 export pages/collage1.html \-\-pdf page.pdf \-\-paper A4
Draw a page written before as a PDF on A4 paper.
.TP
.B tarvex4 images import ~/Pictures/cats \-\-new\-category cats
Store a folder's pictures in a new category;
\fBtarvex4 images select cats\fR then lets only it feed collages.
.TP
.B tarvex4 wordbook create poems.txt
Make the wordbook "poems" from a text file; \fBtarvex4 wordbook sample poems\fR
draws from it, \fBtarvex4 wordbook list\fR names them all.
]=])
file(WRITE "${OUT}.partial" "${page}")
file(RENAME "${OUT}.partial" "${OUT}")
