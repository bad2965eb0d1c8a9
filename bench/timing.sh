# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the bench/peers_*.sh scripts (source it; bash).

# Installs the Debian packages named when a command of the same pair is
# missing: need_tools COMMAND PACKAGE [COMMAND PACKAGE ...]. The tools
# compared against are no build or test dependency, so they come only here.
need_tools() {
  local need=()
  while [ $# -ge 2 ]; do
    command -v "$1" >/dev/null || need+=("$2")
    shift 2
  done
  [ ${#need[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=900 update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 \
    install -y -qq --no-install-recommends "${need[@]}"
}

# Median wall time and median CPU time (user + system, children included) in
# seconds of $runs runs of "$@", output discarded; prints "wall cpu". On a busy
# machine the CPU time is the fairer figure: wall time then mostly measures
# waiting for a core. A program is started directly (posix_spawn, from its
# start to its exit); a shell function (set-up and program) runs in a forked
# shell, whose fork then counts too (about 4 ms on a small virtual machine).
median() {
  if declare -F "$1" >/dev/null; then
    median_of_function "$@"
    return
  fi
  python3 - "$runs" "$@" <<'PY'
import resource, subprocess, sys, time
runs, command = int(sys.argv[1]), sys.argv[2:]
walls, cpus = [], []
for _ in range(runs):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    walls.append(time.perf_counter() - start)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpus.append(after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime)
middle = (runs + 1) // 2 - 1
print("%.4f %.4f" % (sorted(walls)[middle], sorted(cpus)[middle]))
PY
}

median_of_function() {
  local walls=() cpus=() line
  for _ in $(seq "$runs"); do
    line=$( { TIMEFORMAT='%R %U %S'; time "$@" > /dev/null 2>&1; } 2>&1 | tail -1)
    walls+=("$(echo "$line" | awk '{ print $1 }')")
    cpus+=("$(echo "$line" | awk '{ print $2 + $3 }')")
  done
  local mid=$(( (runs + 1) / 2 ))
  echo "$(printf '%s\n' "${walls[@]}" | sort -g | sed -n "${mid}p") $(printf '%s\n' "${cpus[@]}" | sort -g | sed -n "${mid}p")"
}

# a / b with DIGITS decimals (default 2): ratio A B [DIGITS].
ratio() { awk -v a="$1" -v b="$2" -v d="${3:-2}" 'BEGIN { if (b > 0) printf "%.*f", d, a / b; else print "inf" }'; }
