#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# package_test.sh BUILD_DIR TARVEX4 DATA_BUILT APPSTREAMCLI
# Makes the .deb with cpack and checks what a user gets from installing it.
set -euo pipefail
build=$1 exe=$2 data_built=$3 appstreamcli=$4
work="$build/package-test"
rm -rf "$work"
mkdir -p "$work"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log" >&2; echo "FAIL: cpack" >&2; exit 1; }
debs=("$work"/out/tarvex4_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: no single tarvex4_*.deb in $work/out" >&2; exit 1; }
deb=${debs[0]}
echo "package: $(basename "$deb"), $(du -k "$deb" | cut -f1) KiB"

# File list: what is installed, and where.
dpkg-deb -c "$deb" >"$work/contents.txt"
awk '{print $NF}' "$work/contents.txt" | sed 's|^\./|/|' >"$work/files.txt"
expect_file() { grep -qx -- "$1" "$work/files.txt" || fail "package lacks $1"; }
expect_file /usr/bin/tarvex4
expect_file /usr/libexec/tarvex4/tarvex4-window
expect_file /usr/libexec/tarvex4/tarvex4-export
expect_file /usr/libexec/tarvex4/tarvex4-commands.so
expect_file /usr/libexec/tarvex4/tarvex4-pictures.so
expect_file /usr/libexec/tarvex4/tarvex4-devices.so
expect_file /usr/share/applications/tarvex4.desktop
expect_file /usr/share/icons/hicolor/scalable/apps/tarvex4.svg
expect_file /usr/share/metainfo/org.tarvex4.tarvex4.metainfo.xml
expect_file /usr/share/man/man1/tarvex4.1.gz
if [ "$data_built" = ON ]; then
  expect_file /usr/share/tarvex4/words6.db
  expect_file /usr/share/tarvex4/artfonts/wz_dragdrop.js
  expect_file /usr/share/tarvex4/artfonts/canvas.js
  grep -q '^/usr/share/tarvex4/artfonts/.*\.gif$' "$work/files.txt" || fail "package has no letter pictures"
  grep -q '^/usr/share/tarvex4/usermanual/.' "$work/files.txt" || fail "package has no user manual"
fi
outside=$(grep -v -e '^/$' -e '^/usr/' "$work/files.txt" || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"
leftovers=$(grep -e '\.partial$' -e '/CMakeFiles/' "$work/files.txt" || true)
[ -z "$leftovers" ] || fail "build leftovers in the package: $leftovers"
not_root=$(awk '$2 != "root/root"' "$work/contents.txt")
[ -z "$not_root" ] || fail "files not owned by root: $not_root"
for program in ./usr/bin/tarvex4 ./usr/libexec/tarvex4/tarvex4-window ./usr/libexec/tarvex4/tarvex4-export; do
  grep -E "^-rwxr-xr-x .* $program\$" "$work/contents.txt" >/dev/null || fail "$program is not mode 755"
done

# Control fields: shlibdeps found the libraries the programs link.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
depends_names=$(tr ',|' '\n\n' <<<"$depends" | awk '{print $1}')
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6svg6 libsqlite3-0 libc6 libstdc++6 libvips42; do
  grep -qxF "$lib" <<<"$depends_names" || fail "Depends does not name $lib"
done
[ "$(dpkg-deb -f "$deb" Package)" = tarvex4 ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$("$exe" --version | sed -n 's/^tarvex4 //p')" ] \
  || fail "package version differs from tarvex4 --version"
[[ "$(dpkg-deb -f "$deb" Recommends)" == *xdg-utils* ]] || fail "Recommends lacks xdg-utils"

# Debian's own checker: no errors (warnings are printed for a look).
if command -v lintian >/dev/null; then
  lintian --fail-on error --tag-display-limit 0 "$deb" >"$work/lintian.txt" 2>&1 \
    || { cat "$work/lintian.txt" >&2; fail "lintian reports errors"; }
  grep -v "root privileges" "$work/lintian.txt" | sed "s/^/lintian: /" || true
fi
expect_file /usr/share/doc/tarvex4/copyright
expect_file /usr/share/doc/tarvex4/changelog.gz

# Unpacked as installed.
root="$work/root"
dpkg-deb -x "$deb" "$root"
"$appstreamcli" validate --no-net "$root/usr/share/metainfo/org.tarvex4.tarvex4.metainfo.xml" >"$work/appstream.txt" 2>&1 \
  || { cat "$work/appstream.txt" >&2; fail "appstreamcli validate"; }
launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' \
  "$root/usr/share/metainfo/org.tarvex4.tarvex4.metainfo.xml")
[ -f "$root/usr/share/applications/$launchable" ] || fail "metainfo launches $launchable, which is not installed"

# The manual page names every sub-command the program has, with every option.
man_page=$(gzip -dc "$root/usr/share/man/man1/tarvex4.1.gz")
troff_of() { printf '%s' "$1" | sed 's/-/\\-/g'; }
commands=$("$exe" --help | sed -n '/^Subcommands:/,/^$/p' | sed -n 's/^  \([^ ][^ ]*\).*/\1/p')
[ -n "$commands" ] || fail "tarvex4 --help lists no sub-command"
for command in $commands; do
  grep -qF ".SH \"tarvex4 $command\"" <<<"$man_page" || fail "manual page has no section for $command"
  section=$(sed -n "/^\.SH \"tarvex4 $command\"/,/^\.SH /p" <<<"$man_page")
  for option in $("$exe" "$command" --help | grep -oE '^  (-[a-z],)?--[a-z0-9-]+' | sed 's/.*,//; s/^ *//'); do
    grep '^\.B ' <<<"$section" | grep -qF "$(troff_of "$option")" || fail "manual page lacks $command $option"
  done
  # A group's sub-commands, each with its own options (sample --seed).
  for sub in $("$exe" "$command" --help | sed -n '/^Subcommands:/,/^$/p' | sed -n 's/^  \([^ ][^ ]*\).*/\1/p'); do
    grep -qF ".SS \"tarvex4 $command $sub\"" <<<"$section" || fail "manual page has no section for $command $sub"
    subsection=$(sed -n "/^\.SS \"tarvex4 $command $sub\"/,/^\.S[SH] /p" <<<"$section")
    for option in $("$exe" "$command" "$sub" --help | grep -oE '^  (-[a-z],)?--[a-z0-9-]+' | sed 's/.*,//; s/^ *//'); do
      grep '^\.B ' <<<"$subsection" | grep -qF "$(troff_of "$option")" || fail "manual page lacks $command $sub $option"
    done
  done
done
if command -v man >/dev/null; then
  warnings=$(man --warnings -l "$root/usr/share/man/man1/tarvex4.1.gz" 2>&1 >/dev/null || true)
  [ -z "$warnings" ] || fail "man warns: $warnings"
fi

# The unpacked command runs, finds the window program beside it and the
# delivered data, and makes a page.
installed="$root/usr/bin/tarvex4"
"$installed" --version | grep -q '^tarvex4 ' || fail "unpacked tarvex4 --version"
if [ "$data_built" = ON ]; then
  printf 'one two three four five six seven eight nine ten\n' >"$work/main.txt"
  page=$(VANTELO_HOME="$work/home" "$installed" go --seed 1 --main "$work/main.txt" --out "$work/pages/") \
    || fail "unpacked tarvex4 go"
  [ -s "${page:-/nonexistent}" ] || fail "unpacked tarvex4 go wrote no page ($page)"
  [ -s "$work/home/words6.db" ] && [ -d "$work/home/artfonts" ] || fail "data folder not set up on first start"
fi

[ "$failures" -eq 0 ] || { echo "$failures failure(s)" >&2; exit 1; }
echo "package checks passed"
