#!/bin/sh
# Runs a Windows program of the cross-build under Wine.
# Usage: wine-run.sh PREFIX [PROGRAM.exe [ARGUMENTS ...]]
#
# PREFIX is the build's own Wine prefix, made on first use; without a program
# the script only makes it ready. Making a prefix takes longer than test
# discovery gives a program, so the build makes it at configure time.
#
# The wineserver outlives each program by a minute, sparing the next one
# Wine's start-up; whoever runs a whole suite ends it at once with
# `WINEPREFIX=PREFIX wineserver -k`. A new server's first program also starts
# Wine's background processes, which keep the streams they inherit open for
# the server's lifetime: a caller reading a program's output to its end (test
# discovery, ctest) would wait for them. So the server and those processes
# are started here, with no streams of the caller's, under a lock because
# parallel tests start together.
#
# Wine prefers its own version.dll and msvcp140.dll to those beside the
# program: version=n,b makes it take the testbed's host, and msvcp140=n the
# testbed's runtime stand-in, whose clock the tests set (Wine's gives the real
# time). mscoree and mshtml are off so that making a prefix never asks for
# Mono or Gecko.
set -eu
prefix=$(realpath -m "$1")
shift

export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;version=n,b;msvcp140=n"

mkdir -p "$prefix"
exec 9>"$prefix.lock"
flock 9
new_server=no
if wineserver -p60 </dev/null >/dev/null 2>&1; then
  new_server=yes
fi
if [ ! -e "$prefix/.dravelquin-ready" ]; then
  if ! wineboot --init </dev/null >"$prefix.log" 2>&1; then
    echo "wine-run.sh: making the Wine prefix failed; see $prefix.log" >&2
    exit 1
  fi
  touch "$prefix/.dravelquin-ready"
elif [ "$new_server" = yes ]; then
  # Only starts the background processes; should it fail, the program's own
  # run below fails and says why, so the script does not end here silently.
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
fi
flock -u 9
exec 9>&-

# Wine's own process exit now and then trips a glibc loader assertion
# ("_dl_fini: Assertion ... failed", exit status 127) after the program has
# done its work. A run that ends so, and only so, is run again, twice at
# most; any other outcome is the program's own and is passed on at once.
# Each run's output is held until the run ends, so that only the last run's
# reaches the caller: a test that compares a program's output sees it once.
if [ $# -gt 0 ]; then
  output=$(mktemp)
  errors=$(mktemp)
  trap 'rm -f "$output" "$errors"' EXIT
  run=1
  while :; do
    status=0
    wine "$@" >"$output" 2>"$errors" || status=$?
    if [ "$status" -ne 127 ] || ! grep -q '_dl_fini' "$errors" || [ "$run" -ge 3 ]; then
      cat "$output"
      cat "$errors" >&2
      exit "$status"
    fi
    run=$((run + 1))
    echo "wine-run.sh: Wine's loader assertion at exit; running $1 again" >&2
  done
fi
